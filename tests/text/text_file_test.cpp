#include "text/text_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/platform_expectations.h"
#include "tests/posix_files.h"

#include "text/app_error.h"

namespace {

class LoadTextLines : public ::testing::Test {
 protected:
  QString write(const QByteArray& bytes) {
    const QString path = folder.filePath(QStringLiteral("t%1.txt").arg(++count));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  QTemporaryDir folder;
  int count = 0;
};

TEST_F(LoadTextLines, DecodesMarksAndCutsLines) {
  struct Case {
    QByteArray bytes;
    QStringList lines;
  };
  const QByteArray utf16le(
      "\xFF\xFE"
      "2\0.\0"
      "5\0\r\0\n\0x\0",
      14);
  const QByteArray utf16be(
      "\xFE\xFF\0"
      "2\0.\0"
      "5\0\n\0x",
      12);
  const Case cases[] = {
      {"1.0\r\n\r\nx", {"1.0", "", "x"}},
      {"2.5\n", {"2.5"}},
      {"\xEF\xBB\xBF"
       "2.5\r\nb",
       {"2.5", "b"}},
      {utf16le, {"2.5", "x"}},
      {utf16be, {"2.5", "x"}},
      {"", {}},
      {"\xEF\xBB\xBF", {}},
      {"\xFF\xFE", {}},
      {"a\rb\r\rc", {"a", "b", "", "c"}},
      {"\n", {""}},
      {QByteArray("a\nb\0c\nd", 7), {"a", "b"}},
      {"\xEF\xBB\xBF\xEF\xBB\xBFx", {QString(QChar(0xFEFF)) + "x"}},
      {"caf\xC3\xA9", {QString::fromUtf8("café")}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(load_text_lines(write(c.bytes)), c.lines) << c.bytes.toHex().constData();
  }
}

TEST_F(LoadTextLines, NamesTheAbsolutePathAndReasonWhenItCannotOpen) {
  QDir::setCurrent(folder.path());
  const QString absolute = folder.filePath("ini/t.txt");
  try {
    load_text_lines("ini/t.txt");
    FAIL() << "opened a missing file";
  } catch (const AppError& error) {
    EXPECT_EQ(error.message(),
              QStringLiteral("Cannot open file \"%1\". %2")
                  .arg(native_path(absolute), system_reason(SystemFailure::no_such_folder)));
  }
  try {
    load_text_lines(folder.path());
    FAIL() << "opened a folder";
  } catch (const AppError& error) {
    EXPECT_TRUE(
        error.message().startsWith("Cannot open file \"" + native_path(folder.path()) + "\". "));
    EXPECT_FALSE(error.message().endsWith('.'));
  }
}

// A data file is read whole: a pipe (which would block until a writer comes), a device (which
// may never end) and a huge file are refused at once with a clear reason.
TEST_F(LoadTextLines, RefusesWhatIsNoRegularFileOfASensibleSize) {
  const QString pipe = folder.filePath("pipe.txt");
  ASSERT_TRUE(make_named_pipe(QFile::encodeName(pipe)));
  const QString huge = folder.filePath("huge.txt");
  QFile sparse(huge);
  ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(largest_data_file + 1));
  sparse.close();
  const struct {
    QString path;
    const char* reason;
  } cases[] = {
      {pipe, "Not a regular file"},
      {QStringLiteral("/dev/zero"), "Not a regular file"},
      {huge, "File too large (more than 64 MiB)"},
  };
  for (const auto& c : cases) {
    try {
      load_text_lines(c.path);
      ADD_FAILURE() << "read " << c.path.toStdString();
    } catch (const AppError& error) {
      EXPECT_EQ(error.message(),
                QStringLiteral("Cannot open file \"%1\". %2").arg(c.path, c.reason));
    }
  }
}

}  // namespace
