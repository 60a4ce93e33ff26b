// The window's track commands: Add Track, Clear Tracks and the time offset field.
#include <gtest/gtest.h>

#include "app/Unit1.h"
#include "app_test_support.h"
#include "fixture_photos.h"

namespace {

class TrackWindow : public ::testing::Test {
 protected:
  TrackWindow() {
    folder.write_version_file("2.5\n");
    write_plain_file(photos.filePath("template.html"), "[{vorn_filenames}] [{vorn_track}]");
    write_plain_file(photos.filePath("walk.gpx"),
                     "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\"><trk><trkseg>"
                     "<trkpt lat=\"48\" lon=\"2\"><time>2024-06-04T08:00:00Z</time></trkpt>"
                     "<trkpt lat=\"49\" lon=\"2\"><time>2024-06-04T08:10:00Z</time></trkpt>"
                     "</trkseg></trk></gpx>");
    write_photo_without_gps(photos.filePath("camera.jpg"), "2024:06:04 10:05:00");
    desktop.dialog_answer = [this](QFileDialog& dialog, QStringList& files) {
      dialog_titles.append(dialog.windowTitle());
      const bool track = dialog.windowTitle().contains(QStringLiteral("GPX"));
      if (track) {
        EXPECT_TRUE(dialog.nameFilters().join(u' ').contains(QStringLiteral("[gG][pP][xX]")));
      }
      files = {photos.filePath(track ? "walk.gpx" : "camera.jpg")};
      return true;
    };
  }
  DesktopCapture desktop;
  ProgramFolder folder;
  QTemporaryDir photos;
  QStringList dialog_titles;
};

TEST_F(TrackWindow, PlacesPhotosOnTheChosenTrackUntilCleared) {
  TForm1 form;
  form.show();
  form.template_path = photos.filePath("template.html");
  EXPECT_FALSE(form.ClearTracks1->isEnabled());

  form.AddTrack1->trigger();
  const QString log = form.Memo1->toPlainText();
  EXPECT_TRUE(log.contains("Track \"" + photos.filePath("walk.gpx") +
                           "\": 2 points, 2024-06-04 08:00:00 to 2024-06-04 08:10:00 UTC"))
      << log.toStdString();
  EXPECT_TRUE(log.endsWith("Tracks for the next Add Photos: 1 file(s), 2 points."));
  EXPECT_TRUE(form.ClearTracks1->isEnabled());

  const struct {
    const char* offset;
    bool placed;
    const char* message;
  } runs[] = {
      {"+02:00", true, nullptr},  // 10:05 at +02:00 lies on the track
      {"", false, nullptr},       // the test machine's zone is not known; nothing asserted here
      {"2 hours", false, "The time offset \"2 hours\" is no offset from UTC"},
  };
  for (const auto& run : runs) {
    form.TimeOffsetEdit1->setText(QString::fromLatin1(run.offset));
    desktop.boxes.clear();
    form.AddPhotos1->trigger();
    const QString album_log = form.Memo1->toPlainText();
    if (run.placed) {
      EXPECT_TRUE(album_log.contains("Position from track: latitude=48.5, longitude=2 (300 s"))
          << album_log.toStdString();
    }
    if (run.message) {
      ASSERT_EQ(desktop.boxes.size(), 1u);
      EXPECT_TRUE(desktop.boxes[0].text.startsWith(QString::fromLatin1(run.message)));
    } else {
      EXPECT_TRUE(desktop.boxes.empty()) << run.offset;
    }
  }
  EXPECT_EQ(dialog_titles.count(QStringLiteral("Open GPX track files:")), 1);
  EXPECT_EQ(dialog_titles.size(), 3);  // no photo dialog for the bad offset

  form.ClearTracks1->trigger();
  EXPECT_FALSE(form.ClearTracks1->isEnabled());
  EXPECT_TRUE(form.tracks.segments.empty());
  form.TimeOffsetEdit1->setText(QStringLiteral("+02:00"));
  form.AddPhotos1->trigger();
  EXPECT_FALSE(form.Memo1->toPlainText().contains(QStringLiteral("Position from track")));
}

}  // namespace
