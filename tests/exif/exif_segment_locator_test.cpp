#include "exif/tiff/exif_segment_locator.h"

#include <gtest/gtest.h>

#include "exif/tiff/exif_result_codes.h"
#include "tests/exif/exif_test_data.h"

namespace {

int locate(const Bytes& bytes, ExifRecord& record) {
  return locate_exif_segment(record, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

Bytes photo_jpeg() {
  return build_jpeg(build_exif_block(photo_exif("2024:05:17 10:11:12")));
}

// The APP1 length field follows SOI (2 bytes), APP0 (18 bytes) and the APP1 marker.
constexpr std::size_t app1_length_at = 22;

Bytes with_app1_length(std::uint16_t length) {
  Bytes jpeg = photo_jpeg();
  jpeg[app1_length_at] = static_cast<std::uint8_t>(length >> 8);
  jpeg[app1_length_at + 1] = static_cast<std::uint8_t>(length);
  return jpeg;
}

Bytes with_trailer(Bytes trailer) {
  Bytes jpeg = photo_jpeg();
  jpeg.insert(jpeg.end(), trailer.begin(), trailer.end());
  return jpeg;
}

Bytes xmp_before_exif() {
  const Bytes exif = photo_jpeg();
  const Bytes xmp_block{'h', 't', 't', 'p', ':', '/', '/', 'n', 's', '.', 'a', 'd', 'o', 'b', 'e'};
  Bytes jpeg = build_jpeg(xmp_block);
  jpeg.insert(jpeg.end() - 2, exif.begin() + 2, exif.end() - 2);  // its APP0, APP1 and scan
  return jpeg;
}

TEST(ExifSegmentLocator, ResultCodes) {
  const struct {
    const char* name;
    Bytes bytes;
    int code;
  } cases[] = {
      {"three bytes", {0xFF, 0xD8, 0xFF}, exif_not_jpeg},
      {"TIFF little-endian", {'I', 'I', 42, 0, 8, 0, 0, 0, 0xFF, 0xD9}, exif_not_jpeg},
      {"TIFF big-endian", {'M', 'M', 0, 42, 0, 0, 0, 8, 0xFF, 0xD9}, exif_not_jpeg},
      {"no end marker", {0xFF, 0xD8, 0xFF, 0xE1, 0, 0x20, 0xD9, 0xD9}, exif_not_jpeg},
      {"SOI overlapping EOI", {0xFF, 0xD8, 0xD9, 0x00}, exif_not_jpeg},
      {"SOI EOI only", {0xFF, 0xD8, 0xFF, 0xD9}, exif_missing},
      {"APP1 marker without room", {0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xD9}, exif_corrupt},
      {"XMP in the first APP1", xmp_before_exif(), exif_missing},
      {"APP1 length 15", with_app1_length(15), exif_corrupt},
      {"APP1 past the end", with_app1_length(0xFFF0), exif_corrupt},
      {"APP1 length 16, directories after it", with_app1_length(16), exif_decoded},
      {"zero bytes after EOI", with_trailer(Bytes(100, 0)), exif_decoded},
      {"trailer without EOI", with_trailer({0xFF, 0xD8, 0xFF, 0xE1, 1, 2}), exif_decoded},
      {"whole photo", photo_jpeg(), exif_decoded},
  };
  for (const auto& c : cases) {
    ExifRecord record;
    EXPECT_EQ(locate(c.bytes, record), c.code) << c.name;
  }
  ExifRecord record;
  EXPECT_EQ(locate_exif_segment(record, nullptr, 100), exif_not_jpeg);
}

TEST(ExifSegmentLocator, ClearsTheRecordOnlyForAJpegStream) {
  ExifRecord record;
  record.latitude = 5.0;
  EXPECT_EQ(locate({'I', 'I', 42, 0}, record), exif_not_jpeg);
  EXPECT_EQ(record.latitude, 5.0);
  EXPECT_EQ(locate({0xFF, 0xD8, 0xFF, 0xD9}, record), exif_missing);
  EXPECT_EQ(record.latitude, 0.0);

  ASSERT_EQ(locate(with_trailer(Bytes(7, 0)), record), exif_decoded);
  EXPECT_DOUBLE_EQ(record.latitude, -48.858333333333333);
  EXPECT_EQ(record.date_time_original, "2024:05:17 10:11:12");
}

}  // namespace
