#include "fixture_photos.h"

#include <QFile>
#include <optional>
#include <string>
#include <vector>

#include "tests/exif/exif_test_data.h"

namespace {

TestEntry date_time_original(const char* date_time) {
  const std::string text = std::string(date_time) + '\0';
  return ascii_entry(0x9003, text);
}

std::vector<TestEntry> ifd0() {
  return {ascii_entry(0x0132, std::string_view("2001:01:01 00:00:00\0", 20))};
}

std::vector<TestEntry> exif_directory(const char* date_time) {
  // Without DateTimeOriginal the directory still holds the digitised time, which is not it.
  if (date_time == nullptr)
    return {ascii_entry(0x9004, std::string_view("2002:02:02 02:02:02\0", 20))};
  return {date_time_original(date_time)};
}

void write_jpeg(const QString& path, const TestExif& exif) {
  const Bytes jpeg = build_jpeg(build_exif_block(exif));
  write_plain_file(path, QByteArray(reinterpret_cast<const char*>(jpeg.data()),
                                    static_cast<qsizetype>(jpeg.size())));
}

}  // namespace

void write_gps_photo(const QString& path, GpsAngle latitude, GpsAngle longitude,
                     const char* date_time) {
  const std::vector<TestEntry> gps = {
      letter_entry(1, latitude.reference),
      rational_entry(2, {latitude.degrees, 1, latitude.minutes, 1, latitude.seconds, 1}),
      letter_entry(3, longitude.reference),
      rational_entry(4, {longitude.degrees, 1, longitude.minutes, 1, longitude.seconds, 1}),
  };
  write_jpeg(path, TestExif{true, ifd0(), exif_directory(date_time), gps});
}

void write_photo_without_gps(const QString& path, const char* date_time) {
  write_jpeg(path, TestExif{false, ifd0(), exif_directory(date_time), std::nullopt});
}

void write_plain_file(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    qFatal("cannot write the fixture %s", qPrintable(path));
  }
}
