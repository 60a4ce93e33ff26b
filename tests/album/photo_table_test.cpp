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

TEST(MakePhotoRow, RefusesACoordinateThatIsNoNumber) {
  EXPECT_THROW(make_photo_row("a.jpg", PhotoPosition{"1", "x", ""}), AppError);
  const PhotoRow row = make_photo_row("a.jpg", PhotoPosition{"1.5", "-2", "2020:01:01 00:00:00"});
  EXPECT_EQ(row.latitude_short, "1.50000");
  EXPECT_EQ(row.longitude_short, "-2.00000");
  EXPECT_EQ(row.date_time, "2020:01:01 00:00:00");
}

}  // namespace
