// The previews beside the album page: a scaled decode where a photo has no thumbnail, one preview
// per photo even for photos of one name, reuse of valid previews, and pages as before.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QUrl>

#include "album/make_album.h"
#include "album/photo_preview.h"
#include "album_test_support.h"
#include "tests/exif/exif_test_data.h"
#include "text/text_ops.h"

namespace {

QByteArray real_jpeg(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "jpg");
  return bytes;
}

// A decodable photo with a GPS position and the given capture time.
QByteArray gps_photo(const char* date_time, int width = 640) {
  const Bytes block = build_exif_block(photo_exif(date_time));
  QByteArray app1("\xFF\xE1", 2);
  app1 += static_cast<char>((block.size() + 2) >> 8);
  app1 += static_cast<char>((block.size() + 2) & 0xFF);
  app1.append(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size()));
  QByteArray jpeg = real_jpeg(width, 480);
  return jpeg.insert(2, app1);
}

struct RecordingLog : AlbumLog {
  void append_line(const WideText& line) override { lines.append(line); }
  void step(const WideText& text) override { steps.append(text); }
  QStringList lines, steps;
};

class AlbumPreviews : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir(root_.path()).mkpath("a"));
    ASSERT_TRUE(QDir(root_.path()).mkpath("b"));
    write_template(
        "{vorn_filenames}|{vorn_photo_urls}|{vorn_preview_urls}|"
        "{vorn_photos_without_position}");
  }

  QString path(const QString& name) const { return root_.path() + '/' + name; }
  void write_template(const QByteArray& text) { write_bytes(path("template.html"), text); }

  // The page's text, after its byte-order mark.
  QByteArray run(const QStringList& photos, bool previews = true) {
    QList<AnsiText> paths;
    for (const QString& photo : photos) paths.append(to_ansi(path(photo)));
    const AlbumSettings settings{path("template.html"),
                                 [this] {
                                   return QDateTime({2024, 1, 31}, {14, 25, runs_++});
                                 },
                                 previews};
    log_ = RecordingLog();
    const AlbumResult result = make_album(paths, settings, log_);
    page_ = to_wide(result.page_path);
    return read_bytes(page_).mid(3);
  }

  QTemporaryDir root_;
  RecordingLog log_;
  QString page_;
  int runs_ = 0;
};

TEST(PreviewBytes, DecodesAtAReducedSizeWhereThePhotoHasNoThumbnail) {
  QTemporaryDir folder;
  const struct {
    QByteArray photo;
    QSize preview;  // 0x0: no preview
  } cases[] = {
      {real_jpeg(1000, 500), QSize(320, 160)},
      {real_jpeg(300, 900), QSize(106, 320)},
      {real_jpeg(200, 100), QSize(200, 100)},  // never enlarged
      {QByteArray("\xFF\xD8 no image", 11), QSize(0, 0)},
  };
  for (const auto& c : cases) {
    const QString photo = folder.path() + "/photo.jpg";
    write_bytes(photo, c.photo);
    WideText error;
    const QByteArray preview = make_preview_bytes(to_ansi(photo), error);
    EXPECT_EQ(QImage::fromData(preview, "jpg").size(), c.preview) << c.preview.width();
    EXPECT_EQ(error.isEmpty(), !c.preview.isEmpty());
  }
}

TEST_F(AlbumPreviews, PhotosOfOneNameInTwoFoldersAreTwoPhotos) {
  write_bytes(path("a/IMG.jpg"), gps_photo("2019:07:14 10:00:00"));
  write_bytes(path("b/IMG.jpg"), gps_photo("2019:07:14 11:00:00", 320));
  const QList<QByteArray> parts = run({"a/IMG.jpg", "b/IMG.jpg", "a/missing.jpg"}).split('|');
  ASSERT_EQ(parts.size(), 4);
  EXPECT_EQ(parts[0], "\"IMG.jpg\",\"IMG.jpg\"");
  EXPECT_EQ(parts[1], "\"IMG.jpg\",\"../b/IMG.jpg\"");
  EXPECT_EQ(parts[3], "1");
  const QList<QByteArray> previews = parts[2].split(',');
  ASSERT_EQ(previews.size(), 2);
  EXPECT_NE(previews[0], previews[1]);
  // In album order: the 640x480 photo of folder a, then the 320x480 one of folder b.
  const QSize sizes[] = {QSize(320, 240), QSize(213, 320)};
  for (int k = 0; k < 2; ++k) {
    const QString preview = path("a/") + QUrl::fromPercentEncoding(previews[k].mid(1).chopped(1));
    EXPECT_TRUE(preview.contains("/20240131142500_previews/")) << preview.toStdString();
    EXPECT_EQ(QImage(preview, "jpg").size(), sizes[k]) << preview.toStdString();
  }
}

TEST_F(AlbumPreviews, ReusesPreviewsWhilePhotosAreUnchanged) {
  write_bytes(path("a/1.jpg"), gps_photo("2019:07:14 10:00:00"));
  write_bytes(path("a/2.jpg"), gps_photo("2019:07:14 11:00:00"));
  write_bytes(path("a/3.txt"), "no photo");
  const struct {
    const char* changed;  // a photo written anew before the run
    bool cut_short;       // every earlier preview lacks its last byte, as after a killed run
    const char* summary;
  } runs[] = {
      {nullptr, false, "Previews: 2 made, 0 reused, 0 failed."},
      {nullptr, false, "Previews: 0 made, 2 reused, 0 failed."},
      {"a/2.jpg", false, "Previews: 1 made, 1 reused, 0 failed."},
      {nullptr, true, "Previews: 2 made, 0 reused, 0 failed."},
  };
  for (const auto& r : runs) {
    if (r.changed) write_bytes(path(r.changed), gps_photo("2019:07:14 11:00:00", 500));
    for (const QString& folder : QDir(path("a")).entryList({"*_previews"}, QDir::Dirs)) {
      for (const QFileInfo& preview : QDir(path("a/") + folder).entryInfoList(QDir::Files)) {
        if (r.cut_short) QFile::resize(preview.filePath(), preview.size() - 1);
      }
    }
    run({"a/1.jpg", "a/2.jpg", "a/3.txt"});
    EXPECT_EQ(log_.steps.value(1), QString::fromLatin1(r.summary));
  }
}

TEST_F(AlbumPreviews, LeaveThePageOfATemplateWithoutTheirPlaceholdersAsItWas) {
  write_template("{vorn_lat_long_photo_1};{vorn_filenames};{vorn_datetimes};{vorn_latlngs}");
  write_bytes(path("a/1.jpg"), gps_photo("2019:07:14 10:00:00"));
  write_bytes(path("a/2.jpg"), gps_photo("2019:07:14 11:00:00"));
  const QByteArray without = run({"a/1.jpg", "a/2.jpg"}, false);
  const QStringList lines_without = log_.lines;
  const QByteArray with = run({"a/1.jpg", "a/2.jpg"}, true);
  EXPECT_FALSE(without.isEmpty());
  EXPECT_EQ(with, without);
  EXPECT_EQ(log_.lines.mid(0, log_.lines.size() - 1),
            lines_without.mid(0, lines_without.size() - 1));
  EXPECT_TRUE(QFileInfo(path("a/20240131142501_previews")).isDir());
}

}  // namespace
