#include "album/page/album_page.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <vector>

#include "album_test_support.h"
#include "tests/platform_expectations.h"
#include "text/app_error.h"

namespace {

struct RecordedLog : AlbumLog {
  QStringList lines;
  void append_line(const WideText& line) override { lines.append(line); }
};

const QByteArray kBom = "\xEF\xBB\xBF";
const char kSeparator[] = "----------------------------------------------------------------";

TEST(BuildAlbumLists, JoinsTheRowsInTableOrder) {
  std::vector<PhotoRow> table = {
      make_row("a.jpg", "2019:07:14 10:22:03", "48.8583701", "2.2944813"),
      make_row("b.jpg", "", "48.8583702", "2.2944811"),
      make_row("not in this run.jpg", "", "1", "1"),
  };
  table[1].longitude_short = "2.29450";  // as the separation leaves it
  const AlbumLists lists = build_album_lists(std::span(table).first(2));
  EXPECT_EQ(lists.lat_long_photo_1, "48.85837,2.29448");
  EXPECT_EQ(lists.filenames, "\"a.jpg\",\"b.jpg\"");
  EXPECT_EQ(lists.datetimes, "\"2019:07:14 10:22:03\",\"\"");
  EXPECT_EQ(lists.latlngs, "[48.8583701,2.2944813],[48.8583702,2.2944811]");
  EXPECT_EQ(lists.latlngs_short, "[48.85837,2.29448],[48.85837,2.29450]");
}

TEST(BuildAlbumLists, OneRowAndNoRow) {
  const std::vector<PhotoRow> table = {make_row("a.jpg", "", "-33.8678", "151.2093")};
  const AlbumLists one = build_album_lists(table);
  EXPECT_EQ("[" + one.lat_long_photo_1 + "]", one.latlngs_short);
  EXPECT_EQ(one.filenames, "\"a.jpg\"");

  const AlbumLists none = build_album_lists({});
  for (const AnsiText* list : {&none.lat_long_photo_1, &none.filenames, &none.datetimes,
                               &none.latlngs, &none.latlngs_short}) {
    EXPECT_TRUE(list->isEmpty());
  }
}

TEST(BuildAlbumLists, EscapesNamesAndDateTimes) {
  const std::vector<PhotoRow> table = {
      make_row("x\"</script>.jpg", "2019:07:14\n\"", "1", "2"),
      make_row("it's.jpg", "", "1", "2"),
  };
  const AlbumLists lists = build_album_lists(table);
  EXPECT_EQ(lists.filenames, "\"x\\\"\\u003C/script>.jpg\",\"it's.jpg\"");
  EXPECT_EQ(lists.datetimes, "\"2019:07:14\\u000A\\\"\",\"\"");
}

// The address lists hold an entry for every photo, or nothing when no entry tells more than the
// photo's name (an address that is the name, no preview).
TEST(BuildAlbumLists, AddressListsAreLeftEmptyWhenTheyTellNothing) {
  const auto row = [](const char* path, const char* preview) {
    PhotoRow r;
    r.path = path;
    r.file_name = AnsiText(path).mid(AnsiText(path).lastIndexOf('/') + 1);
    r.preview_url = preview;
    return r;
  };
  const struct {
    std::vector<PhotoRow> rows;
    const char* photo_urls;
    const char* preview_urls;
  } cases[] = {
      {{row("/p/a.jpg", ""), row("/p/b.jpg", "")}, "", ""},
      {{row("/p/a.jpg", "v/1.jpg"), row("/p/b c.jpg", "")},
       "null,\"b%20c.jpg\"",
       "\"v/1.jpg\",\"\""},
      {{row("/p/a.jpg", ""), row("/q/b.jpg", "")}, "null,\"../q/b.jpg\"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(build_photo_urls(c.rows, "/p/"), AnsiText(c.photo_urls)) << c.photo_urls;
    EXPECT_EQ(build_preview_urls(c.rows), AnsiText(c.preview_urls)) << c.preview_urls;
  }
}

// The photos not on the map: name, date-time and address each, escaped like the other lists.
TEST(BuildAlbumLists, UnplacedPhotosWithTheirNamesDatesAndAddresses) {
  const struct {
    std::vector<UnplacedPhoto> photos;
    const char* list;
  } cases[] = {
      {{}, ""},
      {{{"/p/a.jpg", "2019:07:14 10:22:03"}}, "[\"a.jpg\",\"2019:07:14 10:22:03\",\"a.jpg\"]"},
      {{{"/q/x \"<b>.heic", ""}, {"/p/b.jpg", ""}},
       "[\"x \\\"\\u003Cb>.heic\",\"\",\"../q/x%20%22%3Cb%3E.heic\"],"
       "[\"b.jpg\",\"\",\"b.jpg\"]"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(build_unplaced_list(c.photos, "/p/"), AnsiText(c.list)) << c.list;
  }
}

TEST(FillAlbumTemplate, FillsEveryPlaceholderInOnePass) {
  const AlbumLists lists = {
      "1.00000,2.00000", "\"{vorn_datetimes}.jpg\"", "\"D\"", "[L]", "[S]", "\"u\"", "", ""};
  const struct {
    const char* template_text;
    const char* page;
  } cases[] = {
      {"", ""},
      {"no placeholder here", "no placeholder here"},
      {"center({vorn_lat_long_photo_1})", "center(1.00000,2.00000)"},
      // A file name holding a placeholder stays as it is.
      {"names=[{vorn_filenames}];", "names=[\"{vorn_datetimes}.jpg\"];"},
      {"{vorn_latlngs}{vorn_latlngs_short}{vorn_latlngs}", "[L][S][L]"},
      {"urls=[{vorn_photo_urls}]", "urls=[\"u\"]"},
      {"{VORN_filenames} {vorn_Filenames}", "{VORN_filenames} {vorn_Filenames}"},
      {"{vorn_{vorn_datetimes}", "{vorn_\"D\""},
      {"{vorn_latlngs_shor} {vorn_datetimes", "{vorn_latlngs_shor} {vorn_datetimes"},
      {"\xC3\xA9{vorn_datetimes}\xE6\x9D\xB1", "\xC3\xA9\"D\"\xE6\x9D\xB1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fill_album_template(c.template_text, lists), AnsiText(c.page)) << c.template_text;
  }
}

class AlbumFiles : public testing::Test {
 protected:
  QString path(const QString& name) const { return dir_.filePath(name); }
  // Every file but the template, hidden ones included, so a stray temporary file shows.
  QStringList written_files() const {
    QStringList files = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
    files.removeAll("template.html");
    return files;
  }
  QTemporaryDir dir_;
};

class WriteAlbumPage : public AlbumFiles {
 protected:
  QString page() const { return path("20240131142530.html"); }
  bool write(const QByteArray& template_bytes) {
    write_bytes(path("template.html"), template_bytes);
    return !write_album_page(input(path("template.html")), log_).isEmpty();
  }
  // The page writer's input, with the template read as the album reads it.
  AlbumPageInput input(const QString& template_file) const {
    AlbumPageInput input;
    input.rows = rows_;
    input.page_path = to_ansi(page());
    input.album_template = load_album_template(to_ansi(template_file));
    return input;
  }

  std::vector<PhotoRow> rows_ = {make_row("a.jpg", "2019:07:14 10:22:03", "1.5", "-2.25")};
  RecordedLog log_;
};

TEST_F(WriteAlbumPage, TurnsEveryTemplateFormIntoCrLfUtf8) {
  const auto utf16 = [](const char* text, bool big_endian) {
    const QString wide = QString::fromUtf8(text);
    QByteArray bytes = big_endian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const QChar c : wide) {
      const char high = static_cast<char>(c.unicode() >> 8);
      const char low = static_cast<char>(c.unicode() & 0xFF);
      bytes += big_endian ? QByteArray{&high, 1} + QByteArray{&low, 1}
                          : QByteArray{&low, 1} + QByteArray{&high, 1};
    }
    return bytes;
  };
  const struct {
    const char* what;
    QByteArray template_bytes;
    QByteArray page;
  } cases[] = {
      {"LF only", "A\n{vorn_filenames}\nB\n", kBom + "A\r\n\"a.jpg\"\r\nB"},
      {"ends in an empty line", "{vorn_filenames}\n\n", kBom + "\"a.jpg\"\r\n"},
      {"CR, LF and CR LF", "A\rB\r\nC\n{vorn_datetimes}",
       kBom + "A\r\nB\r\nC\r\n\"2019:07:14 10:22:03\""},
      {"NUL ends the text", QByteArray("{vorn_filenames}\nB\0C\n", 22), kBom + "\"a.jpg\"\r\nB"},
      {"UTF-8 with mark", "\xEF\xBB\xBF\xC3\xA9{vorn_datetimes}\r\n",
       kBom + "\xC3\xA9\"2019:07:14 10:22:03\""},
      {"UTF-16 LE", utf16("\xC3\xA9={vorn_latlngs_short};\r\n\xE6\x9D\xB1\r\n", false),
       kBom + "\xC3\xA9=[1.50000,-2.25000];\r\n\xE6\x9D\xB1"},
      {"UTF-16 BE", utf16("{vorn_latlngs}|{vorn_lat_long_photo_1}\n", true),
       kBom + "[1.5,-2.25]|1.50000,-2.25000"},
  };
  for (const auto& c : cases) {
    QFile::remove(page());
    EXPECT_TRUE(write(c.template_bytes)) << c.what;
    EXPECT_EQ(read_bytes(page()), c.page) << c.what;
  }
}

TEST_F(WriteAlbumPage, LogsTheSummaryWithThePageWritten) {
  // An album of the same second stays; the new one takes the next free name.
  write_bytes(page(), QByteArray(5000, 'x'));
  const QString second_page = path("20240131142530-2.html");
  EXPECT_TRUE(write("{vorn_filenames}"));
  EXPECT_EQ(read_bytes(page()), QByteArray(5000, 'x'));
  EXPECT_EQ(read_bytes(second_page), kBom + "\"a.jpg\"");
  EXPECT_EQ(log_.lines, QStringList({kSeparator, "", "Total added 1 photos in this album.",
                                     "The album html file was saved as:", second_page}));
  EXPECT_EQ(written_files(), QStringList({second_page.section('/', -1), page().section('/', -1)}));
}

// An empty or binary file, or a page that is no album template, would give a page without
// photos: the album ends with an error instead, and no page is written.
TEST_F(WriteAlbumPage, RefusesATemplateWithoutPlaceholders) {
  const QByteArray templates[] = {"", "\xEF\xBB\xBF",
                                  QByteArray("\x7F"
                                             "ELF\0{vorn_filenames}",
                                             21),
                                  "<html>no placeholder</html>\n", "{VORN_FILENAMES}"};
  for (const QByteArray& bytes : templates) {
    log_.lines.clear();
    try {
      write(bytes);
      ADD_FAILURE() << "no error for " << bytes.toStdString();
    } catch (const AppError& error) {
      EXPECT_EQ(error.message(), "The template \"" + path("template.html") +
                                     "\" holds none of the album's placeholders (such as "
                                     "{vorn_filenames}), so its page would show no photo");
    }
    EXPECT_EQ(log_.lines, QStringList({kSeparator, ""}));
    EXPECT_TRUE(written_files().isEmpty());
  }
}

TEST_F(WriteAlbumPage, SaysSoWhenNoPhotoWasAdded) {
  AlbumPageInput no_rows = input(path("no template here.html"));
  no_rows.rows = {};
  EXPECT_TRUE(write_album_page(no_rows, log_).isEmpty());
  EXPECT_EQ(log_.lines,
            QStringList({kSeparator, "", "No photos added, so we have not create html for you."}));
  EXPECT_TRUE(written_files().isEmpty());
}

TEST_F(WriteAlbumPage, EndsAfterTheSeparatorWhenTheTemplateCannotBeRead) {
  QDir(dir_.path()).mkdir("a folder");
  for (const QString& unreadable : {path("missing.html"), path("a folder")}) {
    log_.lines.clear();
    try {
      write_album_page(input(unreadable), log_);
      ADD_FAILURE() << "no error for " << unreadable.toStdString();
    } catch (const AppError& error) {
      EXPECT_TRUE(
          error.message().startsWith("Cannot open file \"" + native_path(unreadable) + "\". "))
          << error.what();
    }
    EXPECT_EQ(log_.lines, QStringList({kSeparator, ""}));
  }
  EXPECT_TRUE(written_files().isEmpty());
}

}  // namespace
