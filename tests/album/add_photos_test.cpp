#include "album/add_photos.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "album_test_support.h"
#include "fake_album_host.h"
#include "fixture_photos.h"
#include "text/app_error.h"

namespace {

const char kSeparator[] = "----------------------------------------------------------------";
const QByteArray kBom = "\xEF\xBB\xBF";

const char kTemplate[] =
    "<title>{vorn_lat_long_photo_1}</title>\n"
    "names=[{vorn_filenames}];\n"
    "dates=[{vorn_datetimes}];\n"
    "full=[{vorn_latlngs}];\n"
    "short=[{vorn_latlngs_short}];\n";

class AddPhotos : public testing::Test {
 protected:
  AddPhotos() {
    write_plain_file(path("template.html"), kTemplate);
    QDir(dir_.path()).mkdir("first");
    QDir(dir_.path()).mkdir("others");
  }

  QString path(const QString& name) const { return dir_.filePath(name); }

  std::int32_t run() { return add_photos(host_, path("template.html")); }

  QTemporaryDir dir_;
  FakeAlbumHost host_;
};

TEST_F(AddPhotos, LogsEveryFileAndWritesTheOrderedPage) {
  const GpsAngle eiffel_north{'N', 48, 51, 36}, eiffel_east{'E', 2, 17, 24};
  write_photo_without_gps(path("first/no_gps.jpg"), "2019:07:14 08:00:00");
  write_plain_file(path("others/notes.tif"), "II*\0 not a JPEG");
  write_gps_photo(path("others/IMG_2.JPG"), eiffel_north, eiffel_east, "2019:07:14 10:22:03");
  write_gps_photo(path("others/IMG_1.jpg"), eiffel_north, eiffel_east, "2019:07:14 09:00:00");
  write_gps_photo(path("others/south.jpg"), {'S', 33, 52, 12}, {'E', 151, 12, 36}, nullptr);
  write_gps_photo(path("others/say \"hi\".jpg"), {'N', 0, 0, 0}, {'E', 10, 0, 0},
                  "2019:07:15 08:00:00");
  host_.files_to_pick = {path("first/no_gps.jpg"),     path("others/missing.jpg"),
                         path("others/notes.tif"),     path("others/IMG_2.JPG"),
                         path("others/IMG_1.jpg"),     path("others/south.jpg"),
                         path("others/say \"hi\".jpg")};
  host_.log = {"[log window]"};

  EXPECT_EQ(run(), 4);

  const QString page = path("first/20240131142530.html");
  EXPECT_EQ(host_.log, QStringList({
                           "Begin to add photos...",
                           kSeparator,
                           "",
                           "#1: no_gps.jpg",
                           "Latitude and longitude not found! ",
                           "",
                           "#2: missing.jpg",
                           "Open file failed. failed code=-1",
                           "",
                           "#3: notes.tif",
                           "Parsing exif failed. failed code=-3",
                           "",
                           "#4: IMG_2.JPG",
                           "latitude=48.86, longitude=2.29, DateTime=2019:07:14 10:22:03, OK!",
                           "",
                           "#5: IMG_1.jpg",
                           "latitude=48.86, longitude=2.29, DateTime=2019:07:14 09:00:00, OK!",
                           "",
                           "#6: south.jpg",
                           "latitude=-33.87, longitude=151.21, DateTime=, OK!",
                           "",
                           "#7: say \"hi\".jpg",
                           "latitude=0, longitude=10, DateTime=2019:07:15 08:00:00, OK!",
                           "",
                           kSeparator,
                           "",
                           "Total added 4 photos in this album.",
                           "The album html file was saved as:",
                           page,
                       }));
  // Album order is date-time order (the empty text first); IMG_2 shares IMG_1's spot and
  // moves one step east in the short list only.
  EXPECT_EQ(read_bytes(page),
            kBom +
                "<title>-33.87000,151.21000</title>\r\n"
                "names=[\"south.jpg\",\"IMG_1.jpg\",\"IMG_2.JPG\",\"say \\\"hi\\\".jpg\"];\r\n"
                "dates=[\"\",\"2019:07:14 09:00:00\",\"2019:07:14 10:22:03\","
                "\"2019:07:15 08:00:00\"];\r\n"
                "full=[[-33.87,151.21],[48.86,2.29],[48.86,2.29],[0,10]];\r\n"
                "short=[[-33.87000,151.21000],[48.86000,2.29000],[48.86000,2.29002],"
                "[0.00000,10.00000]];");
  EXPECT_EQ(host_.opened, QStringList{page});
  EXPECT_EQ(host_.photos_started, 7);
  EXPECT_EQ(host_.clock_reads, 1);
  EXPECT_EQ(host_.running_changes, std::vector<bool>({true, false}));
}

// A coordinate no place on Earth has (a value of an SRATIONAL with its top bit set, read
// unsigned, or simply 91 degrees) is logged with its values and left out of the album.
TEST_F(AddPhotos, LeavesOutImpossiblePositions) {
  const struct {
    GpsAngle latitude;
    GpsAngle longitude;
    const char* line;
  } cases[] = {
      {{'N', 4294967263u, 51, 0},
       {'E', 2, 0, 0},
       "Impossible position, left out: latitude=4294967263.85, longitude=2 (a latitude lies "
       "within -90 and 90, a longitude within -180 and 180)"},
      {{'S', 91, 0, 0},
       {'E', 2, 0, 0},
       "Impossible position, left out: latitude=-91, longitude=2 (a latitude lies within -90 "
       "and 90, a longitude within -180 and 180)"},
      {{'N', 1, 0, 0},
       {'W', 180, 0, 36},
       "Impossible position, left out: latitude=1, longitude=-180.01 (a latitude lies within "
       "-90 and 90, a longitude within -180 and 180)"},
  };
  for (const auto& c : cases) {
    write_gps_photo(path("first/odd.jpg"), c.latitude, c.longitude, "2020:01:01 00:00:00");
    host_.files_to_pick = {path("first/odd.jpg")};
    EXPECT_EQ(run(), 0) << c.line;
    ASSERT_GE(host_.log.size(), 5);
    EXPECT_EQ(host_.log[4], c.line);
    EXPECT_EQ(host_.log.back(), "No photos added, so we have not create html for you.");
  }
  // Next to a good photo, only the good one is on the page.
  write_gps_photo(path("first/good.jpg"), {'N', 90, 0, 0}, {'W', 180, 0, 0}, "2020:01:02 00:00:00");
  host_.files_to_pick = {path("first/odd.jpg"), path("first/good.jpg")};
  EXPECT_EQ(run(), 1);
  EXPECT_TRUE(host_.log.contains("Total added 1 photos in this album."));
}

// The dialog hands names that are no valid text with U+FFFD in place of their bytes: the log
// says why such a file cannot be opened.
TEST_F(AddPhotos, ExplainsANameThatCannotBeOpenedAsGiven) {
  host_.files_to_pick = {path(QString::fromUtf8("first/caf\xEF\xBF\xBD.jpg"))};
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(
      host_.log.mid(3, 3),
      QStringList({QString::fromUtf8("#1: caf\xEF\xBF\xBD.jpg"), "Open file failed. failed code=-1",
                   "The name holds a character that stands for bytes which are no valid "
                   "text, so the file cannot be opened by this name. trailbook-album reads "
                   "such names as they are."}));
}

// Two albums made within one second are both kept, the second under a suffixed name.
TEST_F(AddPhotos, TwoRunsInOneSecondLeaveTwoPages) {
  write_gps_photo(path("first/a.jpg"), {'N', 1, 0, 0}, {'E', 2, 0, 0}, "2020:01:01 00:00:00");
  write_plain_file(path("template.html"), "{vorn_filenames}");
  for (int run_number = 0; run_number < 2; ++run_number) {
    host_.files_to_pick = {path("first/a.jpg")};
    ASSERT_EQ(run(), 1);
  }
  const QStringList pages = {path("first/20240131142530.html"),
                             path("first/20240131142530-2.html")};
  EXPECT_EQ(host_.opened, pages);
  EXPECT_EQ(host_.log.back(), pages[1]);
  for (const QString& page : pages)
    EXPECT_EQ(read_bytes(page), kBom + "\"a.jpg\"") << page.toStdString();
}

TEST_F(AddPhotos, CancelledDialogClearsTheLogAndTouchesNothing) {
  host_.confirm_dialog = false;
  host_.files_to_pick = {path("first/a.jpg")};
  host_.log = {"[log window]"};
  EXPECT_EQ(run(), 0);
  EXPECT_TRUE(host_.log.isEmpty());
  EXPECT_EQ(host_.dialog_shows, 1);
  EXPECT_EQ(host_.clock_reads, 0);
  EXPECT_TRUE(host_.opened.isEmpty());
  EXPECT_FALSE(host_.running);
}

QStringList fake_paths(int count) {
  QStringList paths;
  paths.reserve(count);
  for (int i = 0; i < count; ++i) paths.append("/no such folder/p" + QString::number(i) + ".jpg");
  return paths;
}

TEST_F(AddPhotos, RefusesMoreFilesThanTheTableHolds) {
  host_.files_to_pick = fake_paths(100001);
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(host_.messages,
            QStringList{"You select too many files! The max files count is 100000."});
  EXPECT_EQ(host_.log, QStringList({"Begin to add photos...", kSeparator, ""}));
  EXPECT_EQ(host_.photos_started, 0);
  EXPECT_FALSE(host_.running);
}

TEST_F(AddPhotos, TakesExactlyAsManyFilesAsTheTableHolds) {
  host_.files_to_pick = fake_paths(100000);
  EXPECT_EQ(run(), 0);
  EXPECT_TRUE(host_.messages.isEmpty());
  ASSERT_EQ(host_.log.size(), 3 + 3 * 100000 + 3);
  EXPECT_EQ(host_.log[3], "#1: p0.jpg");
  EXPECT_EQ(host_.log[host_.log.size() - 6], "#100000: p99999.jpg");
  EXPECT_EQ(host_.log[host_.log.size() - 5], "Open file failed. failed code=-1");
  EXPECT_EQ(host_.log.back(), "No photos added, so we have not create html for you.");
  EXPECT_EQ(host_.photos_started, 100000);
  EXPECT_EQ(host_.clock_reads, 1);
}

TEST_F(AddPhotos, KeepsTheCommandsDisabledWhileItRuns) {
  write_gps_photo(path("first/a.jpg"), {'N', 1, 0, 0}, {'E', 2, 0, 0}, "2020:01:01 00:00:00");
  host_.files_to_pick = {path("first/a.jpg"), path("first/b.jpg")};
  std::vector<bool> running_during_run;
  host_.on_photo_started = [&] { running_during_run.push_back(host_.running); };
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(running_during_run, std::vector<bool>({true, true}));
  EXPECT_EQ(host_.running_changes, std::vector<bool>({true, false}));
}

TEST_F(AddPhotos, EnablesTheCommandsAgainWhenAnErrorEndsTheRun) {
  host_.files_to_pick = {path("first/a.jpg")};
  host_.on_photo_started = [] { throw AppError("out of memory"); };
  EXPECT_THROW(run(), AppError);
  EXPECT_EQ(host_.running_changes, std::vector<bool>({true, false}));
}

TEST_F(AddPhotos, ReportsAPageFolderThatCannotTakeThePage) {
  // The first file decides the folder, even when it cannot be read.
  write_gps_photo(path("first/a.jpg"), {'N', 1, 0, 0}, {'E', 2, 0, 0}, "2020:01:01 00:00:00");
  host_.files_to_pick = {path("gone/x.jpg"), path("first/a.jpg")};
  try {
    run();
    ADD_FAILURE() << "no error";
  } catch (const AppError& error) {
    EXPECT_TRUE(
        error.message().startsWith("Cannot create file \"" + path("gone/20240131142530.html")))
        << error.what();
  }
  EXPECT_EQ(host_.log.back(), "");
  EXPECT_TRUE(host_.opened.isEmpty());
  EXPECT_FALSE(host_.running);
}

TEST_F(AddPhotos, SecondRunStartsAfreshWithItsOwnPage) {
  write_gps_photo(path("first/a.jpg"), {'N', 1, 0, 0}, {'E', 2, 0, 0}, "2020:01:01 00:00:00");
  write_gps_photo(path("first/b.jpg"), {'N', 3, 0, 0}, {'E', 4, 0, 0}, "2020:01:02 00:00:00");
  write_plain_file(path("template.html"), "{vorn_filenames}|{vorn_latlngs}");
  host_.files_to_pick = {path("first/b.jpg"), path("first/a.jpg")};
  ASSERT_EQ(run(), 2);

  host_.files_to_pick = {path("first/b.jpg")};
  host_.now = host_.now.addSecs(61);
  ASSERT_EQ(run(), 1);

  EXPECT_EQ(host_.log.first(), "Begin to add photos...");
  EXPECT_EQ(host_.log.filter("#").size(), 1);
  EXPECT_EQ(read_bytes(path("first/20240131142530.html")),
            kBom + "\"a.jpg\",\"b.jpg\"|[1,2],[3,4]");
  EXPECT_EQ(read_bytes(path("first/20240131142631.html")), kBom + "\"b.jpg\"|[3,4]");
  EXPECT_EQ(host_.opened,
            QStringList({path("first/20240131142530.html"), path("first/20240131142631.html")}));
  EXPECT_EQ(host_.clock_reads, 2);
}

}  // namespace
