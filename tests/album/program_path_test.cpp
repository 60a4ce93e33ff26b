#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "album/program_path.h"
#include "tests/platform_expectations.h"

namespace {

TEST(ProgramPath, LinksLeadToTheRealProgramsFolder) {
  QTemporaryDir temp;
  QDir(temp.path()).mkpath(QStringLiteral("real"));
  QDir(temp.path()).mkpath(QStringLiteral("bin"));
  const QString real_program = temp.path() + QStringLiteral("/real/trailbook");
  QFile(real_program).open(QIODevice::WriteOnly);
  ASSERT_TRUE(QFile::link(real_program, temp.path() + QStringLiteral("/bin/trailbook")));

  const QString canonical = native_path(QFileInfo(real_program).canonicalFilePath());
  EXPECT_EQ(resolve_program_file(temp.path() + QStringLiteral("/bin/trailbook")), canonical);
  EXPECT_EQ(resolve_program_file(temp.path() + QStringLiteral("/bin/../real/trailbook")),
            canonical);
}

TEST(ProgramPath, DataFilesLieBesideTheProgram) {
  override_program_file_path(QStringLiteral("/opt/trail book/trailbook"));
  EXPECT_EQ(program_folder(), native_path(QStringLiteral("/opt/trail book/")));
  EXPECT_EQ(program_data_path(QStringLiteral("ini/t.txt")),
            native_path(QStringLiteral("/opt/trail book/ini/t.txt")));
  override_program_file_path({});
  int argc = 1;
  char name[] = "album_tests";
  char* argv[] = {name, nullptr};
  const QCoreApplication application(argc, argv);
  // The real program of this process: the test binary, in a folder ending with the separator.
  EXPECT_EQ(program_file_path(), native_path(QCoreApplication::applicationFilePath()));
  EXPECT_TRUE(program_folder().endsWith(QDir::separator()));
}

}  // namespace
