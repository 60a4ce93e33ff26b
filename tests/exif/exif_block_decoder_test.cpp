#include "exif/tiff/exif_block_decoder.h"

#include <gtest/gtest.h>

#include <cmath>

#include "exif/tiff/exif_result_codes.h"
#include "tests/exif/exif_test_data.h"

namespace {

struct Decoded {
  int code;
  ExifRecord record;
};

Decoded decode(const Bytes& block) {
  Decoded d;
  d.code = decode_exif_block(d.record, block.data(), static_cast<std::uint32_t>(block.size()));
  return d;
}

Decoded decode(const TestExif& exif) {
  return decode(build_exif_block(exif));
}

constexpr double southern_latitude = -48.858333333333333;  // 48 + 51/60 + 30/3600
constexpr double eastern_longitude = 2.2944444444444444;   // 2 + 17/60 + 40/3600

TEST(ExifBlockDecoder, RejectsBrokenHeaders) {
  const Bytes good{'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  auto with = [&](std::size_t at, Bytes bytes) {
    Bytes b = good;
    std::copy(bytes.begin(), bytes.end(), b.begin() + at);
    return b;
  };
  const struct {
    const char* name;
    Bytes block;
    int code;
  } cases[] = {
      {"five bytes", Bytes(good.begin(), good.begin() + 5), exif_missing},
      {"no identifier", with(3, {'g'}), exif_missing},
      {"thirteen bytes", Bytes(good.begin(), good.begin() + 13), exif_corrupt},
      {"byte order I M", with(6, {'I', 'M'}), exif_bad_byte_order},
      {"byte order M I", with(6, {'M', 'I'}), exif_bad_byte_order},
      {"no 42", with(8, {43}), exif_corrupt},
      {"IFD0 count outside", with(10, {13, 0, 0, 0}), exif_corrupt},
      {"IFD0 offset wraps to 0", with(10, {0xFA, 0xFF, 0xFF, 0xFF}), exif_corrupt},
      {"IFD0 next offset missing", Bytes(good.begin(), good.end() - 1), exif_corrupt},
      {"IFD0 entries outside", with(14, {1}), exif_corrupt},
  };
  for (const auto& c : cases) EXPECT_EQ(decode(c.block).code, c.code) << c.name;

  const Decoded empty = decode(good);
  EXPECT_EQ(empty.code, exif_decoded);
  EXPECT_TRUE(empty.record.little_endian);
  EXPECT_EQ(empty.record.latitude_ref, '?');
  EXPECT_TRUE(empty.record.date_time_original.isEmpty());
}

TEST(ExifBlockDecoder, DecodesThePositionInBothByteOrders) {
  for (bool little_endian : {true, false}) {
    const Decoded d = decode(photo_exif("2024:05:17 10:11:12", little_endian));
    ASSERT_EQ(d.code, exif_decoded);
    EXPECT_EQ(d.record.little_endian, little_endian);
    EXPECT_DOUBLE_EQ(d.record.latitude, southern_latitude);
    EXPECT_DOUBLE_EQ(d.record.longitude, eastern_longitude);
    EXPECT_EQ(d.record.latitude_dms.minutes, 51.0);
    EXPECT_EQ(d.record.longitude_ref, 'E');
    EXPECT_EQ(d.record.date_time_original, "2024:05:17 10:11:12");
    EXPECT_EQ(d.record.camera_make, "Maker");
    EXPECT_EQ(d.record.date_time_changed, "2001:01:01 00:00:00");
  }
}

TEST(ExifBlockDecoder, LatitudeSignFollowsTheLatestReference) {
  const TestEntry value = rational_entry(2, {48, 1, 51, 1, 30, 1});
  const double north = -southern_latitude;
  const struct {
    const char* name;
    std::vector<TestEntry> gps;
    double latitude;
  } cases[] = {
      {"reference first", {letter_entry(1, 'S'), value}, southern_latitude},
      {"value first", {value, letter_entry(1, 'S')}, southern_latitude},
      {"lower-case s", {letter_entry(1, 's'), value}, north},
      {"S repeated", {letter_entry(1, 'S'), value, letter_entry(1, 'S')}, southern_latitude},
      {"S then N", {letter_entry(1, 'S'), value, letter_entry(1, 'N')}, north},
      {"S without value", {letter_entry(1, 'S')}, -0.0},
      {"count 2", {letter_entry(1, 'S'), rational_entry(2, {48, 1, 51, 1})}, -0.0},
      {"type LONG", {long_entry(2, {48, 51, 30})}, 0.0},
      {"seconds 0/0", {rational_entry(2, {48, 1, 51, 1, 0, 0})}, 48.85},
      {"SRATIONAL top bit", {rational_entry(2, {0x80000000, 1, 0, 1, 0, 1}, 10)}, 2147483648.0},
      {"values outside", {raw_entry(2, 5, 3, 0xFFFFFFFC)}, 0.0},
  };
  for (const auto& c : cases) {
    const Decoded d = decode(TestExif{true, {}, {}, c.gps});
    ASSERT_EQ(d.code, exif_decoded) << c.name;
    EXPECT_DOUBLE_EQ(d.record.latitude, c.latitude) << c.name;
    EXPECT_EQ(std::signbit(d.record.latitude), std::signbit(c.latitude)) << c.name;
  }
}

TEST(ExifBlockDecoder, ReadsLongitudeAltitudeAndDop) {
  const Decoded d = decode(TestExif{false,
                                    {},
                                    {},
                                    {{rational_entry(6, {1234, 10}), short_entry(5, {0x0100}),
                                      letter_entry(3, 'W'), rational_entry(4, {2, 1, 30, 1, 0, 1}),
                                      letter_entry(1, 0), rational_entry(11, {5, 2}, 10)}}});
  ASSERT_EQ(d.code, exif_decoded);
  EXPECT_DOUBLE_EQ(d.record.altitude, -123.4);  // the reference is the first byte stored
  EXPECT_DOUBLE_EQ(d.record.longitude, -2.5);
  EXPECT_EQ(d.record.latitude_ref, '?');
  EXPECT_DOUBLE_EQ(d.record.gps_dop, 2.5);
}

TEST(ExifBlockDecoder, PassesOverMissingOrUnusableSubDirectories) {
  TestExif exif = photo_exif("2024:05:17 10:11:12");
  exif.gps.reset();
  Decoded d = decode(exif);
  EXPECT_EQ(d.code, exif_decoded);
  EXPECT_EQ(d.record.latitude, 0.0);
  EXPECT_EQ(d.record.latitude_ref, '?');

  exif.exif.reset();  // the IFD0 DateTime never stands in for DateTimeOriginal
  exif.ifd0.push_back(raw_entry(0x8825, 4, 1, 0));
  const std::uint32_t near_end = static_cast<std::uint32_t>(build_exif_block(exif).size() - 6 - 3);
  exif.ifd0.back().value_field = near_end;
  d = decode(exif);
  EXPECT_EQ(d.code, exif_decoded);
  EXPECT_TRUE(d.record.date_time_original.isEmpty());
  EXPECT_EQ(d.record.latitude_ref, '?');
}

TEST(ExifBlockDecoder, FollowsOnlyUsableExifPointers) {
  // IFD0 (TIFF offset 8) holds an ISO speed, which only counts if IFD0 is walked as Exif IFD.
  auto iso_speed_with = [](TestEntry pointer) {
    return decode(TestExif{true, {short_entry(0x8827, {200}), pointer}, {}, {}}).record.iso_speed;
  };
  EXPECT_EQ(iso_speed_with(raw_entry(0x8769, 4, 1, 8)), 200);
  // A count that makes 2^32 bytes must not wrap into a small size that fits in the value field.
  EXPECT_EQ(iso_speed_with(raw_entry(0x8769, 4, 0x40000000, 8)), 0);
  for (std::uint16_t type : {0, 6, 8, 11}) {
    EXPECT_EQ(iso_speed_with(raw_entry(0x8769, type, 1, 8)), 0) << type;
  }
}

TEST(ExifBlockDecoder, FollowsPointersOfTypeLongOrIfd) {
  for (std::uint16_t type : {4, 13}) {
    TestExif exif = photo_exif("2024:05:17 10:11:12", type == 4);
    exif.pointer_type = type;
    const Decoded d = decode(exif);
    ASSERT_EQ(d.code, exif_decoded) << type;
    EXPECT_DOUBLE_EQ(d.record.latitude, southern_latitude) << type;
    EXPECT_EQ(d.record.date_time_original, "2024:05:17 10:11:12") << type;
  }
}

TEST(ExifBlockDecoder, GpsDateStampOnlyFromValuesInsideTheBlock) {
  const struct {
    const char* name;
    TestEntry entry;
    QByteArray date_stamp;
  } cases[] = {
      {"in the block", ascii_entry(0x001D, std::string_view("2024:05:17\0", 11)), "2024:05:17"},
      {"values past the end", raw_entry(0x001D, 2, 11, 0x00FFFFF0), ""},
      {"offset wraps", raw_entry(0x001D, 2, 11, 0xFFFFFFFF), ""},
      {"count past the end", raw_entry(0x001D, 2, 0xFFFFFFFF, 8), ""},
      {"not ASCII", raw_entry(0x001D, 7, 11, 8), ""},
  };
  for (const auto& c : cases) {
    TestExif exif = photo_exif("2024:05:17 10:11:12");
    exif.gps->push_back(c.entry);
    const Decoded d = decode(exif);
    EXPECT_EQ(d.code, exif_decoded) << c.name;
    EXPECT_EQ(d.record.gps_date_stamp, c.date_stamp) << c.name;
    EXPECT_DOUBLE_EQ(d.record.latitude, southern_latitude) << c.name;
  }
}

TEST(ExifBlockDecoder, RejectsSubDirectoriesThatRunPastTheEnd) {
  // Only inline values, so the last directory ends the block and cutting 4 bytes cuts its
  // next-directory offset.
  TestExif exif{true,
                {short_entry(0x0112, {6})},
                std::vector<TestEntry>{short_entry(0x8827, {200})},
                std::vector<TestEntry>{letter_entry(1, 'S')}};
  Bytes block = build_exif_block(exif);
  EXPECT_EQ(decode(block).record.latitude_ref, 'S');
  block.resize(block.size() - 4);
  const Decoded d = decode(block);
  EXPECT_EQ(d.code, exif_corrupt);
  EXPECT_EQ(d.record.orientation, 6);  // what came before stays
  EXPECT_EQ(d.record.iso_speed, 200);

  exif.gps.reset();
  block = build_exif_block(exif);
  EXPECT_EQ(decode(block).record.iso_speed, 200);
  block.resize(block.size() - 4);
  EXPECT_EQ(decode(block).code, exif_corrupt);
}

TEST(ExifBlockDecoder, DecodesExifValues) {
  const Decoded d = decode(TestExif{
      true,
      {long_entry(0x0112, {6}), short_entry(0x0102, {8, 8, 8})},
      {{ascii_entry(0x9003, std::string_view("first\0", 6)),
        ascii_entry(0x9003, std::string_view("19 letters 12:34:56\0", 20)),
        raw_entry(0x9004, 2, 20, 0xFFFFFF00), ascii_entry(0x9291, std::string_view("ab\0\0", 4)),
        ascii_entry(0xA433, ""), short_entry(0xA002, {4000}), long_entry(0xA003, {70000}),
        short_entry(0x9209, {0x19}), rational_entry(0x829D, {28, 10}),
        rational_entry(0x9204, {1, 3}, 10), rational_entry(0xA432, {24, 1, 70, 1})}},
      {}});
  ASSERT_EQ(d.code, exif_decoded);
  const ExifRecord& r = d.record;
  EXPECT_EQ(r.orientation, 0);  // LONG is not accepted for it
  EXPECT_EQ(r.bits_per_sample, 8);
  EXPECT_EQ(r.date_time_original, "19 letters 12:34:56");
  EXPECT_TRUE(r.date_time_digitized.isEmpty());
  EXPECT_EQ(r.sub_sec_time_original, QByteArray("ab\0", 3));
  EXPECT_TRUE(r.lens_make.isEmpty());
  EXPECT_EQ(r.image_width, 4000u);
  EXPECT_EQ(r.image_height, 70000u);
  EXPECT_EQ(r.flash_fired, 1);
  EXPECT_EQ(r.flash_return, 0);
  EXPECT_EQ(r.flash_mode, 3);
  EXPECT_DOUBLE_EQ(r.f_number, 2.8);
  EXPECT_EQ(r.exposure_bias, 0.0);
  EXPECT_EQ(r.lens_specification[1], 70.0);
  EXPECT_EQ(r.lens_specification[2], 0.0);
}

TEST(ExifBlockDecoder, TextsOutliveTheBlock) {
  Bytes block = build_exif_block(photo_exif("2024:05:17 10:11:12"));
  ExifRecord record;
  ASSERT_EQ(decode_exif_block(record, block.data(), static_cast<std::uint32_t>(block.size())),
            exif_decoded);
  std::fill(block.begin(), block.end(), 'x');
  block = Bytes();
  EXPECT_EQ(record.date_time_original, "2024:05:17 10:11:12");
  EXPECT_EQ(record.camera_make, "Maker");
}

}  // namespace
