#include "exif/photo_position.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/posix_files.h"

#include "exif/file_exif_locator.h"
#include "tests/exif/exif_test_data.h"

namespace {

class PhotoPositionTest : public testing::Test {
 protected:
  AnsiText write(const char* name, const Bytes& bytes) {
    QFile file(dir_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return to_ansi(file.fileName());
  }
  AnsiText photo(const char* name, TestExif exif) {
    return write(name, build_jpeg(build_exif_block(exif)));
  }
  QTemporaryDir dir_;
};

TEST_F(PhotoPositionTest, ReadsPositionAndCaptureTime) {
  TestExif no_gps = photo_exif("2024:05:17 10:11:12");
  no_gps.gps.reset();
  TestExif no_date_time = photo_exif("");
  no_date_time.exif = std::vector<TestEntry>{};
  TestExif south_only = photo_exif(std::string_view("2024:05\0:17", 11));
  south_only.gps = std::vector<TestEntry>{letter_entry(1, 'S')};

  const struct {
    AnsiText file;
    const char* latitude;
    const char* longitude;
    const char* date_time;
  } cases[] = {
      {photo("photo.jpg", photo_exif("2024:05:17 10:11:12\0")), "-48.8583333333333",
       "2.29444444444444", "2024:05:17 10:11:12"},
      {photo("no-gps.jpg", no_gps), "0", "0", "2024:05:17 10:11:12"},
      {photo("no-date.jpg", no_date_time), "-48.8583333333333", "2.29444444444444", ""},
      {photo("south-only.jpg", south_only), "0", "0", "2024:05"},
  };
  for (const auto& c : cases) {
    PhotoPosition position;
    EXPECT_EQ(read_photo_position(position, c.file), 1) << c.file.constData();
    EXPECT_EQ(position.latitude, c.latitude) << c.file.constData();
    EXPECT_EQ(position.longitude, c.longitude) << c.file.constData();
    EXPECT_EQ(position.date_time, c.date_time) << c.file.constData();
  }
}

TEST_F(PhotoPositionTest, ReadsTheCluesToTheTimeZone) {
  TestExif full = photo_exif("2024:06:04 10:11:12");
  full.exif->push_back(ascii_entry(0x9011, std::string_view("+02:00\0", 7)));
  full.gps->push_back(rational_entry(7, {8, 1, 11, 1, 1250, 100}));
  full.gps->push_back(ascii_entry(29, std::string_view("2024:06:04\0", 11)));
  TestExif odd = photo_exif("2024:06:04 10:11:12");
  odd.gps->push_back(rational_entry(7, {25, 1, 0, 1, 0, 1}));  // past the day's end
  odd.gps->push_back(rational_entry(29, {1, 1}));              // no text
  TestExif short_time = photo_exif("2024:06:04 10:11:12");
  short_time.gps->push_back(rational_entry(7, {8, 1, 11, 1}));  // two values, not three

  const struct {
    AnsiText file;
    const char* offset_time;
    const char* gps_date;
    double gps_time_of_day;
  } cases[] = {
      {photo("full.jpg", full), "+02:00", "2024:06:04", 8 * 3600 + 11 * 60 + 12.5},
      {photo("none.jpg", photo_exif("2024:06:04 10:11:12")), "", "", -1},
      {photo("odd.jpg", odd), "", "", -1},
      {photo("short.jpg", short_time), "", "", -1},
  };
  for (const auto& c : cases) {
    PhotoPosition position;
    ASSERT_EQ(read_photo_position(position, c.file), 1) << c.file.constData();
    EXPECT_EQ(position.offset_time, c.offset_time) << c.file.constData();
    EXPECT_EQ(position.gps_date, c.gps_date) << c.file.constData();
    EXPECT_DOUBLE_EQ(position.gps_time_of_day, c.gps_time_of_day) << c.file.constData();
    EXPECT_EQ(position.latitude, "-48.8583333333333") << c.file.constData();
  }
}

TEST_F(PhotoPositionTest, FailuresLeaveThePositionEmpty) {
  QFile big(dir_.filePath("huge.jpg"));  // sparse: no disk space is used
  ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(largest_photo_file + 1));
  big.close();
  // A pipe without a writer: opening it for reading must not wait for one.
  const AnsiText pipe = to_ansi(dir_.filePath("pipe.jpg"));
  ASSERT_TRUE(make_named_pipe(pipe));
  // A name with a zero byte in it names no file, not the file named by the part before it.
  const AnsiText cut_name = write("photo.jpg", build_jpeg(build_exif_block(photo_exif(""))));

  const struct {
    AnsiText file;
    int result;
  } cases[] = {
      {write("tiff.tif", {'I', 'I', 42, 0, 8, 0, 0, 0, 0xFF, 0xD8, 0xFF, 0xD9}), -3},
      {write("empty.jpg", {}), -3},
      {write("no-exif.jpg", {0xFF, 0xD8, 0xFF, 0xDA, 1, 2, 3, 0xFF, 0xD9}), -3},
      {to_ansi(dir_.filePath("missing.jpg")), -1},
      {to_ansi(dir_.path()), -1},
      {"", -1},
      {to_ansi(big.fileName()), -2},
      {pipe, -1},
      {cut_name + AnsiText("\0.txt", 5), -1},
  };
  for (const auto& c : cases) {
    PhotoPosition position;
    EXPECT_EQ(read_photo_position(position, c.file), c.result) << c.file.constData();
    EXPECT_TRUE(position.latitude.isEmpty() && position.longitude.isEmpty() &&
                position.date_time.isEmpty());
  }
}

}  // namespace
