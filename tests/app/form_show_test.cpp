#include <gtest/gtest.h>

#include <QFileInfo>

#include "album/add_photos.h"
#include "app/Unit1.h"
#include "app_test_support.h"
#include "tests/platform_expectations.h"

namespace {

struct VersionFileCase {
  const char* name;
  QByteArray bytes;
  const char* caption;
  const char* error;  // nullptr: no error box
};

void PrintTo(const VersionFileCase& c, std::ostream* os) {
  *os << c.name;
}

// The box adds no '.' after the ')'.
const char kEmptyVersionFile[] = "List index out of bounds (0)";

class VersionFile : public ::testing::TestWithParam<VersionFileCase> {};

TEST_P(VersionFile, GivesTheCaptionOrTheError) {
  const VersionFileCase& c = GetParam();
  DesktopCapture desktop;
  ProgramFolder folder;
  folder.write_version_file(c.bytes);
  TForm1 form;
  form.show();

  EXPECT_EQ(form.windowTitle(), QString::fromUtf8(c.caption));
  if (c.error) {
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, QString::fromUtf8(c.error));
    EXPECT_EQ(desktop.boxes[0].icon, QMessageBox::Critical);
  } else {
    EXPECT_TRUE(desktop.boxes.empty());
  }
  // The paths and the address are set before the version file is read, so they hold either way.
  EXPECT_EQ(form.template_path,
            native_path(folder.path() + QStringLiteral("templates/template.html")));
  EXPECT_EQ(form.home_url, AnsiText(TRAILBOOK_HOME_URL));
  EXPECT_EQ(to_wide(form.version_file_path),
            native_path(folder.path() + QStringLiteral("ini/t.txt")));
}

INSTANTIATE_TEST_SUITE_P(
    Files, VersionFile,
    ::testing::Values(
        VersionFileCase{"OneLine", "2.5\n", "Trailbook 2.5", nullptr},
        VersionFileCase{"OnlyTheFirstLine", "1.0\r\n\r\nx", "Trailbook 1.0", nullptr},
        VersionFileCase{"LoneCarriageReturn", "3.1\rsecond", "Trailbook 3.1", nullptr},
        VersionFileCase{"Utf8Mark",
                        "\xEF\xBB\xBF"
                        "2.5",
                        "Trailbook 2.5", nullptr},
        VersionFileCase{"Utf16Mark",
                        QByteArray("\xFF\xFE"
                                   "2\0.\0"
                                   "5\0",
                                   8),
                        "Trailbook 2.5", nullptr},
        VersionFileCase{"NonAscii", "Wanderung \xC3\xBC", "Trailbook Wanderung \xC3\xBC", nullptr},
        VersionFileCase{"EmptyFirstLine", "\nsecond", "Trailbook ", nullptr},
        VersionFileCase{"Empty", "", "Trailbook", kEmptyVersionFile},
        VersionFileCase{"OnlyMark", "\xEF\xBB\xBF", "Trailbook", kEmptyVersionFile}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormShow, MissingIniFolderNamesTheAbsolutePathAndTheReason) {
  DesktopCapture desktop;
  ProgramFolder folder;
  TForm1 form;
  form.show();

  const QString version_file =
      native_path(QFileInfo(folder.path() + QStringLiteral("ini/t.txt")).absoluteFilePath());
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].text,
            QStringLiteral("Cannot open file \"%1\". %2.")
                .arg(version_file, system_reason(SystemFailure::no_such_folder)));
  EXPECT_EQ(desktop.boxes[0].caption, QStringLiteral("Trailbook"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Trailbook"));
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.template_path,
            native_path(folder.path() + QStringLiteral("templates/template.html")));
}

TEST(FormShow, RunsOnlyOnTheFirstShowing) {
  DesktopCapture desktop;
  ProgramFolder folder;
  folder.write_version_file("");
  TForm1 form;
  form.show();
  form.hide();
  form.showMinimized();
  form.showNormal();
  EXPECT_EQ(desktop.boxes.size(), 1u);
}

}  // namespace
