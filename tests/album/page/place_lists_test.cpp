#include "album/page/place_lists.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "album/page/album_page.h"
#include "album_test_support.h"
#include "places/place_data_file.h"
#include "tests/platform_expectations.h"

namespace {

struct RecordedLog : AlbumLog {
  QStringList lines;
  void append_line(const WideText& line) override { lines.append(line); }
};

const std::vector<TestPlace> kPlaces = {
    {46.36917, 14.11361, 5181, "Bled", 0},
    {45.94088, 13.62167, 34646, "Gorizia", 1},
    {45.0, 10.0, 1000, "Say \"</script>\"", 1},
    {45.0, 10.2, 1000, "Bled", 0},  // a second place of the same name
};
const std::vector<const char*> kCountries = {"Slovenia", "Italia \xE2\x80\xA8"};

TEST(BuildPlaceLists, ListsEachPlaceOnceAndEveryRowsNumber) {
  const PlaceIndex index(parse_place_data(place_data_file(kPlaces, kCountries)));
  const std::vector<PhotoRow> rows = {
      make_row("a.jpg", "", "45.94", "13.62"),  make_row("b.jpg", "", "40", "-40"),
      make_row("c.jpg", "", "46.369", "14.11"), make_row("d.jpg", "", "45.941", "13.6217"),
      make_row("e.jpg", "", "45.0001", "10.0"), make_row("f.jpg", "", "45.0", "10.2"),
  };
  EXPECT_EQ(build_place_lists(rows, index),
            "[[\"Gorizia\",\"Italia \\u2028\"],[\"Bled\",\"Slovenia\"],"
            "[\"Say \\\"\\u003C/script>\\\"\",\"Italia \\u2028\"],[\"Bled\",\"Slovenia\"]],"
            "[0,null,1,0,2,3]");
  EXPECT_EQ(build_place_lists(std::span(rows).subspan(1, 1), index), "");
  EXPECT_EQ(build_place_lists({}, index), "");
}

class WritePlaces : public testing::Test {
 protected:
  QString path(const QString& name) const { return dir_.filePath(name); }
  QByteArray page_of(const QByteArray& template_bytes, const QString& places_file) {
    write_bytes(path("template.html"), template_bytes);
    AlbumPageInput input;
    input.rows = rows_;
    input.page_path = to_ansi(path("album.html"));
    input.album_template = load_album_template(to_ansi(path("template.html")));
    input.places_file = to_ansi(places_file);
    const AnsiText page = write_album_page(input, log_);
    return read_bytes(to_wide(page));
  }

  QTemporaryDir dir_;
  std::vector<PhotoRow> rows_ = {make_row("a.jpg", "", "46.37", "14.11"),
                                 make_row("b.jpg", "", "0", "0")};
  RecordedLog log_;
};

TEST_F(WritePlaces, FillsThePlaceholderFromThePlaceData) {
  write_bytes(path("places.dat"), place_data_file(kPlaces, kCountries));
  EXPECT_EQ(page_of("p=[{vorn_places}];", path("places.dat")),
            "\xEF\xBB\xBFp=[[[\"Bled\",\"Slovenia\"]],[0,null]];");
  EXPECT_EQ(log_.lines.size(), 5);  // the separator, a blank line and the summary only
}

// Without the place data the page is written all the same, and the log says why once.
TEST_F(WritePlaces, LogsOneLineWhenThePlaceDataCannotBeRead) {
  write_bytes(path("damaged.dat"), place_data_file(kPlaces, kCountries).chopped(1));
  const struct {
    QString file;
    QString reason;
  } cases[] = {{path("missing.dat"), system_reason(SystemFailure::no_such_file)},
               {path("damaged.dat"), QStringLiteral("the file is damaged")},
               // Windows opens no folder as a file and says nothing more of it.
               {dir_.path(), on_windows ? QString() : QStringLiteral("Is a directory")}};
  for (const auto& c : cases) {
    log_.lines.clear();
    QFile::remove(path("album.html"));
    EXPECT_EQ(page_of("p=[{vorn_places}];", c.file), "\xEF\xBB\xBFp=[];");
    ASSERT_EQ(log_.lines.size(), 6);
    EXPECT_TRUE(log_.lines[2].startsWith("No place names on the page: the place data \"" + c.file +
                                         "\" cannot be read: " + c.reason))
        << log_.lines[2].toStdString();
  }
}

}  // namespace
