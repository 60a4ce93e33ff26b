#pragma once
// The values the EXIF reader decodes from one photo. Latitude, longitude, date_time_original and
// the clues to the capture time's zone (offset_time_original, the GPS date and time stamps) leave
// the reader; the rest are kept for completeness and diagnostics.
#include <QByteArray>
#include <cstdint>

// An unsigned TIFF RATIONAL; SRATIONAL values are read into it as unsigned too.
struct Rational {
  std::uint32_t numerator = 0;
  std::uint32_t denominator = 0;
};

// numerator / denominator, or 0.0 when the denominator is 0.
double rational_value(Rational r);

// Degrees, minutes and seconds of a GPS coordinate, each as stored in the file.
struct GpsDms {
  double degrees = 0.0;
  double minutes = 0.0;
  double seconds = 0.0;
};

// Byte strings are raw bytes with no code page and may contain zero bytes. Default member values
// are the cleared state.
struct ExifRecord {
  bool little_endian = false;
  // IFD0
  QByteArray image_description;
  QByteArray camera_make;
  QByteArray camera_model;
  std::uint16_t orientation = 0;
  std::uint16_t bits_per_sample = 0;
  QByteArray software;
  QByteArray date_time_changed;
  // Exif sub-directory
  QByteArray date_time_original;
  QByteArray date_time_digitized;
  QByteArray sub_sec_time_original;
  QByteArray offset_time_original;  // "+02:00": the zone of date_time_original
  QByteArray rights_notice;         // IFD0
  double exposure_time = 0.0;
  double f_number = 0.0;
  std::uint16_t exposure_program = 0;
  std::uint16_t iso_speed = 0;
  double shutter_speed_value = 0.0;
  double exposure_bias = 0.0;
  double subject_distance = 0.0;
  double focal_length = 0.0;
  std::uint16_t focal_length_35mm = 0;
  std::uint8_t flash_fired = 0;
  std::uint16_t flash_return = 0;
  std::uint16_t flash_mode = 0;
  std::uint16_t metering_mode = 0;
  std::uint32_t image_width = 0;
  std::uint32_t image_height = 0;
  // GPS sub-directory
  double latitude = 0.0;   // signed decimal degrees, north positive
  double longitude = 0.0;  // signed decimal degrees, east positive
  double altitude = 0.0;   // metres, negative below sea level
  std::uint8_t altitude_ref = 0;
  double gps_dop = 0.0;
  GpsDms latitude_dms;
  char latitude_ref = '?';  // '?' until a reference letter is read (or when it is a zero byte)
  GpsDms longitude_dms;
  char longitude_ref = '?';
  QByteArray gps_date_stamp;                   // "YYYY:MM:DD", UTC
  double gps_time_stamp[3] = {0.0, 0.0, 0.0};  // hours, minutes, seconds, UTC
  bool has_gps_time_stamp = false;
  // Exif sub-directory
  double lens_specification[4] = {0.0, 0.0, 0.0, 0.0};
  double focal_plane_x_resolution = 0.0;
  double focal_plane_y_resolution = 0.0;
  std::uint16_t focal_plane_resolution_unit = 0;
  QByteArray lens_make;
  QByteArray lens_model;
};

// Puts every field back to its default.
void clear_exif_record(ExifRecord& record);
