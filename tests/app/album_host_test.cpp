#include <gtest/gtest.h>

#include <QComboBox>
#include <QRegularExpression>

#include "album/photo_patterns.h"
#include "app/Unit1.h"
#include "app/open_dialog.h"
#include "app_test_support.h"

namespace {

TEST(NameFilters, BecomeQtFiltersThatIgnoreLetterCase) {
  const struct {
    const char* caption;
    QStringList patterns;
    const char* filter;
  } cases[] = {
      {"Photos", {"*.jpg", "*.jpeg"}, "Photos (*.[jJ][pP][gG] *.[jJ][pP][eE][gG])"},
      {"B", {"*.b1"}, "B (*.[bB]1)"},
      {"All", {}, "All (*)"},
      {"Raw", {"IMG_?1.raw"}, "Raw ([iI][mM][gG]_?1.[rR][aA][wW])"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(qt_name_filter(QString::fromUtf8(c.caption), c.patterns), c.filter) << c.caption;
  }
}

TEST(NameFilters, MatchUpperAndLowerCaseNames) {
  const QString pattern = qt_name_filter(QStringLiteral("Photos"), {QStringLiteral("*.jpg")})
                              .section(u'(', 1)
                              .chopped(1);
  const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern));
  EXPECT_TRUE(re.match(QStringLiteral("IMG_0001.JPG")).hasMatch());
  EXPECT_TRUE(re.match(QStringLiteral("img_0001.jpg")).hasMatch());
  EXPECT_TRUE(re.match(QStringLiteral("a.JpG")).hasMatch());
  EXPECT_FALSE(re.match(QStringLiteral("a.jpgx")).hasMatch());
  EXPECT_FALSE(re.match(QStringLiteral("a.png")).hasMatch());
}

class AlbumHostWindow : public ::testing::Test {
 protected:
  AlbumHostWindow() { folder.write_version_file("2.5\n"); }
  DesktopCapture desktop;
  ProgramFolder folder;
};

TEST_F(AlbumHostWindow, DialogIsSetUpForSeveralExistingFiles) {
  TForm1 form;
  QStringList seen_filters;
  desktop.dialog_answer = [&](QFileDialog& dialog, QStringList& files) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Open photo files:"));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
    EXPECT_TRUE(dialog.isSizeGripEnabled());
    seen_filters = dialog.nameFilters();
    files = {QStringLiteral("/photos/a.jpg")};
    return true;
  };
  QStringList files;
  EXPECT_TRUE(form.pick_photo_files(files));
  EXPECT_EQ(files, QStringList{QStringLiteral("/photos/a.jpg")});
  EXPECT_EQ(seen_filters,
            QStringList{qt_name_filter(QStringLiteral("Photos(*.jpg;*.jpeg;*.raw;*.tiff;*.tif)"),
                                       photo_name_patterns())});
}

// The entry shows its caption alone; its patterns list every format the reader knows.
TEST_F(AlbumHostWindow, DialogEntryShowsItsCaption) {
  TForm1 form;
  desktop.dialog_answer = [](QFileDialog& dialog, QStringList&) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    EXPECT_TRUE(types != nullptr);
    if (types) {
      EXPECT_EQ(types->count(), 1);
      EXPECT_EQ(types->itemText(0), QStringLiteral("Photos(*.jpg;*.jpeg;*.raw;*.tiff;*.tif)"));
    }
    EXPECT_TRUE(dialog.nameFilters().value(0).contains(QStringLiteral("*.[hH][eE][iI][cC]")));
    return false;
  };
  QStringList files;
  EXPECT_FALSE(form.pick_photo_files(files));
}

// Both ways of starting the command run it: the dialog is asked for photos while the commands
// that would start another run are disabled; cancelling leaves an empty log.
TEST_F(AlbumHostWindow, ButtonAndMenuItemRunTheAddPhotosCommand) {
  const std::vector<std::function<void(TForm1&)>> starts = {
      [](TForm1& form) { form.Button1->click(); },
      [](TForm1& form) { form.AddPhotos1->trigger(); }};
  for (std::size_t i = 0; i < starts.size(); ++i) {
    TForm1 form;
    form.show();
    int dialogs = 0;
    desktop.dialog_answer = [&](QFileDialog& dialog, QStringList&) {
      ++dialogs;
      EXPECT_FALSE(form.Button1->isEnabled());
      EXPECT_FALSE(form.AddPhotos1->isEnabled());
      EXPECT_TRUE(dialog.nameFilters().join(u' ').contains(QStringLiteral("[jJ][pP][gG]")));
      return false;
    };
    starts[i](form);
    EXPECT_EQ(dialogs, 1) << i;
    EXPECT_EQ(form.Memo1->toPlainText(), QString()) << i;
    EXPECT_TRUE(form.Button1->isEnabled()) << i;
    EXPECT_TRUE(form.AddPhotos1->isEnabled()) << i;
    EXPECT_TRUE(desktop.boxes.empty()) << i;
  }
}

}  // namespace
