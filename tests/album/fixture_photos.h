#pragma once
// Photo files for whole-run tests and benchmarks, composed in code.
#include <QString>
#include <cstdint>

// One GPS coordinate as a camera writes it: reference letter and whole degrees, minutes and
// seconds.
struct GpsAngle {
  char reference;  // 'N', 'S', 'E' or 'W'
  std::uint32_t degrees;
  std::uint32_t minutes;
  std::uint32_t seconds;
};

// A JPEG with an EXIF GPS position; date_time nullptr leaves out DateTimeOriginal (the IFD0
// DateTime is always there, and must not be taken for it).
void write_gps_photo(const QString& path, GpsAngle latitude, GpsAngle longitude,
                     const char* date_time);

// A JPEG with EXIF data but no GPS directory.
void write_photo_without_gps(const QString& path, const char* date_time);

// Any file with the given bytes (a photo name on something that is no JPEG, for instance).
void write_plain_file(const QString& path, const QByteArray& bytes);
