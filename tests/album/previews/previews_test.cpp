// The previews beside the album page: a scaled decode where a photo has no thumbnail, one preview
// per photo even for photos of one name, reuse of valid previews, and pages as before.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QMap>
#include <QTemporaryDir>
#include <QUrl>

#include <libheif/heif.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "album/make_album.h"
#include "album/previews/photo_preview.h"
#include "album_test_support.h"
#include "decode_bombs.h"
#include "tests/exif/container_test_data.h"
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

// A photo whose left half is red and right half blue, so that a test can tell how it was turned.
QByteArray two_tone_jpeg(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::red);
  for (int y = 0; y < height; ++y) {
    for (int x = width / 2; x < width; ++x) image.setPixel(x, y, qRgb(0, 0, 255));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "jpg", 95);
  return bytes;
}

QByteArray from_bytes(const Bytes& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

Bytes to_bytes(const QByteArray& bytes) {
  return Bytes(bytes.begin(), bytes.end());
}

// A raw-like TIFF with a GPS position, EXIF orientation `orientation` and a 640x480 two-tone JPEG
// preview (or `jpeg`) after its directories, which IFD0 points at.
QByteArray raw_tiff_with_preview(std::uint16_t orientation, QByteArray jpeg = {}) {
  if (jpeg.isEmpty()) jpeg = two_tone_jpeg(640, 480);
  TestExif exif = photo_exif("2019:07:14 09:00:00");
  exif.ifd0.push_back(short_entry(0x0112, {orientation}));
  exif.ifd0.push_back(long_entry(0x0201, {0}));
  exif.ifd0.push_back(long_entry(0x0202, {static_cast<std::uint32_t>(jpeg.size())}));
  const std::uint32_t end = static_cast<std::uint32_t>(build_tiff(exif).size());
  exif.ifd0[3] = long_entry(0x0201, {end});
  return from_bytes(build_tiff(exif)) + jpeg;
}

QByteArray sample(const char* folder, const char* name) {
  return read_bytes(QLatin1String(folder) + '/' + QLatin1String(name));
}

// The JPEG with a GPS position and the given capture time.
QByteArray with_gps(QByteArray jpeg, const char* date_time) {
  const Bytes block = build_exif_block(photo_exif(date_time));
  QByteArray app1("\xFF\xE1", 2);
  app1 += static_cast<char>((block.size() + 2) >> 8);
  app1 += static_cast<char>((block.size() + 2) & 0xFF);
  app1 += from_bytes(block);
  return jpeg.insert(2, app1);
}

// A photo with a GPS position, EXIF orientation `orientation` and `thumbnail` as its IFD1
// thumbnail, the way cameras store it: after the directories, inside the EXIF block.
QByteArray photo_with_thumbnail(const QByteArray& thumbnail, std::uint16_t orientation,
                                std::size_t scan_size = 64) {
  TestExif exif = photo_exif("2019:07:14 09:00:00");
  exif.ifd0.push_back(short_entry(0x0112, {orientation}));
  Bytes block = build_exif_block(exif);
  const auto put32 = [&block](std::size_t at, std::uint32_t value) {
    for (int k = 0; k < 4; ++k) block[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
  };
  const auto put16 = [&block](std::size_t at, std::uint16_t value) {
    block[at] = static_cast<std::uint8_t>(value);
    block[at + 1] = static_cast<std::uint8_t>(value >> 8);
  };
  // IFD0 follows the TIFF header at 8; its pointer to the next directory comes after its entries.
  constexpr std::size_t tiff = 6;
  const std::size_t ifd0_count = block[tiff + 8] | block[tiff + 9] << 8;
  const std::size_t ifd1 = block.size() - tiff;
  put32(tiff + 8 + 2 + 12 * ifd0_count, static_cast<std::uint32_t>(ifd1));
  block.resize(block.size() + 2 + 2 * 12 + 4, 0);
  put16(tiff + ifd1, 2);
  const std::uint16_t tags[] = {0x0201, 0x0202};
  const std::uint32_t values[] = {static_cast<std::uint32_t>(ifd1 + 30),
                                  static_cast<std::uint32_t>(thumbnail.size())};
  for (int k = 0; k < 2; ++k) {
    const std::size_t entry = tiff + ifd1 + 2 + 12 * k;
    put16(entry, tags[k]);
    put16(entry + 2, 4);
    put32(entry + 4, 1);
    put32(entry + 8, values[k]);
  }
  block.insert(block.end(), thumbnail.begin(), thumbnail.end());
  return from_bytes(build_jpeg(block, scan_size));
}

// A decodable photo with a GPS position and the given capture time.
QByteArray gps_photo(const char* date_time, int width = 640) {
  return with_gps(real_jpeg(width, 480), date_time);
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
  // Writes each photo (its name and bytes) into a/, makes the album of them, checks that every
  // photo is on the map, and gives each photo's preview URL on the page by name ("" for none).
  template <typename Photos>
  QMap<QByteArray, QByteArray> preview_urls_of(const Photos& photos) {
    QStringList names;
    for (const auto& photo : photos) {
      write_bytes(path(QStringLiteral("a/") + photo.name), photo.bytes);
      names.append(QStringLiteral("a/") + photo.name);
    }
    const QList<QByteArray> parts = run(names).split('|');
    QMap<QByteArray, QByteArray> urls;
    if (parts.size() != 4) {
      ADD_FAILURE() << "the page holds " << parts.size() << " lists";
      return urls;
    }
    EXPECT_EQ(parts[3], "0");  // every photo is on the map, hostile ones too
    const QList<QByteArray> on_page = parts[0].split(','), previews = parts[2].split(',');
    EXPECT_EQ(previews.size(), on_page.size());
    for (qsizetype k = 0; k < on_page.size() && k < previews.size(); ++k) {
      urls.insert(on_page[k].mid(1).chopped(1), previews[k].mid(1).chopped(1));
    }
    return urls;
  }

  QByteArray run(const QStringList& photos, bool previews = true) {
    QList<AnsiText> paths;
    for (const QString& photo : photos) paths.append(to_ansi(path(photo)));
    const AlbumSettings settings{to_ansi(path("template.html")),
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

// The thumbnail the read of the position found is copied as it is, or turned; a photo written
// anew after that read is looked at again rather than cut where the old one had its thumbnail;
// bytes the read kept need no file at all.
TEST_F(AlbumPreviews, TakeTheExifThumbnailUpright) {
  const QByteArray thumbnail = two_tone_jpeg(160, 120);
  const struct {
    const char* name;
    std::uint16_t orientation;
    QByteArray written_after_read;  // replaces the photo between its read and its preview
    bool kept;                      // the read keeps the thumbnail's bytes; the photo is gone then
    QSize size;
    bool byte_copy;
  } cases[] = {
      {"as stored", 1, {}, false, QSize(160, 120), true},
      {"turned a quarter", 6, {}, false, QSize(120, 160), false},
      {"photo turned since", 1, photo_with_thumbnail(thumbnail, 6, 128), false, QSize(120, 160),
       false},
      {"kept by the read", 1, {}, true, QSize(160, 120), true},
      {"kept and turned", 6, {}, true, QSize(120, 160), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString photo = path("a/thumb.jpg");
    write_bytes(photo, photo_with_thumbnail(thumbnail, c.orientation));
    PhotoPosition position;
    PhotoFileFacts facts;
    facts.keep_thumbnail_bytes = c.kept;
    ASSERT_EQ(read_photo_position(position, to_ansi(photo), &facts), 1);
    if (!c.written_after_read.isEmpty()) write_bytes(photo, c.written_after_read);
    if (c.kept) QFile::remove(photo);
    WideText error;
    const QByteArray preview = make_preview_bytes(to_ansi(photo), error, facts);
    const QImage image = QImage::fromData(preview, "jpg");
    ASSERT_EQ(image.size(), c.size);
    EXPECT_EQ(preview == thumbnail, c.byte_copy);
    // Red stays on the left, as the camera saw it: turning 90 degrees puts it on top.
    const QPoint red = image.width() < image.height() ? QPoint(60, 10) : QPoint(10, 60);
    EXPECT_GT(qRed(image.pixel(red)), 200);
  }
}

TEST_F(AlbumPreviews, PhotosOfOneNameInTwoFoldersAreTwoPhotos) {
  write_bytes(path("a/IMG.jpg"), gps_photo("2019:07:14 10:00:00"));
  write_bytes(path("b/IMG.jpg"), gps_photo("2019:07:14 11:00:00", 320));
  const QList<QByteArray> parts = run({"a/IMG.jpg", "b/IMG.jpg", "a/missing.jpg"}).split('|');
  ASSERT_EQ(parts.size(), 4);
  EXPECT_EQ(parts[0], "\"IMG.jpg\",\"IMG.jpg\"");
  EXPECT_EQ(parts[1], "null,\"../b/IMG.jpg\"");
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

// Previews of ours are reused as further links to the same files; a link planted in an earlier
// folder is never followed.
TEST_F(AlbumPreviews, ReusesPreviewsWhilePhotosAreUnchanged) {
  write_bytes(path("a/1.jpg"), gps_photo("2019:07:14 10:00:00"));
  write_bytes(path("a/2.jpg"), gps_photo("2019:07:14 11:00:00"));
  write_bytes(path("a/3.txt"), "no photo");
  write_bytes(path("elsewhere.jpg"), real_jpeg(40, 30));
  enum Spoil { none, cut_short, planted_link };
  const struct {
    const char* changed;  // a photo written anew before the run
    Spoil spoil;          // done to every earlier preview: its last byte cut as by a killed run,
                          // or replaced by a link to a JPEG elsewhere
    const char* summary;
    int links;  // names of each preview of the run's folder
  } runs[] = {
      {nullptr, none, "Previews: 2 made, 0 reused, 0 failed.", 1},
      {nullptr, none, "Previews: 0 made, 2 reused, 0 failed.", 2},
      {"a/2.jpg", none, "Previews: 1 made, 1 reused, 0 failed.", 0},
      {nullptr, cut_short, "Previews: 2 made, 0 reused, 0 failed.", 1},
      {nullptr, planted_link, "Previews: 2 made, 0 reused, 0 failed.", 1},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.summary);
    if (r.changed) write_bytes(path(r.changed), gps_photo("2019:07:14 11:00:00", 500));
    for (const QString& folder : QDir(path("a")).entryList({"*_previews"}, QDir::Dirs)) {
      for (const QFileInfo& preview : QDir(path("a/") + folder).entryInfoList(QDir::Files)) {
        if (r.spoil == cut_short) QFile::resize(preview.filePath(), preview.size() - 1);
        if (r.spoil == planted_link) {
          QFile::remove(preview.filePath());
          QFile::link(path("elsewhere.jpg"), preview.filePath());
        }
      }
    }
    run({"a/1.jpg", "a/2.jpg", "a/3.txt"});
    EXPECT_EQ(log_.steps.value(1), QString::fromLatin1(r.summary));
    const QString own = page_.chopped(5) + "_previews";
    for (const QFileInfo& preview : QDir(own).entryInfoList(QDir::Files | QDir::System)) {
      EXPECT_FALSE(preview.isSymLink());
      EXPECT_NE(QImage(preview.filePath()).size(), QSize(40, 30));
#ifndef _WIN32
      struct stat status;
      ASSERT_EQ(::stat(QFile::encodeName(preview.filePath()).constData(), &status), 0);
      if (r.links > 0) {
        EXPECT_EQ(status.st_nlink, static_cast<nlink_t>(r.links));
      }
#endif
    }
  }
}

// Previews only for a template that shows them: none without their placeholder (the page, the
// log and the folder are as before previews existed).
TEST_F(AlbumPreviews, LeaveThePageOfATemplateWithoutTheirPlaceholdersAsItWas) {
  write_template(
      "{vorn_lat_long_photo_1};{vorn_filenames};{vorn_datetimes};{vorn_latlngs};{vorn_photo_urls}");
  write_bytes(path("a/1.jpg"), gps_photo("2019:07:14 10:00:00"));
  write_bytes(path("a/2.jpg"), gps_photo("2019:07:14 11:00:00"));
  const QByteArray without = run({"a/1.jpg", "a/2.jpg"}, false);
  const QStringList lines_without = log_.lines;
  const QByteArray with = run({"a/1.jpg", "a/2.jpg"}, true);
  EXPECT_FALSE(without.isEmpty());
  EXPECT_EQ(with, without);
  EXPECT_EQ(log_.lines.mid(0, log_.lines.size() - 1),
            lines_without.mid(0, lines_without.size() - 1));
  EXPECT_TRUE(log_.steps.isEmpty());
  EXPECT_TRUE(QDir(path("a")).entryList({"*_previews"}, QDir::Dirs).isEmpty());
}

TEST_F(AlbumPreviews, PhotosBrowsersCannotShowGetPreviewsAndHostileOnesFailAlone) {
  QByteArray huge = sample(TRAILBOOK_ALBUM_SAMPLES, "no-thumbnail.heic");
  const qsizetype ispe = huge.indexOf("ispe");
  ASSERT_GT(ispe, 0);
  huge.replace(ispe + 8, 8, QByteArray("\x7F\xFF\xFF\xFF\x7F\xFF\xFF\xFF", 8));
  const QByteArray whole = sample(TRAILBOOK_ALBUM_SAMPLES, "no-thumbnail.heic");
  const QByteArray truncated = whole.first(whole.indexOf("mdat") + 400);
  // AVIF needs libheif's AV1 decoder, which the Windows build's libheif goes without.
  const bool av1 = heif_have_decoder_for_format(heif_compression_AV1);
  const struct {
    const char* name;
    QByteArray bytes;
    QSize preview;  // 0x0: no preview
    bool turned;    // the red half on top rather than on the left
  } photos[] = {
      {"raw.dng", raw_tiff_with_preview(6), QSize(240, 320), true},
      {"plain.nef", raw_tiff_with_preview(1), QSize(320, 240), false},
      {"raw.raf",
       from_bytes(build_raf(to_bytes(with_gps(two_tone_jpeg(640, 480), "2019:07:14 09:02:00")))),
       QSize(320, 240), false},
      {"thumbnail.heic", sample(TRAILBOOK_ALBUM_SAMPLES, "thumbnail.heic"), QSize(160, 120), false},
      {"whole.heic", whole, QSize(320, 240), false},
      {"photo.avif", sample(TRAILBOOK_EXIF_SAMPLES, "photo.avif"), av1 ? QSize(32, 24) : QSize(),
       false},
      {"huge.heic", huge, QSize(), false},
      {"truncated.heic", truncated, QSize(), false},
  };
  const QMap<QByteArray, QByteArray> urls = preview_urls_of(photos);
  for (const auto& photo : photos) {
    ASSERT_TRUE(urls.contains(photo.name)) << photo.name;
    const QByteArray url = urls.value(photo.name);
    EXPECT_EQ(url.isEmpty(), photo.preview.isEmpty()) << photo.name;
    if (url.isEmpty()) {
      EXPECT_TRUE(log_.steps.filter(QStringLiteral("No preview of ")).filter(photo.name).size() ==
                  1)
          << photo.name;
      continue;
    }
    const QImage image(path("a/") + QUrl::fromPercentEncoding(url), "jpg");
    EXPECT_EQ(image.size(), photo.preview) << photo.name;
    if (image.width() < 100) continue;  // too small to tell the halves apart
    const QPoint red = photo.turned ? QPoint(image.width() / 2, 4) : QPoint(4, image.height() / 2);
    const QPoint blue = photo.turned ? QPoint(image.width() / 2, image.height() - 5)
                                     : QPoint(image.width() - 5, image.height() / 2);
    EXPECT_GT(qRed(image.pixel(red)), 200) << photo.name;
    EXPECT_GT(qBlue(image.pixel(blue)), 200) << photo.name;
  }
  EXPECT_TRUE(log_.steps.contains(av1 ? QStringLiteral("Previews: 6 made, 0 reused, 2 failed.")
                                      : QStringLiteral("Previews: 5 made, 0 reused, 3 failed.")))
      << log_.steps.join('\n').toStdString();
}

// Pictures that declare more than the cap (a few hundred bytes claiming 30000x30000) are refused
// before anything is decoded, whichever way they come: the photo itself, a raw file's or RAF's
// embedded JPEG, an EXIF thumbnail that would only be copied. Each gets its line, the album is
// written, and the run's memory stays small.
TEST_F(AlbumPreviews, PicturesDeclaringMoreThanTheCapAreRefused) {
  const QByteArray bomb = bomb_jpeg(30000, 30000, true, true);
  const char* const too_large = "the picture is too large to decode (30000x30000 pixels)";
  const char* const embedded = "its embedded preview is too large to decode (30000x30000 pixels)";
  const struct {
    const char* name;
    QByteArray bytes;
    const char* reason;  // of the line "No preview of ..."; nullptr: a preview is made
  } photos[] = {
      {"baseline.jpg", with_gps(bomb_jpeg(30000, 30000, false, true), "2019:07:14 09:00:00"),
       too_large},
      {"progressive.jpg", with_gps(bomb, "2019:07:14 09:01:00"), too_large},
      {"progressive-420.jpg", with_gps(bomb_jpeg(30000, 30000, true, false), "2019:07:14 09:02:00"),
       too_large},
      {"wide.jpg", with_gps(bomb_jpeg(16385, 16, false, false), "2019:07:14 09:03:00"),
       "the picture is too large to decode (16385x16 pixels)"},
      {"many-pixels.jpg", with_gps(bomb_jpeg(8001, 8000, false, false), "2019:07:14 09:04:00"),
       "the picture is too large to decode (8001x8000 pixels)"},
      {"at-the-cap.jpg", with_gps(bomb_jpeg(8000, 8000, false, false), "2019:07:14 09:05:00"),
       nullptr},
      {"bomb.nef", raw_tiff_with_preview(1, bomb), embedded},
      {"bomb.raf", from_bytes(build_raf(to_bytes(with_gps(bomb, "2019:07:14 09:06:00")))),
       embedded},
      // Its own picture is no JPEG that decodes either, so nothing is left to show.
      {"thumbnail.jpg", photo_with_thumbnail(bomb_jpeg(30000, 30000, false, false), 1), ""},
      // Decoders pass over stray bytes between segments.
      {"stray-bytes.jpg",
       photo_with_thumbnail(bomb_jpeg(30000, 30000, false, false).insert(2, "\0\x17", 2), 1), ""},
  };
  const QMap<QByteArray, QByteArray> urls = preview_urls_of(photos);
  for (const auto& photo : photos) {
    ASSERT_TRUE(urls.contains(photo.name)) << photo.name;
    const QStringList lines =
        log_.steps.filter(QStringLiteral("No preview of ")).filter(photo.name);
    EXPECT_EQ(urls.value(photo.name).isEmpty(), photo.reason != nullptr) << photo.name;
    EXPECT_EQ(lines.size(), photo.reason ? 1 : 0) << photo.name;
    if (photo.reason && *photo.reason) {
      EXPECT_TRUE(lines.value(0).endsWith(QStringLiteral(": ") + photo.reason))
          << lines.value(0).toStdString();
    }
  }
#ifndef _WIN32
  rusage usage{};
  ASSERT_EQ(getrusage(RUSAGE_SELF, &usage), 0);
  EXPECT_LT(usage.ru_maxrss, 300 << 10) << "peak KiB";
#endif
}

#ifndef _WIN32

// A preview's name can be worked out by anyone who can see the photo: an earlier folder or
// preview that someone else owns, or may write, is never taken; the preview is made afresh.
// Previews are made writable by nobody else whatever the umask, so that they are reused for a
// user whose umask lets the group write too.
TEST_F(AlbumPreviews, AreReusedUnderAUmaskThatLetsTheGroupWrite) {
  const mode_t before = ::umask(002);
  const QStringList photos = {"u/1.jpg", "u/2.jpg"};
  ASSERT_TRUE(QDir(root_.path()).mkpath("u"));
  write_bytes(path(photos[0]), gps_photo("2019:07:14 10:00:00"));
  write_bytes(path(photos[1]), gps_photo("2019:07:14 11:00:00"));
  run(photos);
  run(photos);
  ::umask(before);
  EXPECT_EQ(log_.steps.value(1), QStringLiteral("Previews: 0 made, 2 reused, 0 failed."));
}

TEST_F(AlbumPreviews, ReuseOnlyPreviewsNobodyElseCanHavePutThere) {
  const QByteArray planted = real_jpeg(40, 30);
  const struct {
    const char* name;
    mode_t folder_mode, file_mode;  // 0: as made
    uid_t owner;                    // of the folder (folder_mode set) or the previews; 0: ours
  } cases[] = {
      {"folder others may write", 01777, 0, 0},   {"folder its group may write", 0775, 0, 0},
      {"preview others may write", 0, 0646, 0},   {"preview its group may write", 0, 0664, 0},
      {"folder of another user", 0755, 0, 65534}, {"preview of another user", 0, 0644, 65534},
  };
  int number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.owner != 0 && ::geteuid() != 0) continue;  // only the administrator can give files away
    const QString folder = QStringLiteral("c%1/").arg(++number);
    ASSERT_TRUE(QDir(root_.path()).mkpath(folder));
    const QStringList photos = {folder + "1.jpg", folder + "2.jpg"};
    write_bytes(path(photos[0]), gps_photo("2019:07:14 10:00:00"));
    write_bytes(path(photos[1]), gps_photo("2019:07:14 11:00:00"));
    run(photos);
    ASSERT_EQ(log_.steps.value(1), QStringLiteral("Previews: 2 made, 0 reused, 0 failed."));
    const QByteArray earlier = QFile::encodeName(page_.chopped(5) + "_previews");
    for (const QFileInfo& preview : QDir(QString(earlier)).entryInfoList(QDir::Files)) {
      const QByteArray file = QFile::encodeName(preview.filePath());
      ASSERT_TRUE(QFile::remove(preview.filePath()));
      write_bytes(preview.filePath(), planted);
      if (c.file_mode != 0) {
        ASSERT_EQ(::chmod(file.constData(), c.file_mode), 0);
        if (c.owner != 0) {
          ASSERT_EQ(::chown(file.constData(), c.owner, c.owner), 0);
        }
      }
    }
    if (c.folder_mode != 0) {
      ASSERT_EQ(::chmod(earlier.constData(), c.folder_mode), 0);
      if (c.owner != 0) {
        ASSERT_EQ(::chown(earlier.constData(), c.owner, c.owner), 0);
      }
    }
    run(photos);
    EXPECT_EQ(log_.steps.value(1), QStringLiteral("Previews: 2 made, 0 reused, 0 failed."));
    const QString own = page_.chopped(5) + "_previews";
    for (const QFileInfo& preview : QDir(own).entryInfoList(QDir::Files)) {
      EXPECT_EQ(QImage(preview.filePath()).size(), QSize(320, 240))
          << preview.fileName().toStdString();
    }
  }
}

#endif

}  // namespace
