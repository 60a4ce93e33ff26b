#include <gtest/gtest.h>

#include <QApplication>
#include <QKeySequence>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

#include "app/Unit1.h"
#include "app/app_icon.h"
#include "app/window_placement.h"
#include "app_test_support.h"
#include "tests/platform_expectations.h"
#include "text/app_error.h"

namespace {

class MainWindow : public ::testing::Test {
 protected:
  MainWindow() { folder.write_version_file("2.5\n"); }

  // Runs the event loop until something quits it; 1 if nothing did within five seconds.
  static int run_event_loop() {
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    return QApplication::exec();
  }

  DesktopCapture desktop;
  ProgramFolder folder{QStringLiteral("Wanderung \u00DC \u5730\u56FE")};
};

struct MenuEntry {
  const char* name;
  const char* caption;  // nullptr for a separator
  int access_key;
};

void expect_menu(const QMenu& menu, const std::vector<MenuEntry>& entries) {
  const QList<QAction*> actions = menu.actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(entries.size()))
      << menu.objectName().toStdString();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const QAction& action = *actions[static_cast<qsizetype>(i)];
    EXPECT_EQ(action.objectName(), QString::fromLatin1(entries[i].name));
    EXPECT_EQ(action.isSeparator(), entries[i].caption == nullptr) << entries[i].name;
    if (!entries[i].caption) continue;
    EXPECT_EQ(action.text(), QString::fromLatin1(entries[i].caption));
    EXPECT_EQ(QKeySequence::mnemonic(action.text()), QKeySequence(Qt::ALT | entries[i].access_key))
        << entries[i].name;
  }
}

TEST_F(MainWindow, MenusHoldTheirItemsWithCaptionsAndAccessKeys) {
  TForm1 form;
  const QList<QAction*> menus = form.MainMenu1->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0], form.File1->menuAction());
  EXPECT_EQ(menus[1], form.Help1->menuAction());
  EXPECT_EQ(QKeySequence::mnemonic(form.File1->title()), QKeySequence(Qt::ALT | Qt::Key_F));
  EXPECT_EQ(QKeySequence::mnemonic(form.Help1->title()), QKeySequence(Qt::ALT | Qt::Key_H));
  expect_menu(*form.File1, {{"AddPhotos1", "&Add Photos...", Qt::Key_A},
                            {"AddFolder1", "Add &Folder...", Qt::Key_F},
                            {"AddTrack1", "Add &Track...", Qt::Key_T},
                            {"ClearTracks1", "&Clear Tracks", Qt::Key_C},
                            {"N1", nullptr, 0},
                            {"Exit1", "E&xit", Qt::Key_X}});
  expect_menu(*form.Help1, {{"Readme1", "&Readme", Qt::Key_R},
                            {"N4", nullptr, 0},
                            {"Homepage1", "Home&page", Qt::Key_P},
                            {"N3", nullptr, 0},
                            {"OnlineHelp1", "&Online Help", Qt::Key_O}});
  EXPECT_EQ(form.Button1->text(), QStringLiteral("Add Photos"));
}

TEST_F(MainWindow, HasTheFixedLayoutAndCannotBeResized) {
  TForm1 form;
  form.show();
  const int menu_height = form.MainMenu1->height();
  EXPECT_EQ(form.centralWidget(), form.Panel1);
  EXPECT_EQ(form.Panel1->geometry(), QRect(0, menu_height, 789, 536));
  EXPECT_EQ(form.Memo1->geometry(), QRect(16, 80, 761, 425));
  EXPECT_EQ(form.Button1->geometry(), QRect(16, 24, 185, 41));
  EXPECT_EQ(form.StatusBar1->geometry(), QRect(0, menu_height + 536, 789, 19));
  EXPECT_EQ(form.size(), QSize(789, menu_height + 555));

  form.resize(1000, 800);
  QCoreApplication::processEvents();
  EXPECT_EQ(form.size(), QSize(789, menu_height + 555));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form.StatusBar1->isSizeGripEnabled());
}

TEST_F(MainWindow, TabGoesFromTheLogToTheButton) {
  TForm1 form;
  QWidget* next = form.Memo1->nextInFocusChain();
  while (next != form.Memo1 && !(next->focusPolicy() & Qt::TabFocus))
    next = next->nextInFocusChain();
  EXPECT_EQ(next, form.Button1);
}

TEST_F(MainWindow, StartsWithTheLogPlaceholderAndTheHomePageInTheStatusBar) {
  TForm1 form;
  form.show();
  EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("[log window]"));
  EXPECT_TRUE(form.Memo1->isReadOnly());
  EXPECT_EQ(form.Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(form.Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);

  const QString home_page = QStringLiteral(TRAILBOOK_HOME_URL);
  EXPECT_EQ(form.StatusBar1->currentMessage(), home_page.left(home_page.size() - 1));
  // Hovering menu items sends empty status tips; the address stays.
  QStatusTipEvent tip{QString()};
  QCoreApplication::sendEvent(&form, &tip);
  EXPECT_EQ(form.StatusBar1->currentMessage(), home_page.left(home_page.size() - 1));
}

TEST_F(MainWindow, CarriesTheProgramIconInEverySize) {
  TForm1 form;
  EXPECT_EQ(
      trailbook_icon().availableSizes(),
      (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
  EXPECT_FALSE(form.windowIcon().isNull());
}

TEST_F(MainWindow, HelpCommandsHandTheirTargetsToTheShell) {
  TForm1 form;
  form.show();
  form.Readme1->trigger();
  form.Homepage1->trigger();
  form.OnlineHelp1->trigger();
  const QString home_page = QStringLiteral(TRAILBOOK_HOME_URL);
  // The folder name holds characters outside Latin-1; the path keeps them.
  EXPECT_EQ(desktop.shell_targets,
            (QStringList{native_path(folder.path() + QStringLiteral("readme.txt")), home_page,
                         home_page + QStringLiteral("support.htm")}));
  EXPECT_TRUE(desktop.boxes.empty());
}

TEST(ShellTarget, AddressesStayAndPathsBecomeFileUrls) {
  EXPECT_EQ(shell_target_url(QStringLiteral("https://x.example/support.htm")),
            QUrl(QStringLiteral("https://x.example/support.htm")));
  const QString path = QStringLiteral("/tmp/Wander ordner #1/readme.txt");
  EXPECT_EQ(shell_target_url(path).toLocalFile(), path);
}

TEST_F(MainWindow, ExitEndsTheEventLoopWithCodeZero) {
  TForm1 form;
  form.show();
  QTimer::singleShot(0, &form, [&form] { form.Exit1->trigger(); });
  EXPECT_EQ(run_event_loop(), 0);
}

// Exit, or closing the window, while a command processes events: the command runs to its end
// on a window that is still there, and the program ends after it.
TEST_F(MainWindow, QuitDuringACommandWaitsUntilItReturns) {
  for (const bool by_closing : {false, true}) {
    TForm1 form;
    form.show();
    bool visible_to_the_end = false;
    QTimer::singleShot(0, &form, [&] {
      form.run_command([&] {
        if (by_closing) {
          EXPECT_FALSE(form.close());
        } else {
          form.Exit1->trigger();
        }
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        visible_to_the_end = form.isVisible();
      });
    });
    EXPECT_EQ(run_event_loop(), 0) << (by_closing ? "close" : "Exit");
    EXPECT_TRUE(visible_to_the_end) << (by_closing ? "close" : "Exit");
  }
}

TEST_F(MainWindow, ErrorOfACommandIsShownAndTheWindowStays) {
  TForm1 form;
  form.show();
  form.run_command([] { throw AppError(QStringLiteral("Cannot open file \"x\". Gone")); });
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].text, QStringLiteral("Cannot open file \"x\". Gone."));
  EXPECT_TRUE(form.isVisible());
}

struct PlacementCase {
  QRect work_area;
  QSize frame;
  QPoint expected;
};

void PrintTo(const PlacementCase& c, std::ostream* os) {
  *os << "area " << c.work_area.x() << ',' << c.work_area.y() << ' ' << c.work_area.width() << 'x'
      << c.work_area.height() << ", frame " << c.frame.width() << 'x' << c.frame.height();
}

class Placement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, CentresButNeverLeavesTheWorkAreaCorner) {
  EXPECT_EQ(centred_position(GetParam().work_area, GetParam().frame), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Areas, Placement,
    ::testing::Values(PlacementCase{{0, 0, 1280, 800}, {789, 578}, {245, 111}},
                      PlacementCase{{60, 30, 1220, 770}, {789, 578}, {275, 126}},
                      PlacementCase{{0, 0, 640, 480}, {789, 578}, {0, 0}},
                      PlacementCase{{1920, 0, 1280, 1024}, {789, 578}, {2165, 223}}));

}  // namespace
