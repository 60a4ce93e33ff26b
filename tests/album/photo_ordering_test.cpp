#include "album/photo_ordering.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "album_test_support.h"

namespace {

PhotoRow dated_row(const char* name, const char* date_time) {
  PhotoRow row;
  row.file_name = name;
  row.date_time = date_time;
  return row;
}

TEST(RowDateTimeLess, ComparesUnsignedBytes) {
  const struct {
    const char* a;
    const char* b;
    bool a_first;
    bool b_first;
  } cases[] = {
      {"2021:03:04 09:59:59", "2021:03:04 10:00:00", true, false},
      // Malformed texts are not parsed: the digit 3 sorts after the digit 0.
      {"2021:3:4 10:00:00", "2021:03:04 23:00:00", false, true},
      {"", "2021:03:04 10:00:00", true, false},
      {"2021:03:04", "2021:03:04 10:00:00", true, false},
      {"z", "\xE9", true, false},
      {"\x7F", "\x80", true, false},
      {"10", "9", true, false},
      {"2021:03:04 10:00:00", "2021:03:04 10:00:00", false, false},
      {"", "", false, false},
  };
  for (const auto& c : cases) {
    const PhotoRow a = dated_row("a", c.a);
    const PhotoRow b = dated_row("b", c.b);
    EXPECT_EQ(row_date_time_less(a, b), c.a_first) << c.a << " / " << c.b;
    EXPECT_EQ(row_date_time_less(b, a), c.b_first) << c.b << " / " << c.a;
  }
}

TEST(SortPhotoRows, OrdersWholeRowsAndLeavesLaterRowsAlone) {
  std::vector<PhotoRow> table = {
      dated_row("c", "2021:03:04 10:00:00"),
      dated_row("d", "\xC3\xA9t\xC3\xA9"),
      dated_row("a", ""),
      dated_row("b", "2021:03:04 09:59:59"),
      dated_row("later", ""),
  };
  table[0].latitude = "c-lat";
  sort_photo_rows(std::span(table).first(4));
  std::string names;
  for (const PhotoRow& row : table) names += row.file_name.toStdString() + " ";
  EXPECT_EQ(names, "a b c d later ");
  EXPECT_EQ(table[2].latitude, "c-lat");
}

// A burst shot within one second keeps the order it was given in, however long it is.
TEST(SortPhotoRows, KeepsTheGivenOrderOfEqualDateTimes) {
  std::vector<PhotoRow> table;
  for (int i = 0; i < 50000; ++i) {
    table.push_back(dated_row(std::to_string(i).c_str(),
                              i % 3 == 0 ? "2021:03:04 10:00:00" : "2021:03:04 09:00:00"));
  }
  sort_photo_rows(table);
  for (std::size_t i = 1; i < table.size(); ++i) {
    if (table[i].date_time != table[i - 1].date_time) continue;
    ASSERT_LT(table[i - 1].file_name.toInt(), table[i].file_name.toInt()) << "row " << i;
  }
  EXPECT_EQ(table.front().file_name, "1");
  EXPECT_EQ(table.back().file_name, "49998");
}

TEST(NudgeCoordinateText, MovesByTwoUnitsOfTheFifthDecimalPerStep) {
  const struct {
    const char* text;
    std::int32_t k;
    const char* expected;
  } cases[] = {
      {"2.29448", 1, "2.29450"},       {"48.85837", 2, "48.85841"}, {"-33.86785", 2, "-33.86781"},
      {"-0.00001", 1, "0.00001"},      {"-0.00002", 1, "0.00000"},  {"89.99999", 1, "90.00001"},
      {"179.99999", 3, "180.00005"},   {"0.00000", 4, "0.00008"},   {"1.00000", 50000, "2.00000"},
      {"-122.41940", 7, "-122.41926"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(nudge_coordinate_text(c.text, c.k), AnsiText(c.expected)) << c.text << " k=" << c.k;
  }
}

struct ShortPosition {
  const char* latitude;
  const char* longitude;
};

struct SeparationCase {
  const char* what;
  std::vector<ShortPosition> before;  // in album order
  std::vector<ShortPosition> after;
};

TEST(SeparateSharedPositions, MovesLaterPhotosOfAGroup) {
  const SeparationCase cases[] = {
      {"one row", {{"1.00000", "1.00000"}}, {{"1.00000", "1.00000"}}},
      {"two rows at one spot",
       {{"1.00000", "1.00000"}, {"1.00000", "1.00000"}},
       {{"1.00000", "1.00000"}, {"1.00000", "1.00002"}}},
      {"three of a group among others",
       {{"1.00000", "1.00000"},
        {"48.85837", "2.29448"},
        {"2.00000", "2.00000"},
        {"48.85837", "2.29448"},
        {"48.85837", "2.29448"}},
       {{"1.00000", "1.00000"},
        {"48.85837", "2.29448"},
        {"2.00000", "2.00000"},
        {"48.85837", "2.29450"},
        {"48.85841", "2.29448"}}},
      {"five of a group alternate east and north",
       {{"0.00000", "0.00000"},
        {"0.00000", "0.00000"},
        {"0.00000", "0.00000"},
        {"0.00000", "0.00000"},
        {"0.00000", "0.00000"}},
       {{"0.00000", "0.00000"},
        {"0.00000", "0.00002"},
        {"0.00004", "0.00000"},
        {"0.00000", "0.00006"},
        {"0.00008", "0.00000"}}},
      {"a move onto another photo is undone in the next pass",
       {{"1.00000", "1.00000"}, {"1.00000", "1.00000"}, {"1.00000", "1.00002"}},
       {{"1.00000", "1.00000"}, {"1.00000", "1.00002"}, {"1.00000", "1.00004"}}},
      {"negative coordinates move north and east",
       {{"-33.86785", "-151.20000"}, {"-33.86785", "-151.20000"}, {"-33.86785", "-151.20000"}},
       {{"-33.86785", "-151.20000"}, {"-33.86785", "-151.19998"}, {"-33.86781", "-151.20000"}}},
      {"the same latitude alone is no shared position",
       {{"5.00000", "1.00000"}, {"5.00000", "2.00000"}},
       {{"5.00000", "1.00000"}, {"5.00000", "2.00000"}}},
      // Each pass pushes the clash one photo further; the fifth pass leaves the last pair.
      {"a chain longer than five passes stays partly shared",
       {{"0.00000", "0.00000"},
        {"0.00000", "0.00000"},
        {"0.00000", "0.00002"},
        {"0.00000", "0.00004"},
        {"0.00000", "0.00006"},
        {"0.00000", "0.00008"},
        {"0.00000", "0.00010"}},
       {{"0.00000", "0.00000"},
        {"0.00000", "0.00002"},
        {"0.00000", "0.00004"},
        {"0.00000", "0.00006"},
        {"0.00000", "0.00008"},
        {"0.00000", "0.00010"},
        {"0.00000", "0.00010"}}},
  };
  for (const SeparationCase& c : cases) {
    std::vector<PhotoRow> table;
    for (const ShortPosition& p : c.before) {
      PhotoRow row;
      row.latitude = row.latitude_short = p.latitude;
      row.longitude = row.longitude_short = p.longitude;
      table.push_back(row);
    }
    table.push_back(table.front());  // beyond the rows given: never read nor written
    separate_shared_positions(std::span(table).first(c.before.size()));
    for (std::size_t i = 0; i < c.after.size(); ++i) {
      EXPECT_EQ(table[i].latitude_short, c.after[i].latitude) << c.what << ", row " << i;
      EXPECT_EQ(table[i].longitude_short, c.after[i].longitude) << c.what << ", row " << i;
      // The full-precision texts never change.
      EXPECT_EQ(table[i].latitude, c.before[i].latitude) << c.what << ", row " << i;
      EXPECT_EQ(table[i].longitude, c.before[i].longitude) << c.what << ", row " << i;
    }
    EXPECT_EQ(table.back().longitude_short, c.before.front().longitude) << c.what;
  }
}

TEST(SeparateSharedPositions, SeparatesPositionsThatDifferBeyondTheFifthDecimal) {
  std::vector<PhotoRow> table = {make_row("a.jpg", "", "48.858371", "2.2944813"),
                                 make_row("b.jpg", "", "48.858374", "2.2944811")};
  separate_shared_positions(table);
  EXPECT_EQ(table[0].longitude_short, "2.29448");
  EXPECT_EQ(table[1].longitude_short, "2.29450");
  EXPECT_EQ(table[1].latitude_short, "48.85837");
}

}  // namespace
