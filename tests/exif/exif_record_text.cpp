#include "tests/exif/exif_record_text.h"

#include <cstdio>
#include <type_traits>

namespace {

void add(std::string& out, const char* name, double value) {
  char text[64];
  std::snprintf(text, sizeof text, " %s=%a", name, value);
  out += text;
}

template <typename Number>
requires std::is_integral_v<Number>
void add(std::string& out, const char* name, Number value) {
  out += std::string(" ") + name + "=" + std::to_string(static_cast<unsigned long>(value));
}

void add(std::string& out, const char* name, const QByteArray& value) {
  out += std::string(" ") + name + "=[" + value.toHex().toStdString() + "]";
}

}  // namespace

std::string exif_record_text(const ExifRecord& r) {
  std::string out;
  add(out, "little_endian", r.little_endian);
  add(out, "image_description", r.image_description);
  add(out, "camera_make", r.camera_make);
  add(out, "camera_model", r.camera_model);
  add(out, "orientation", r.orientation);
  add(out, "bits_per_sample", r.bits_per_sample);
  add(out, "software", r.software);
  add(out, "date_time_changed", r.date_time_changed);
  add(out, "date_time_original", r.date_time_original);
  add(out, "date_time_digitized", r.date_time_digitized);
  add(out, "sub_sec_time_original", r.sub_sec_time_original);
  add(out, "rights_notice", r.rights_notice);
  add(out, "exposure_time", r.exposure_time);
  add(out, "f_number", r.f_number);
  add(out, "exposure_program", r.exposure_program);
  add(out, "iso_speed", r.iso_speed);
  add(out, "shutter_speed_value", r.shutter_speed_value);
  add(out, "exposure_bias", r.exposure_bias);
  add(out, "subject_distance", r.subject_distance);
  add(out, "focal_length", r.focal_length);
  add(out, "focal_length_35mm", r.focal_length_35mm);
  add(out, "flash_fired", r.flash_fired);
  add(out, "flash_return", r.flash_return);
  add(out, "flash_mode", r.flash_mode);
  add(out, "metering_mode", r.metering_mode);
  add(out, "image_width", r.image_width);
  add(out, "image_height", r.image_height);
  add(out, "latitude", r.latitude);
  add(out, "longitude", r.longitude);
  add(out, "altitude", r.altitude);
  add(out, "altitude_ref", r.altitude_ref);
  add(out, "gps_dop", r.gps_dop);
  add(out, "latitude_dms.degrees", r.latitude_dms.degrees);
  add(out, "latitude_dms.minutes", r.latitude_dms.minutes);
  add(out, "latitude_dms.seconds", r.latitude_dms.seconds);
  add(out, "latitude_ref", static_cast<unsigned char>(r.latitude_ref));
  add(out, "longitude_dms.degrees", r.longitude_dms.degrees);
  add(out, "longitude_dms.minutes", r.longitude_dms.minutes);
  add(out, "longitude_dms.seconds", r.longitude_dms.seconds);
  add(out, "longitude_ref", static_cast<unsigned char>(r.longitude_ref));
  for (double value : r.lens_specification) add(out, "lens_specification", value);
  add(out, "focal_plane_x_resolution", r.focal_plane_x_resolution);
  add(out, "focal_plane_y_resolution", r.focal_plane_y_resolution);
  add(out, "focal_plane_resolution_unit", r.focal_plane_resolution_unit);
  add(out, "lens_make", r.lens_make);
  add(out, "lens_model", r.lens_model);
  return out;
}
