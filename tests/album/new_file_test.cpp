#include "album/new_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "album_test_support.h"
#include "tests/platform_expectations.h"
#include "text/app_error.h"

namespace {

class WriteNewFile : public testing::Test {
 protected:
  QString path(const QString& name) const { return folder_ + name; }
  QStringList files() const {
    return QDir(folder_).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                   QDir::NoDotAndDotDot);
  }
  // Each case works in a fresh folder of its own.
  void new_folder(int number) {
    folder_ = dir_.filePath(QString::number(number)) + u'/';
    QDir().mkdir(folder_);
  }
  QTemporaryDir dir_;
  QString folder_ = dir_.path() + u'/';
};

// Whatever bears the page's name is left as it is, links included: the page takes the next
// free name and nothing is written through a link.
TEST_F(WriteNewFile, NeverReplacesOrFollowsWhatIsThere) {
  const struct {
    const char* what;
    std::function<void(const QString& at)> plant;
    const char* written_name;
  } cases[] = {
      {"nothing", [](const QString&) {}, "page.html"},
      {"a file", [](const QString& at) { write_bytes(at, "old"); }, "page-2.html"},
      {"a folder", [](const QString& at) { QDir().mkdir(at); }, "page-2.html"},
      {"a link to a file of the user's",
       [this](const QString& at) { QFile::link(path("victim"), at); }, "page-2.html"},
      {"a dangling link", [this](const QString& at) { QFile::link(path("nowhere"), at); },
       "page-2.html"},
      {"a file and its first suffix",
       [this](const QString& at) {
         write_bytes(at, "old");
         write_bytes(path("page-2.html"), "old");
       },
       "page-3.html"},
  };
  // The page's writer, and the writer of the previews in a folder of their own.
  const std::function<AnsiText(const QByteArray&, const AnsiText&, const AnsiText&)> writers[] = {
      write_new_file, write_new_file_in_own_folder};
  int number = 0;
  for (const auto& write : writers)
    for (const auto& c : cases) {
      new_folder(++number);
      write_bytes(path("victim"), "keep me");
      c.plant(path("page.html"));
      const QStringList before = files();

      const AnsiText written = write("new page", to_ansi(path("page.html")), ".html");

      EXPECT_EQ(written, to_ansi(path(c.written_name))) << c.what;
      EXPECT_EQ(read_bytes(to_wide(written)), "new page") << c.what;
      EXPECT_EQ(read_bytes(path("victim")), "keep me") << c.what;
      EXPECT_FALSE(QFileInfo::exists(path("nowhere"))) << c.what;
      QStringList expected = before;
      if (!expected.contains(c.written_name)) expected.append(c.written_name);
      expected.sort();
      EXPECT_EQ(files(), expected) << c.what << ": no temporary file is left";
    }
}

TEST_F(WriteNewFile, ReportsAFolderThatCannotTakeThePageWithTheSystemsReason) {
  write_bytes(path("a file"), "x");
  const struct {
    QString page;
    QString reason;
  } cases[] = {
      {path("missing folder/page.html"), system_reason(SystemFailure::no_such_folder)},
      {path("a file/page.html"), system_reason(SystemFailure::not_a_folder)},
  };
  for (const auto& c : cases) {
    try {
      write_new_file("a", to_ansi(c.page), ".html");
      ADD_FAILURE() << "no error for " << c.page.toStdString();
    } catch (const AppError& error) {
      EXPECT_EQ(error.message(), "Cannot create file \"" + c.page + "\". " + c.reason);
    }
  }
  EXPECT_EQ(read_bytes(path("a file")), "x");
}

}  // namespace
