// trailbook-album --positions: one line of five tab-separated fields per file, escaped.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <unistd.h>

#include <cstdio>

#include "album_command_runner.h"

namespace {

TEST(PositionsOutput, OneLinePerFileInTheOrderGiven) {
  QTemporaryDir work;
  copy_samples(work.path(), {QStringLiteral("IMG_0101.JPG"), QStringLiteral("IMG_0110.JPG")});
  write_file(work.filePath(QStringLiteral("notes.txt")), "not a photo");
  write_file(work.filePath(QStringLiteral("empty.jpg")), "");

  // Relative paths are printed as given, not made absolute.
  const AlbumCommandRun run = run_album_command(
      {QStringLiteral("--positions"), QStringLiteral("IMG_0110.JPG"), QStringLiteral("gone.jpg"),
       QStringLiteral("./IMG_0101.JPG"), QStringLiteral("notes.txt"), QStringLiteral("empty.jpg"),
       QStringLiteral(".")},
      work.path());
  ASSERT_EQ(run.exit_status, 0) << run.err.toStdString();
  EXPECT_EQ(run.err, QByteArray());
  EXPECT_EQ(run.out_lines(),
            (QList<QByteArray>{
                "IMG_0110.JPG\t1\t0\t0\t2024:05:18 11:02:17",
                "gone.jpg\t-1\t\t\t",
                "./IMG_0101.JPG\t1\t46.3689119444444\t14.114205\t2024:05:18 08:41:07",
                "notes.txt\t-3\t\t\t",
                "empty.jpg\t-3\t\t\t",
                // The folder "." stands for its photo files, sorted by name.
                in_dot("empty.jpg\t-3\t\t\t"),
                in_dot("IMG_0101.JPG\t1\t46.3689119444444\t14.114205\t2024:05:18 08:41:07"),
                in_dot("IMG_0110.JPG\t1\t0\t0\t2024:05:18 11:02:17"),
            }));
}

// With a track: three more fields, the album's position and where it came from; the photos'
// times by their own offset or the one given.
TEST(PositionsOutput, AddsThePlacedPositionWithATrack) {
  QTemporaryDir work;
  copy_samples(work.path(), {QStringLiteral("IMG_0101.JPG"), QStringLiteral("IMG_0110.JPG")});
  ASSERT_TRUE(QFile::copy(QStringLiteral(TRAILBOOK_SAMPLES_DIR "/track/CAM_0201.JPG"),
                          work.filePath(QStringLiteral("CAM_0201.JPG"))));
  // A full path: the command runs in another folder (on Windows, maybe on another drive).
  const QString track =
      QFileInfo(QStringLiteral(TRAILBOOK_SAMPLES_DIR "/track/walk.gpx")).absoluteFilePath();
  const struct {
    QStringList options;
    const char* no_gps_line;  // IMG_0110.JPG has no offset of its own
  } cases[] = {
      {{QStringLiteral("--time-offset"), QStringLiteral("+02:00")},
       "IMG_0110.JPG\t1\t0\t0\t2024:05:18 11:02:17\t46.3610032\t14.0869587\ttrack"},
      {{QStringLiteral("--time-offset"), QStringLiteral("+02:00"), QStringLiteral("--clock-shift"),
        QStringLiteral("-86400")},
       "IMG_0110.JPG\t1\t0\t0\t2024:05:18 11:02:17\t\t\t"},
  };
  for (const auto& c : cases) {
    const AlbumCommandRun run = run_album_command(
        QStringList{QStringLiteral("--positions"), QStringLiteral("--track"), track} + c.options +
            QStringList{QStringLiteral("IMG_0101.JPG"), QStringLiteral("IMG_0110.JPG"),
                        QStringLiteral("CAM_0201.JPG"), QStringLiteral("gone.jpg")},
        work.path());
    ASSERT_EQ(run.exit_status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("walk.gpx\": 197 points")) << run.err.toStdString();
    const QList<QByteArray> lines = run.out_lines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0],
              "IMG_0101.JPG\t1\t46.3689119444444\t14.114205\t2024:05:18 08:41:07\t"
              "46.3689119444444\t14.114205\tphoto");
    EXPECT_EQ(lines[1], c.no_gps_line);
    EXPECT_TRUE(lines[2].endsWith("\ttrack") == (c.options.size() == 2)) << lines[2].constData();
    EXPECT_EQ(lines[3], "gone.jpg\t-1\t\t\t\t\t\t");
  }
}

// A name that is no valid UTF-8 keeps its bytes: a folder lists it, an argument passes it, and the
// log shows U+FFFD only where it shows the name as text; the page links the bytes themselves.
TEST(PositionsOutput, KeepsNamesThatAreNoValidText) {
  QTemporaryDir work;
  copy_samples(work.path(), {QStringLiteral("IMG_0101.JPG")});
  const QByteArray folder = QFile::encodeName(work.path());
  ASSERT_EQ(::rename((folder + "/IMG_0101.JPG").constData(), (folder + "/caf\xE9.JPG").constData()),
            0);
  const QByteArray expected_line =
      folder + "/caf\xE9.JPG\t1\t46.3689119444444\t14.114205\t2024:05:18 08:41:07";

  const AlbumCommandRun from_folder =
      run_album_command({QStringLiteral("--positions"), work.path()});
  EXPECT_EQ(from_folder.out_lines(), QList<QByteArray>{expected_line});
  // The shell makes the argument's byte; a QString argument could not carry it.
  const AlbumCommandRun by_name = run_album_command(
      {QStringLiteral("-c"),
       QStringLiteral("exec \"$0\" --positions \"$(printf '%s/caf\\351.JPG' \"$1\")\""),
       QStringLiteral(TRAILBOOK_ALBUM_PROGRAM), work.path()},
      {}, QProcessEnvironment::systemEnvironment(), QStringLiteral("/bin/sh"));
  EXPECT_EQ(by_name.out_lines(), QList<QByteArray>{expected_line}) << by_name.err.toStdString();

  write_file(work.filePath(QStringLiteral("urls.html")), "{vorn_filenames}|{vorn_photo_urls}");
  const AlbumCommandRun album = run_album_command(
      {QStringLiteral("--template"), work.filePath(QStringLiteral("urls.html")), work.path()});
  ASSERT_EQ(album.exit_status, 0) << album.err.toStdString();
  EXPECT_TRUE(album.out_lines().contains("#1: caf\xEF\xBF\xBD.JPG")) << album.out.toStdString();
  EXPECT_EQ(read_file(QString::fromUtf8(album.out_lines().last())),
            "\xEF\xBB\xBF\"caf\xEF\xBF\xBD.JPG\"|\"caf%E9.JPG\"");
  ::unlink((folder + "/caf\xE9.JPG").constData());  // a name Qt cannot remove
}

// A track and a template named by bytes that are no valid UTF-8 are read like photos.
TEST(PositionsOutput, ReadsTrackAndTemplateNamesThatAreNoValidText) {
  QTemporaryDir work;
  copy_samples(work.path(), {QStringLiteral("IMG_0101.JPG")});
  const QByteArray folder = QFile::encodeName(work.path());
  ASSERT_TRUE(QFile::copy(QStringLiteral(TRAILBOOK_SAMPLES_DIR "/track/walk.gpx"),
                          work.filePath(QStringLiteral("walk.gpx"))));
  write_file(work.filePath(QStringLiteral("page.html")), "{vorn_filenames}");
  for (const char* name : {"/walk.gpx", "/page.html"}) {
    const QByteArray from = folder + name;
    const QByteArray to = folder + "/\xE9" + (name + 1);
    ASSERT_EQ(::rename(from.constData(), to.constData()), 0);
  }
  const AlbumCommandRun album = run_album_command(
      {QStringLiteral("-c"),
       QStringLiteral("exec \"$0\" --track \"$(printf '%s/\\351walk.gpx' \"$1\")\" "
                      "--template \"$(printf '%s/\\351page.html' \"$1\")\" \"$1\""),
       QStringLiteral(TRAILBOOK_ALBUM_PROGRAM), work.path()},
      {}, QProcessEnvironment::systemEnvironment(), QStringLiteral("/bin/sh"));
  ASSERT_EQ(album.exit_status, 0) << album.err.toStdString();
  EXPECT_TRUE(album.out.contains("walk.gpx\": 197 points")) << album.out.toStdString();
  EXPECT_EQ(read_file(QString::fromUtf8(album.out_lines().last())), "\xEF\xBB\xBF\"IMG_0101.JPG\"");
  for (const char* name : {"/\xE9walk.gpx", "/\xE9page.html"})
    ::unlink((folder + name).constData());
}

TEST(PositionsOutput, ReadsEveryContainerKindOfAFolder) {
  // One photo of each kind the Debian tools write (scripts/make_container_photos.sh), each with
  // its own minute; named without the kind, so only the first bytes can tell it.
  QTemporaryDir work;
  const QDir samples(QStringLiteral(TRAILBOOK_EXIF_SAMPLES));
  const struct {
    const char* sample;
    const char* copy;
  } photos[] = {{"photo.jpg", "a.tif"},  {"photo.tif", "b.png"},   {"photo-be.tif", "c.heic"},
                {"photo.png", "d.webp"}, {"photo.webp", "e.avif"}, {"photo.heic", "f.jpg"},
                {"photo.avif", "g.NEF"}};
  for (const auto& p : photos) {
    ASSERT_TRUE(QFile::copy(samples.filePath(QLatin1String(p.sample)),
                            work.filePath(QLatin1String(p.copy))));
  }
  const AlbumCommandRun run =
      run_album_command({QStringLiteral("--positions"), QStringLiteral(".")}, work.path());
  ASSERT_EQ(run.exit_status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out_lines(), (QList<QByteArray>{
                                 in_dot("a.tif\t1\t46.35\t14.08\t2024:05:18 08:10:00"),
                                 in_dot("b.png\t1\t46.35\t14.08\t2024:05:18 08:11:00"),
                                 in_dot("c.heic\t1\t46.35\t14.08\t2024:05:18 08:12:00"),
                                 in_dot("d.webp\t1\t46.35\t14.08\t2024:05:18 08:13:00"),
                                 in_dot("e.avif\t1\t46.35\t14.08\t2024:05:18 08:14:00"),
                                 in_dot("f.jpg\t1\t46.35\t14.08\t2024:05:18 08:15:00"),
                                 in_dot("g.NEF\t1\t46.35\t14.08\t2024:05:18 08:16:00"),
                             }));
}

TEST(PositionsOutput, EscapesTabsLineBreaksAndBackslashes) {
  QTemporaryDir work;
  copy_samples(work.path(), {QStringLiteral("IMG_0101.JPG")});
  // The same photo under a name holding every character that needs escaping, and with a
  // date-time text rewritten in place (same length, so every offset stays valid).
  const QString odd_name = QStringLiteral("a\tb\\c\nd\re.jpg");
  QByteArray bytes = read_file(work.filePath(QStringLiteral("IMG_0101.JPG")));
  ASSERT_EQ(bytes.count("2024:05:18 08:41:07"), 2);  // DateTime and DateTimeOriginal
  bytes.replace("2024:05:18 08:41:07", "2024\t05\\18\r08\n41:07");
  write_file(work.filePath(odd_name), bytes);

  const AlbumCommandRun run =
      run_album_command({QStringLiteral("--positions"), odd_name}, work.path());
  ASSERT_EQ(run.exit_status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out,
            "a\\tb\\\\c\\nd\\re.jpg\t1\t46.3689119444444\t14.114205\t"
            "2024\\t05\\\\18\\r08\\n41:07\n");
}

TEST(PositionsOutput, HasNoFileLimit) {
  QTemporaryDir work;
  copy_samples(work.path(), {QStringLiteral("IMG_0101.JPG")});
  // A short name keeps 100001 arguments well inside the system's limit on their length.
  ASSERT_TRUE(QFile::rename(work.filePath(QStringLiteral("IMG_0101.JPG")),
                            work.filePath(QStringLiteral("1.jpg"))));
  QStringList arguments{QStringLiteral("--positions")};
  for (int i = 0; i < 100001; ++i) arguments += QStringLiteral("1.jpg");

  const AlbumCommandRun run = run_album_command(arguments, work.path());
  ASSERT_EQ(run.exit_status, 0) << run.err.toStdString();
  const QList<QByteArray> lines = run.out_lines();
  ASSERT_EQ(lines.size(), 100001);
  EXPECT_EQ(lines.first(), lines.last());
  EXPECT_EQ(lines.last(), "1.jpg\t1\t46.3689119444444\t14.114205\t2024:05:18 08:41:07");
}

}  // namespace
