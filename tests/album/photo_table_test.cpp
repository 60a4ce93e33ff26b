#include "album/photo_table.h"

#include <gtest/gtest.h>

#include "text/app_error.h"

namespace {

TEST(FormatShortCoordinate, WritesFiveDecimals) {
  const struct {
    const char* coordinate;
    const char* expected;
  } cases[] = {
      {"48.8582222222222", "48.85822"},
      {"-122.4194", "-122.41940"},
      {"12.345678", "12.34568"},
      {"0", "0.00000"},
      {"-1E-6", "0.00000"},
      {"-0.000005", "-0.00001"},
      {"179.999996", "180.00000"},
      {"1E-5", "0.00001"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(format_short_coordinate(c.coordinate), AnsiText(c.expected)) << c.coordinate;
  }
}

TEST(FormatShortCoordinate, RejectsTextThatIsNoNumber) {
  EXPECT_THROW(format_short_coordinate("48,85"), AppError);
  EXPECT_THROW(format_short_coordinate(""), AppError);
}

TEST(FillPhotoRow, WritesAllSixFieldsThenCountsTheRow) {
  std::vector<PhotoRow> table(3);
  std::int32_t row_count = 1;
  fill_photo_row(table, row_count, "IMG_0412.JPG",
                 PhotoPosition{"48.8582222222222", "2.2945", "2019:07:14 10:22:03"});
  ASSERT_EQ(row_count, 2);
  const PhotoRow& row = table[1];
  EXPECT_EQ(row.file_name, "IMG_0412.JPG");
  EXPECT_EQ(row.date_time, "2019:07:14 10:22:03");
  EXPECT_EQ(row.latitude, "48.8582222222222");
  EXPECT_EQ(row.latitude_short, "48.85822");
  EXPECT_EQ(row.longitude, "2.2945");
  EXPECT_EQ(row.longitude_short, "2.29450");
  EXPECT_TRUE(table[0].file_name.isEmpty());
}

TEST(FillPhotoRow, LeavesTheCountWhenACoordinateIsNoNumber) {
  std::vector<PhotoRow> table(1);
  std::int32_t row_count = 0;
  EXPECT_THROW(fill_photo_row(table, row_count, "a.jpg", PhotoPosition{"1", "x", ""}), AppError);
  EXPECT_EQ(row_count, 0);
}

TEST(PhotoTable, HoldsTheLargestSelection) {
  EXPECT_EQ(photo_table().size(), static_cast<std::size_t>(kPhotoTableCapacity));
  EXPECT_EQ(photo_table().data(), photo_table().data());
}

}  // namespace
