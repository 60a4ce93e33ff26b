#include "text/text_ops.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/platform_expectations.h"

namespace {

TEST(AnsiText, ComparesUnsignedBytesWithoutLocale) {
  EXPECT_EQ(AnsiText(), AnsiText(""));
  EXPECT_STREQ(AnsiText().constData(), "");
  EXPECT_LT(AnsiText(), AnsiText("a"));
  EXPECT_LT(AnsiText("10"), AnsiText("9"));
  EXPECT_LT(AnsiText("z"), AnsiText("\xE9"));
  EXPECT_LT(AnsiText("2021:03:04"), AnsiText("2021:03:04 10:00:00"));
  EXPECT_NE(AnsiText("A"), AnsiText("a"));
}

TEST(CodePage, KeepsEveryCharacterOfAPath) {
  const WideText path = QString::fromUtf8("/home/ana/Fotos/Café 北京/ä\u00df.jpg");
  EXPECT_EQ(to_wide(to_ansi(path)), path);
  EXPECT_EQ(to_ansi(QStringLiteral("plain")), AnsiText("plain"));
}

TEST(FormatInt, WritesPercentI) {
  EXPECT_EQ(format_int(0), "0");
  EXPECT_EQ(format_int(-1), "-1");
  EXPECT_EQ(format_int(100000), "100000");
  EXPECT_EQ(format_int(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

TEST(FormatTimestamp, WritesFourteenDigits) {
  const QDateTime time(QDate(2024, 1, 31), QTime(9, 5, 7, 999));
  EXPECT_EQ(format_timestamp(time), "20240131090507");
  EXPECT_EQ(format_timestamp(QDateTime(QDate(987, 12, 3), QTime(23, 59, 0))), "09871203235900");
}

struct PathPartsCase {
  const char *folder, *name;
};

TEST(PathParts, SplitAtTheLastSlash) {
  struct Case {
    const char *path, *folder, *name;
  };
  const Case cases[] = {
      {"/home/ana/photos/a.jpg", "/home/ana/photos/", "a.jpg"},
      {"a.jpg", "", "a.jpg"},
      {"/a.jpg", "/", "a.jpg"},
      {"/photos/", "/photos/", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(folder_of(c.path), c.folder) << c.path;
    EXPECT_EQ(name_of(c.path), c.name) << c.path;
  }
}

// On Linux ':' and '\' are name characters; Windows ends a folder with either, as with '/'.
TEST(PathParts, SplitAtThePlatformsSeparators) {
  struct Case {
    const char* path;
    PathPartsCase linux_parts, windows_parts;
  };
  const Case cases[] = {
      {"/photos/12:30 lunch.jpg", {"/photos/", "12:30 lunch.jpg"}, {"/photos/12:", "30 lunch.jpg"}},
      {"C:a.jpg", {"", "C:a.jpg"}, {"C:", "a.jpg"}},
      {"C:\\photos\\a.jpg", {"", "C:\\photos\\a.jpg"}, {"C:\\photos\\", "a.jpg"}},
      {"/p/x\\y.jpg", {"/p/", "x\\y.jpg"}, {"/p/x\\", "y.jpg"}},
  };
  for (const Case& c : cases) {
    const PathPartsCase& parts = on_windows ? c.windows_parts : c.linux_parts;
    EXPECT_EQ(folder_of(c.path), parts.folder) << c.path;
    EXPECT_EQ(name_of(c.path), parts.name) << c.path;
    EXPECT_EQ(ansi_folder_of(c.path), AnsiText(parts.folder)) << c.path;
    EXPECT_EQ(ansi_name_of(c.path), AnsiText(parts.name)) << c.path;
  }
}

}  // namespace
