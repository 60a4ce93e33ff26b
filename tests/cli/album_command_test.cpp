// trailbook-album writing pages: its output lines, exit statuses and the files it leaves.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <sys/stat.h>

#include "tests/posix_files.h"

#include "album_command_runner.h"

namespace {

const QByteArray separator(64, '-');
const QByteArray small_template = "names={vorn_filenames}\nshort={vorn_latlngs_short}\n";

QStringList html_files_in(const QString& folder) {
  return QDir(folder).entryList({QStringLiteral("*.html")}, QDir::Files);
}

TEST(AlbumCommand, LogsEveryPhotoAndPrintsThePagePathLast) {
  QTemporaryDir work;
  ASSERT_TRUE(QDir(work.path()).mkdir(QStringLiteral("photos")));
  copy_samples(work.filePath(QStringLiteral("photos")));
  write_file(work.filePath(QStringLiteral("t.html")), small_template);

  // A relative folder, as typed in a shell: the page still gets a full path.
  const AlbumCommandRun run = run_album_command(
      {QStringLiteral("--template"), QStringLiteral("t.html"), QStringLiteral("photos")},
      work.path());
  ASSERT_EQ(run.exit_status, 0) << run.err.toStdString();
  EXPECT_EQ(run.err, QByteArray());

  const QList<QByteArray> lines = run.out_lines();
  ASSERT_EQ(lines.size(), 3 + 12 * 3 + 2 + 3);
  EXPECT_EQ(lines[0], "Begin to add photos...");
  EXPECT_EQ(lines[1], separator);
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "#1: IMG_0101.JPG");
  EXPECT_EQ(lines[4],
            "latitude=46.3689119444444, longitude=14.114205, DateTime=2024:05:18 08:41:07, OK!");
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines[3 + 9 * 3], "#10: IMG_0110.JPG");
  EXPECT_EQ(lines[4 + 9 * 3], "Latitude and longitude not found! ");
  EXPECT_EQ(lines[39], separator);
  EXPECT_EQ(lines[40], "");
  EXPECT_EQ(lines[41], "Total added 11 photos in this album.");
  EXPECT_EQ(lines[42], "The album html file was saved as:");

  const QFileInfo page(QString::fromLocal8Bit(lines[43]));
  EXPECT_TRUE(page.isAbsolute());
  EXPECT_EQ(page.absolutePath(), work.filePath(QStringLiteral("photos")));
  EXPECT_TRUE(
      QRegularExpression(QStringLiteral("^\\d{14}\\.html$")).match(page.fileName()).hasMatch())
      << page.fileName().toStdString();
  const QByteArray bytes = read_file(page.filePath());
  EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBFnames=\"IMG_0101.JPG\",\"IMG_0102.JPG\""));
  EXPECT_FALSE(bytes.contains("IMG_0110.JPG"));  // the photo without a position
  // The template shows no previews, so none are made.
  EXPECT_EQ(QDir(page.absolutePath()).entryList({QStringLiteral("*_previews")}, QDir::Dirs),
            QStringList());
}

struct StatusCase {
  const char* name;
  QStringList arguments;  // "%D" stands for a folder holding copies of the samples
  int exit_status;
  const char* message;  // expected in the one line on standard error; "" for no line
  bool page_written;
};

void PrintTo(const StatusCase& c, std::ostream* out) {
  *out << c.name;
}

class AlbumCommandStatus : public testing::TestWithParam<StatusCase> {};

// The place data beside the program names the sample trail's photos: the first day at Bled, the
// second in the gorge above it.
TEST(AlbumCommand, NamesThePhotosPlacesFromThePlaceDataBesideIt) {
  QTemporaryDir work;
  copy_samples(work.path(), QDir(QStringLiteral(TRAILBOOK_SAMPLES_DIR))
                                .entryList({QStringLiteral("IMG_0*.JPG")}, QDir::Files));
  write_file(work.filePath(QStringLiteral("t.html")), "places=[{vorn_places}]");
  const AlbumCommandRun run = run_album_command(
      {QStringLiteral("--template"), QStringLiteral("t.html"), work.path()}, work.path());
  ASSERT_EQ(run.exit_status, 0) << run.err.toStdString();
  EXPECT_FALSE(run.out.contains("place data")) << run.out.toStdString();
  EXPECT_EQ(read_file(QString::fromLocal8Bit(run.out_lines().last())),
            "\xEF\xBB\xBFplaces=[[[\"Bled\",\"Slovenia\"],[\"Zgornje Gorje\",\"Slovenia\"]],"
            "[0,0,0,0,0,0,0,0,0,0,0,0,0,1,1,1]]");
}

TEST_P(AlbumCommandStatus, EndsWithTheRightStatusAndMessage) {
  const StatusCase& c = GetParam();
  QTemporaryDir work;
  copy_samples(work.path());
  ASSERT_TRUE(QDir(work.path()).mkdir(QStringLiteral("empty")));
  write_file(work.filePath(QStringLiteral("notes.txt")), "not a photo");
  QStringList arguments;
  for (const QString& argument : c.arguments) {
    arguments += QString(argument).replace(QStringLiteral("%D"), work.path());
  }

  const AlbumCommandRun run = run_album_command(arguments, work.path());
  EXPECT_EQ(run.exit_status, c.exit_status) << run.err.toStdString();
  if (*c.message == '\0') {
    EXPECT_EQ(run.err, QByteArray());
  } else {
    EXPECT_TRUE(run.err.startsWith("trailbook-album: ")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith('\n'));
  }
  EXPECT_EQ(!html_files_in(work.path()).isEmpty(), c.page_written);
}

const QString photo = QStringLiteral("%D/IMG_0101.JPG");
const QString no_gps = QStringLiteral("%D/IMG_0110.JPG");

INSTANTIATE_TEST_SUITE_P(
    Cases, AlbumCommandStatus,
    testing::Values(
        StatusCase{"PageWritten", {photo}, 0, "", true},
        StatusCase{"NoGpsPhoto", {no_gps}, 1, "", false},
        StatusCase{"MissingFile", {QStringLiteral("%D/gone.jpg")}, 1, "", false},
        StatusCase{"NotAPhoto", {QStringLiteral("%D/notes.txt")}, 1, "", false},
        StatusCase{"EmptyFolder", {QStringLiteral("%D/empty")}, 1, "No photo files found.", false},
        StatusCase{"NoArguments", {}, 2, "No photo given.", false},
        StatusCase{"EmptyArgument", {QString(), photo}, 2, "An empty argument", false},
        StatusCase{"TemplateWithoutPlaceholders",
                   {QStringLiteral("--template"), QStringLiteral("%D/notes.txt"), photo},
                   2,
                   "holds none of the album's placeholders",
                   false},
        StatusCase{"TemplateNotARegularFile",
                   {QStringLiteral("--template"), QStringLiteral("/dev/zero"), photo},
                   2,
                   "Not a regular file",
                   false},
        StatusCase{"UnknownOption", {QStringLiteral("--bogus"), photo}, 2, "bogus", false},
        StatusCase{"PositionsWithOpen",
                   {QStringLiteral("--positions"), QStringLiteral("--open"), photo},
                   2,
                   "--positions writes no page",
                   false},
        StatusCase{"TemplateMissing",
                   {QStringLiteral("--template"), QStringLiteral("%D/none.html"), photo},
                   2,
                   "Cannot open file",
                   false},
        // The page goes into the first file's folder, which does not exist.
        StatusCase{"PageFolderMissing",
                   {QStringLiteral("%D/nowhere/a.jpg"), photo},
                   2,
                   "Cannot create file",
                   false},
        StatusCase{"PositionsFound", {QStringLiteral("--positions"), no_gps, photo}, 0, "", false},
        StatusCase{"PositionsNone", {QStringLiteral("--positions"), no_gps}, 1, "", false},
        StatusCase{"TimeOffsetWithoutTrack",
                   {QStringLiteral("--time-offset"), QStringLiteral("+02:00"), photo},
                   2,
                   "apply only with --track",
                   false},
        StatusCase{"BadTimeOffset",
                   {QStringLiteral("--track"), QStringLiteral("%D/notes.txt"),
                    QStringLiteral("--time-offset"), QStringLiteral("2h"), photo},
                   2,
                   "--time-offset takes an offset",
                   false},
        StatusCase{"BadMaxGap",
                   {QStringLiteral("--track"), QStringLiteral("%D/notes.txt"),
                    QStringLiteral("--max-gap"), QStringLiteral("5 min"), photo},
                   2,
                   "--max-gap takes seconds",
                   false},
        StatusCase{"BadClockShift",
                   {QStringLiteral("--track"), QStringLiteral("%D/notes.txt"),
                    QStringLiteral("--clock-shift"), QStringLiteral("1.5"), photo},
                   2,
                   "--clock-shift takes whole seconds",
                   false},
        // A track that cannot be read is logged; the album is made all the same.
        StatusCase{"UnreadableTrack",
                   {QStringLiteral("--track"), QStringLiteral("%D/notes.txt"), photo},
                   0,
                   "",
                   true}),
    [](const testing::TestParamInfo<StatusCase>& info) { return std::string(info.param.name); });

TEST(AlbumCommand, HelpOrVersionThatCannotBeWrittenIsAnError) {
  if (!QFileInfo::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full";
  for (const char* option : {"--help", "--version"}) {
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(TRAILBOOK_ALBUM_PROGRAM), {QString::fromLatin1(option)});
    ASSERT_TRUE(process.waitForFinished(30000)) << option;
    EXPECT_EQ(process.exitCode(), 2) << option;
    EXPECT_TRUE(process.readAllStandardError().contains("Cannot write to standard output"))
        << option;
  }
}

// A name or a camera's text with a line break cannot split or forge an output line: the page's
// path stays the last line.
TEST(AlbumCommand, EscapesLineBreaksTabsAndBackslashesInItsOutput) {
  QTemporaryDir work;
  copy_samples(work.path(), {QStringLiteral("IMG_0101.JPG")});
  ASSERT_TRUE(QFile::rename(work.filePath(QStringLiteral("IMG_0101.JPG")),
                            work.filePath(QStringLiteral("x\ny\tz\\w\x1B[2J\x7F.JPG"))));
  const AlbumCommandRun run = run_album_command({work.path()});
  ASSERT_EQ(run.exit_status, 0) << run.err.toStdString();
  const QList<QByteArray> lines = run.out_lines();
  EXPECT_TRUE(lines.contains("#1: x\\ny\\tz\\\\w\\x1B[2J\\x7F.JPG")) << run.out.toStdString();
  EXPECT_TRUE(lines.last().endsWith(".html")) << run.out.toStdString();
  EXPECT_TRUE(QFileInfo::exists(QString::fromUtf8(lines.last())));
}

// A folder deeper than one path may name (PATH_MAX, 4096 bytes): the photo is read and the page
// written there as anywhere else, though their absolute paths are too long for one system call.
// (bash, whose cd goes on where dash's stops.)
TEST(AlbumCommand, MakesAnAlbumInAFolderDeeperThanAPathMayReach) {
  QTemporaryDir work;
  const QString script = QStringLiteral(
      "cd \"$1\" && for i in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18; do "
      "mkdir \"$4\" && cd \"$4\" || exit 9; done; cp \"$2\" a.jpg && \"$3\" a.jpg; status=$?; "
      "ls; cd \"$1\" && rm -rf \"$4\"; exit $status");
  const AlbumCommandRun run =
      run_album_command({QStringLiteral("-c"), script, QStringLiteral("sh"), work.path(),
                         QStringLiteral(TRAILBOOK_SAMPLES_DIR "/IMG_0101.JPG"),
                         QStringLiteral(TRAILBOOK_ALBUM_PROGRAM), QString(250, u'd')},
                        {}, QProcessEnvironment::systemEnvironment(), QStringLiteral("/bin/bash"));
  ASSERT_EQ(run.exit_status, 0) << run.err.toStdString();
  const QList<QByteArray> lines = run.out_lines();
  EXPECT_TRUE(
      lines.contains("latitude=46.3689119444444, longitude=14.114205, "
                     "DateTime=2024:05:18 08:41:07, OK!"))
      << run.out.toStdString();
  const qsizetype saved = lines.indexOf("The album html file was saved as:");
  ASSERT_GE(saved, 0) << run.out.toStdString();
  EXPECT_GT(lines[saved + 1].size(), 4096);
  EXPECT_TRUE(
      lines.mid(saved + 2).contains(lines[saved + 1].mid(lines[saved + 1].lastIndexOf('/') + 1)));
}

// A script, whose output and error are no terminal, still learns which previews failed; the log
// on standard output stays as it is.
TEST(AlbumCommand, WritesFailedPreviewsToStandardError) {
  QTemporaryDir work;
  copy_samples(work.path(), {QStringLiteral("IMG_0101.JPG")});
  const QByteArray heic =
      read_file(QStringLiteral(TRAILBOOK_SAMPLES_DIR "/../tests/album/samples/no-thumbnail.heic"));
  write_file(work.filePath(QStringLiteral("cut.heic")), heic.first(heic.indexOf("mdat") + 400));
  const AlbumCommandRun run = run_album_command({work.path()});
  ASSERT_EQ(run.exit_status, 0) << run.err.toStdString();
  QList<QByteArray> failures;
  for (const QByteArray& line : run.err.split('\n')) {
    if (line.startsWith("No preview of ")) failures.append(line);
  }
  ASSERT_EQ(failures.size(), 1) << run.err.toStdString();
  EXPECT_TRUE(failures[0].contains("cut.heic")) << run.err.toStdString();
  EXPECT_TRUE(run.err.split('\n').contains("Previews: 1 made, 0 reused, 1 failed."))
      << run.err.toStdString();
  EXPECT_FALSE(run.out.contains("No preview of "));
}

// In a folder all users may write to, another user links the page names of the coming minutes
// to a file the user can write. The album must leave that file alone and take a free name. As
// root the command runs as "nobody", the way an ordinary user would meet the trap.
TEST(AlbumCommand, NeverWritesThroughALinkPlantedAtThePageName) {
  QTemporaryDir work;
  const QString folder = work.path();
  ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 01777), 0);
  copy_samples(folder, {QStringLiteral("IMG_0101.JPG")});
  const QString victim = folder + QStringLiteral("/victim.txt");
  write_file(victim, "precious");
  ASSERT_EQ(::chmod(QFile::encodeName(victim).constData(), 0666), 0);
  const QDateTime now = QDateTime::currentDateTime();
  for (int second = -5; second <= 120; ++second) {
    const QString name = now.addSecs(second).toString(QStringLiteral("yyyyMMddHHmmss"));
    QFile::link(victim, folder + u'/' + name + QStringLiteral(".html"));
  }

  QString program = QStringLiteral(TRAILBOOK_ALBUM_PROGRAM);
  QStringList arguments = {folder + QStringLiteral("/IMG_0101.JPG")};
  if (running_as_root()) {
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) GTEST_SKIP() << "running as root and no setpriv to run as nobody";
    arguments = QStringList({QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                             QStringLiteral("--clear-groups"), program}) +
                arguments;
    program = setpriv;
  }
  const AlbumCommandRun run =
      run_album_command(arguments, folder, QProcessEnvironment::systemEnvironment(), program);
  ASSERT_EQ(run.exit_status, 0) << run.err.toStdString();
  EXPECT_EQ(read_file(victim), "precious");
  const QFileInfo page(QString::fromUtf8(run.out_lines().last()));
  EXPECT_TRUE(page.fileName().endsWith(QStringLiteral("-2.html"))) << page.filePath().toStdString();
  EXPECT_TRUE(page.isFile() && !page.isSymLink());
}

// A page that does not fit on the disk is reported with the system's reason. The full disk is a
// small memory file system in a mount namespace of the test's own, where the system allows one.
TEST(AlbumCommand, ReportsAFullDiskWithTheSystemsReason) {
  const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
  if (unshare.isEmpty() || QProcess::execute(unshare, {"-rm", "true"}) != 0) {
    GTEST_SKIP() << "no mount namespace can be made here";
  }
  QTemporaryDir work;
  const QString script = QStringLiteral(
      "mount -t tmpfs -o size=64k none \"$1\" && cp \"$2\" \"$1/a.jpg\" && "
      "(dd if=/dev/zero of=\"$1/fill\" bs=4k 2>/dev/null; \"$3\" \"$1/a.jpg\"; status=$?; "
      "echo; ls -A \"$1\"; exit $status)");
  const AlbumCommandRun run = run_album_command(
      {QStringLiteral("-rm"), QStringLiteral("sh"), QStringLiteral("-c"), script,
       QStringLiteral("sh"), work.path(), QStringLiteral(TRAILBOOK_SAMPLES_DIR "/IMG_0101.JPG"),
       QStringLiteral(TRAILBOOK_ALBUM_PROGRAM)},
      {}, QProcessEnvironment::systemEnvironment(), unshare);
  EXPECT_EQ(run.exit_status, 2) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains("Cannot create file")) << run.err.toStdString();
  EXPECT_TRUE(run.err.endsWith(". No space left on device\n")) << run.err.toStdString();
  // Nothing the run made is left behind: no previews folder without its page.
  const QList<QByteArray> out = run.out_lines();
  EXPECT_EQ(out.mid(out.lastIndexOf("") + 1), (QList<QByteArray>{"a.jpg", "fill"}))
      << run.out.toStdString();
}

TEST(AlbumCommand, HelpGoesToStandardOutput) {
  const AlbumCommandRun run = run_album_command({QStringLiteral("--help")});
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_TRUE(run.out.startsWith("Usage: ")) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains("--positions"));
  EXPECT_EQ(run.err, QByteArray());
}

QStringList numbered_names(int count) {
  QStringList names;
  names.reserve(count);
  for (int i = 1; i <= count; ++i) names += QString::number(i);
  return names;
}

TEST(AlbumCommand, RefusesMoreThan100000FilesLikeTheWindow) {
  QTemporaryDir work;
  const AlbumCommandRun run = run_album_command(numbered_names(100001), work.path());
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_EQ(run.err,
            "trailbook-album: You select too many files! The max files count is 100000.\n");
  EXPECT_EQ(run.out_lines(), (QList<QByteArray>{"Begin to add photos...", separator, ""}));
}

TEST(AlbumCommand, Accepts100000Files) {
  QTemporaryDir work;
  // None of these names exists: each is logged as a failed open, and nothing is written.
  const AlbumCommandRun run = run_album_command(numbered_names(100000), work.path());
  EXPECT_EQ(run.exit_status, 1) << run.err.toStdString();
  const QList<QByteArray> lines = run.out_lines();
  ASSERT_EQ(lines.size(), 3 + 100000 * 3 + 3);
  EXPECT_EQ(lines[3 + 99999 * 3], "#100000: 100000");
  EXPECT_EQ(lines[4 + 99999 * 3], "Open file failed. failed code=-1");
  EXPECT_EQ(lines.last(), "No photos added, so we have not create html for you.");
}

TEST(AlbumCommand, OpenHandsThePageToTheDesktopOpener) {
  QTemporaryDir work;
  copy_samples(work.path(), {QStringLiteral("IMG_0101.JPG")});
  const QString record = work.filePath(QStringLiteral("opened.txt"));
  const QString opener = write_recording_opener(work.path(), record);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("TRAILBOOK_OPENER"), opener);
  const QString photo_path = work.filePath(QStringLiteral("IMG_0101.JPG"));

  const AlbumCommandRun plain = run_album_command({photo_path}, work.path(), environment);
  ASSERT_EQ(plain.exit_status, 0);
  QThread::msleep(300);
  EXPECT_FALSE(QFileInfo::exists(record)) << "opened without --open";

  const AlbumCommandRun opened =
      run_album_command({QStringLiteral("--open"), photo_path}, work.path(), environment);
  ASSERT_EQ(opened.exit_status, 0) << opened.err.toStdString();
  // The opener runs detached; give it a moment.
  QDeadlineTimer deadline(10000);
  while (!QFileInfo::exists(record) && !deadline.hasExpired()) QThread::msleep(20);
  EXPECT_EQ(read_file(record), opened.out_lines().last() + recorded_line_end);
}

TEST(AlbumCommand, FindsItsTemplateThroughASymbolicLink) {
  QTemporaryDir work;
  copy_samples(work.path(), {QStringLiteral("IMG_0101.JPG")});
  const QString link = work.filePath(QStringLiteral("trailbook-album"));
  ASSERT_TRUE(QFile::link(QStringLiteral(TRAILBOOK_ALBUM_PROGRAM), link));

  const AlbumCommandRun run =
      run_album_command({work.filePath(QStringLiteral("IMG_0101.JPG"))}, work.path(),
                        QProcessEnvironment::systemEnvironment(), link);
  ASSERT_EQ(run.exit_status, 0) << run.err.toStdString();
  const QByteArray page = read_file(QString::fromLocal8Bit(run.out_lines().last()));
  EXPECT_TRUE(page.contains("\"IMG_0101.JPG\""));
  EXPECT_TRUE(page.contains("<html")) << "the program's own template was not used";
}

// The image decoders are a module beside the real program: where it is missing or broken, the
// album is written all the same and each photo's preview fails with the reason.
TEST(AlbumCommand, FindsItsDecodersBesideTheRealProgramAndGoesOnWithoutThem) {
  const struct {
    const char* name;
    QByteArray module;  // written beside a copy of the program; null: the real program, by a link
    QByteArray failure;
  } cases[] = {
      {"through a link", {}, {}},
      {"missing", "", "is missing"},
      {"no library", QByteArray(4096, 'x'), "Cannot load library "},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.name);
    QTemporaryDir work;
    copy_samples(work.path(), {QStringLiteral("IMG_0101.JPG")});
    const QString program = work.filePath(QStringLiteral("trailbook-album"));
    const QString module = work.filePath(QStringLiteral(TRAILBOOK_PREVIEW_MODULE));
    if (each.module.isNull()) {
      ASSERT_TRUE(QFile::link(QStringLiteral(TRAILBOOK_ALBUM_PROGRAM), program));
    } else {
      ASSERT_TRUE(QFile::copy(QStringLiteral(TRAILBOOK_ALBUM_PROGRAM), program));
      if (!each.module.isEmpty()) write_file(module, each.module);
    }
    write_file(work.filePath(QStringLiteral("t.html")), small_template + "{vorn_preview_urls}\n");
    const AlbumCommandRun run =
        run_album_command({QStringLiteral("--template"), work.filePath(QStringLiteral("t.html")),
                           work.filePath(QStringLiteral("IMG_0101.JPG"))},
                          work.path(), QProcessEnvironment::systemEnvironment(), program);
    ASSERT_EQ(run.exit_status, 0) << run.err.toStdString();
    const QString page = QString::fromLocal8Bit(run.out_lines().last());
    EXPECT_TRUE(read_file(page).contains("IMG_0101.JPG"));
    const QString previews = page.chopped(5) + QStringLiteral("_previews");
    if (each.failure.isNull()) {
      EXPECT_EQ(QDir(previews).entryList(QDir::Files).size(), 1) << run.err.toStdString();
      EXPECT_FALSE(run.err.contains("No preview of ")) << run.err.toStdString();
      continue;
    }
    EXPECT_TRUE(run.err.contains("No preview of " + work.filePath("IMG_0101.JPG").toLocal8Bit() +
                                 ": the image decoders cannot be loaded: "))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(each.failure)) << run.err.toStdString();
    EXPECT_TRUE(run.err.split('\n').contains("Previews: 0 made, 0 reused, 1 failed."));
  }
}

}  // namespace
