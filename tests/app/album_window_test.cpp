// The window making an album: its log line for line, its status bar, Add Folder, and the log
// box taking its lines in batches.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QTemporaryDir>
#include <cstdio>

#include "app/Unit1.h"
#include "app_test_support.h"
#include "fixture_photos.h"

namespace {

const QString kSeparator(64, u'-');
const QString kFivePlaceholders = QStringLiteral(
    "{vorn_lat_long_photo_1}|{vorn_filenames}|{vorn_datetimes}|{vorn_latlngs}|"
    "{vorn_latlngs_short}");

class AlbumWindow : public ::testing::Test {
 protected:
  AlbumWindow() {
    folder.write_version_file("2.5\n");
    write_gps_photo(photos.filePath("b.jpg"), {'N', 48, 51, 36}, {'E', 2, 17, 24},
                    "2019:07:14 10:22:03");
    write_photo_without_gps(photos.filePath("A.JPG"), "2019:07:14 08:00:00");
    write_plain_file(photos.filePath("notes.txt"), "no photo");
    desktop.dialog_answer = [this](QFileDialog& dialog, QStringList& files) {
      dialog_modes.push_back(dialog.fileMode());
      files = dialog.fileMode() == QFileDialog::Directory ? QStringList{photos.path()} : picks;
      return true;
    };
    form.show();
    QObject::connect(form.StatusBar1, &QStatusBar::messageChanged,
                     [this](const QString& text) { statuses.append(text); });
  }

  void use_template(const QString& text) {
    write_plain_file(photos.filePath("template.html"), text.toUtf8());
    form.template_path = photos.filePath("template.html");
  }
  QStringList log_lines() const { return form.Memo1->toPlainText().split(u'\n'); }
  QStringList preview_folders() const {
    return QDir(photos.path()).entryList({QStringLiteral("*_previews")}, QDir::Dirs);
  }

  DesktopCapture desktop;
  ProgramFolder folder;
  QTemporaryDir photos;
  QStringList picks;
  std::vector<QFileDialog::FileMode> dialog_modes;
  TForm1 form;
  QStringList statuses;
};

// The log of a run, line for line, and nothing else: no preview step for a template without
// previews.
TEST_F(AlbumWindow, LogsExactlyItsLinesForAFivePlaceholderTemplate) {
  use_template(kFivePlaceholders);
  picks = {photos.filePath("A.JPG"), photos.filePath("missing.jpg"), photos.filePath("b.jpg")};
  form.AddPhotos1->trigger();
  ASSERT_EQ(desktop.shell_targets.size(), 1);
  const QString page = desktop.shell_targets[0];
  EXPECT_EQ(log_lines(), (QStringList{
                             "Begin to add photos...",
                             kSeparator,
                             "",
                             "#1: A.JPG",
                             "Latitude and longitude not found! ",
                             "",
                             "#2: missing.jpg",
                             "Open file failed. failed code=-1",
                             "",
                             "#3: b.jpg",
                             "latitude=48.86, longitude=2.29, DateTime=2019:07:14 10:22:03, OK!",
                             "",
                             kSeparator,
                             "",
                             "Total added 1 photos in this album.",
                             "The album html file was saved as:",
                             page,
                         }));
  EXPECT_TRUE(preview_folders().isEmpty());
  EXPECT_EQ(QFileInfo(page).absolutePath(), photos.path());
}

// While photos are read the status bar counts them; after the previews it has its address back,
// and so after a run whose page cannot be written (written on another thread, its error still
// reaches the error box after the log's lines).
TEST_F(AlbumWindow, StatusBarShowsTheProgressThenTheHomePageAgain) {
  use_template(kFivePlaceholders + QStringLiteral("|{vorn_preview_urls}"));
  picks = {photos.filePath("b.jpg"), photos.filePath("A.JPG")};
  form.AddPhotos1->trigger();
  EXPECT_EQ(preview_folders().size(), 1);
  EXPECT_EQ(log_lines().filter(QStringLiteral("Previews: ")).size(), 1);
  ASSERT_FALSE(statuses.isEmpty());
  EXPECT_EQ(statuses.first(), QStringLiteral("Reading photo 1 of 2"));
  const QString home_page = QStringLiteral(TRAILBOOK_HOME_URL).chopped(1);
  EXPECT_EQ(form.StatusBar1->currentMessage(), home_page);

  form.template_path = photos.filePath("none.html");
  picks = {photos.filePath("b.jpg")};
  statuses.clear();
  form.AddPhotos1->trigger();
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_TRUE(desktop.boxes[0].text.startsWith(QStringLiteral("Cannot open file \"")));
  EXPECT_EQ(log_lines().mid(6), (QStringList{kSeparator, ""}));
  EXPECT_EQ(statuses.value(0), QStringLiteral("Reading photo 1 of 1"));
  EXPECT_EQ(form.StatusBar1->currentMessage(), home_page);
  EXPECT_TRUE(form.Button1->isEnabled());
}

// The photos directly in the folder, in the command's order; the dialog chooses a folder.
TEST_F(AlbumWindow, AddFolderTakesThePhotosInTheFolder) {
  use_template(kFivePlaceholders);
  ASSERT_TRUE(QDir(photos.path()).mkdir("sub"));
  write_gps_photo(photos.filePath("sub/c.jpg"), {'N', 1, 0, 0}, {'E', 1, 0, 0}, "");
  const QList<QAction*> file_menu = form.File1->actions();
  ASSERT_GT(file_menu.size(), 1);
  EXPECT_EQ(file_menu[1], form.AddFolder1);
  EXPECT_EQ(form.AddFolder1->text(), QStringLiteral("Add &Folder..."));

  // A name that is no valid text, which the file dialog cannot hand over, is read all the same.
  write_gps_photo(photos.filePath("c.jpg"), {'N', 1, 0, 0}, {'E', 1, 0, 0}, "");
  ASSERT_EQ(::rename(QFile::encodeName(photos.filePath("c.jpg")).constData(),
                     (QFile::encodeName(photos.path()) + "/caf\xE9.jpg").constData()),
            0);

  form.AddFolder1->trigger();
  ::remove(
      (QFile::encodeName(photos.path()) + "/caf\xE9.jpg").constData());  // QTemporaryDir cannot
  EXPECT_EQ(dialog_modes, std::vector<QFileDialog::FileMode>{QFileDialog::Directory});
  const QStringList lines = log_lines();
  ASSERT_GE(lines.size(), 13);
  EXPECT_EQ(lines[3], QStringLiteral("#1: A.JPG"));
  EXPECT_EQ(lines[6], QStringLiteral("#2: b.jpg"));
  EXPECT_EQ(lines[9], QStringLiteral("#3: caf\uFFFD.jpg"));
  EXPECT_EQ(lines[10], QStringLiteral("latitude=1, longitude=1, DateTime=, OK!"));
  EXPECT_EQ(lines[12], kSeparator);
  EXPECT_EQ(desktop.shell_targets.size(), 1);

  // The photo dialog afterwards lists files again.
  form.AddPhotos1->trigger();
  EXPECT_EQ(dialog_modes.back(), QFileDialog::ExistingFiles);
}

// Many photos: the same lines, appended in batches at most about 30 times a second.
TEST_F(AlbumWindow, LogBoxTakesItsLinesInBatches) {
  use_template(kFivePlaceholders);
  for (int i = 0; i < 400; ++i) picks.append(photos.filePath(i % 2 ? "b.jpg" : "A.JPG"));
  int appends = 0;
  QObject::connect(form.Memo1->document(), &QTextDocument::contentsChange,
                   [&](int, int, int added) { appends += added > 0 ? 1 : 0; });
  QElapsedTimer run;
  run.start();
  form.AddPhotos1->trigger();
  const qint64 elapsed = run.elapsed();

  const QStringList lines = log_lines();
  ASSERT_EQ(lines.size(), 3 + 400 * 3 + 5);
  EXPECT_EQ(lines[3 + 399 * 3], QStringLiteral("#400: b.jpg"));
  EXPECT_EQ(lines.last(), desktop.shell_targets.value(0));
  EXPECT_LE(appends, elapsed / 33 + 4) << elapsed << " ms";
  EXPECT_TRUE(statuses.contains(QStringLiteral("Reading photo 1 of 400")));
}

}  // namespace
