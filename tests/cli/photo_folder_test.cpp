// A folder argument stands for the photo files directly inside it, as the open dialog lists
// them: the dialog's patterns in any letter case, sorted by name.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "album_command_runner.h"

namespace {

// The file names --positions printed, in order, without the folder.
QStringList printed_names(const AlbumCommandRun& run, const QString& folder_prefix) {
  QStringList names;
  for (const QByteArray& line : run.out_lines()) {
    QString path = QString::fromLocal8Bit(line.left(line.indexOf('\t')));
    EXPECT_TRUE(path.startsWith(folder_prefix)) << path.toStdString();
    names += path.mid(folder_prefix.size());
  }
  return names;
}

TEST(PhotoFolder, ListsPhotoPatternsInAnyCaseSortedByName) {
  QTemporaryDir work;
  const QDir folder(work.path());
  for (const char* name : {"b.JPG", "A.jpeg", "c.TIFF", "d.Tif", "e.raw", "x.jpg", "X.jpg", "f.png",
                           "g.jpg.txt", "jpg", ".hidden.jpg", "h.JpG", "i.Heic", "j.cr3.xmp"}) {
    write_file(folder.filePath(QString::fromLatin1(name)), "");
  }
  ASSERT_TRUE(folder.mkdir(QStringLiteral("sub.jpg")));  // a folder is never a photo
  write_file(folder.filePath(QStringLiteral("sub.jpg/inner.jpg")), "");

  const AlbumCommandRun run =
      run_album_command({QStringLiteral("--positions"), work.path()}, work.path());
  EXPECT_EQ(run.exit_status, 1);  // none of them has a position
  QStringList expected{"A.jpeg", "b.JPG", "c.TIFF", "d.Tif", "e.raw",
                       "f.png",  "h.JpG", "i.Heic", "X.jpg", "x.jpg"};
  // Windows names ignore letter case: "X.jpg" was written over "x.jpg".
  if (QDir::separator() == u'\\') expected.removeOne(QStringLiteral("X.jpg"));
  EXPECT_EQ(printed_names(run, work.path() + QDir::separator()), expected);
}

TEST(PhotoFolder, KeepsArgumentOrderAndTheFolderAsGiven) {
  QTemporaryDir work;
  const QDir root(work.path());
  ASSERT_TRUE(root.mkdir(QStringLiteral("day1")));
  write_file(root.filePath(QStringLiteral("day1/2.jpg")), "");
  write_file(root.filePath(QStringLiteral("day1/1.jpg")), "");
  write_file(root.filePath(QStringLiteral("z.jpg")), "");

  // A trailing slash is not doubled; a file named before a folder stays before it.
  const AlbumCommandRun run =
      run_album_command({QStringLiteral("--positions"), QStringLiteral("z.jpg"),
                         QStringLiteral("day1/"), QStringLiteral("z.jpg")},
                        work.path());
  EXPECT_EQ(printed_names(run, QString()),
            (QStringList{"z.jpg", "day1/1.jpg", "day1/2.jpg", "z.jpg"}));
}

TEST(PhotoFolder, AlbumOfAFolderFollowsTheSortedOrder) {
  QTemporaryDir work;
  // Copied under names whose sorted order is not their capture order: the log follows the
  // names, the page the capture times.
  copy_samples(work.path(), {QStringLiteral("IMG_0101.JPG"), QStringLiteral("IMG_0112.JPG")});
  ASSERT_TRUE(QFile::rename(work.filePath(QStringLiteral("IMG_0112.JPG")),
                            work.filePath(QStringLiteral("a_last.jpg"))));
  write_file(work.filePath(QStringLiteral("t.html")), "{vorn_filenames}");

  const AlbumCommandRun run = run_album_command(
      {QStringLiteral("--template"), QStringLiteral("t.html"), QStringLiteral(".")}, work.path());
  ASSERT_EQ(run.exit_status, 0) << run.err.toStdString();
  const QList<QByteArray> lines = run.out_lines();
  EXPECT_EQ(lines[3], "#1: a_last.jpg");
  EXPECT_EQ(lines[6], "#2: IMG_0101.JPG");
  EXPECT_EQ(read_file(QString::fromLocal8Bit(lines.last())),
            "\xEF\xBB\xBF\"IMG_0101.JPG\",\"a_last.jpg\"");
}

}  // namespace
