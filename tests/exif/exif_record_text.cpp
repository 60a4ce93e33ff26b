#include "tests/exif/exif_record_text.h"

#include <cstdio>
#include <cstring>
#include <type_traits>

namespace {

// Calls visit(name, value) for every field in declaration order.
template <typename Visit>
void visit_fields(const ExifRecord& r, Visit visit) {
  visit("little_endian", r.little_endian);
  visit("image_description", r.image_description);
  visit("camera_make", r.camera_make);
  visit("camera_model", r.camera_model);
  visit("orientation", r.orientation);
  visit("bits_per_sample", r.bits_per_sample);
  visit("software", r.software);
  visit("date_time_changed", r.date_time_changed);
  visit("date_time_original", r.date_time_original);
  visit("date_time_digitized", r.date_time_digitized);
  visit("sub_sec_time_original", r.sub_sec_time_original);
  visit("rights_notice", r.rights_notice);
  visit("exposure_time", r.exposure_time);
  visit("f_number", r.f_number);
  visit("exposure_program", r.exposure_program);
  visit("iso_speed", r.iso_speed);
  visit("shutter_speed_value", r.shutter_speed_value);
  visit("exposure_bias", r.exposure_bias);
  visit("subject_distance", r.subject_distance);
  visit("focal_length", r.focal_length);
  visit("focal_length_35mm", r.focal_length_35mm);
  visit("flash_fired", r.flash_fired);
  visit("flash_return", r.flash_return);
  visit("flash_mode", r.flash_mode);
  visit("metering_mode", r.metering_mode);
  visit("image_width", r.image_width);
  visit("image_height", r.image_height);
  visit("latitude", r.latitude);
  visit("longitude", r.longitude);
  visit("altitude", r.altitude);
  visit("altitude_ref", r.altitude_ref);
  visit("gps_dop", r.gps_dop);
  visit("latitude_dms.degrees", r.latitude_dms.degrees);
  visit("latitude_dms.minutes", r.latitude_dms.minutes);
  visit("latitude_dms.seconds", r.latitude_dms.seconds);
  visit("latitude_ref", static_cast<unsigned char>(r.latitude_ref));
  visit("longitude_dms.degrees", r.longitude_dms.degrees);
  visit("longitude_dms.minutes", r.longitude_dms.minutes);
  visit("longitude_dms.seconds", r.longitude_dms.seconds);
  visit("longitude_ref", static_cast<unsigned char>(r.longitude_ref));
  for (double value : r.lens_specification) visit("lens_specification", value);
  visit("focal_plane_x_resolution", r.focal_plane_x_resolution);
  visit("focal_plane_y_resolution", r.focal_plane_y_resolution);
  visit("focal_plane_resolution_unit", r.focal_plane_resolution_unit);
  visit("lens_make", r.lens_make);
  visit("lens_model", r.lens_model);
}

void add_text(std::string& out, const char* name, double value) {
  char text[64];
  std::snprintf(text, sizeof text, " %s=%a", name, value);
  out += text;
}

template <typename Number>
requires std::is_integral_v<Number>
void add_text(std::string& out, const char* name, Number value) {
  out += std::string(" ") + name + "=" + std::to_string(static_cast<unsigned long>(value));
}

void add_text(std::string& out, const char* name, const QByteArray& value) {
  out += std::string(" ") + name + "=[" + value.toHex().toStdString() + "]";
}

template <typename Scalar>
void add_bytes(std::string& out, const Scalar& value) {
  char bytes[sizeof value];
  std::memcpy(bytes, &value, sizeof value);
  out.append(bytes, sizeof value);
}

void add_bytes(std::string& out, const QByteArray& value) {
  add_bytes(out, value.size());
  out.append(value.constData(), static_cast<std::size_t>(value.size()));
}

}  // namespace

std::string exif_record_text(const ExifRecord& record) {
  std::string out;
  visit_fields(record, [&](const char* name, const auto& value) { add_text(out, name, value); });
  return out;
}

std::string exif_record_bytes(const ExifRecord& record) {
  std::string out;
  visit_fields(record, [&](const char*, const auto& value) { add_bytes(out, value); });
  return out;
}
