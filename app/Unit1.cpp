#include "app/Unit1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLayout>
#include <QShowEvent>
#include <utility>

#include "album/add_photos.h"
#include "album/program_path.h"
#include "album/track/track_time.h"
#include "app/app_icon.h"
#include "app/error_report.h"
#include "app/home_page.h"
#include "app/open_dialog.h"
#include "app/shell_open.h"
#include "app/window_placement.h"
#include "text/app_error.h"
#include "text/text_file.h"

namespace {

// Tahoma at a character height of 15 px: a face of Windows itself; on Linux fontconfig picks the
// nearest face where it is missing.
QFont form_font() {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(15);
  return font;
}

// The status bar keeps the desktop's smaller status font, as status bars do, so that its text
// fits the bar's 19 pixels.
QFont status_font() {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(12);
  return font;
}

void post_quit() {
  QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                            Qt::QueuedConnection);
}

}  // namespace

// Every handler Qt calls goes through run_guarded, so its errors end in the error box.
template <class Sender, class Signal>
void TForm1::bind(Sender* sender, Signal signal, void (TForm1::*handler)()) {
  connect(sender, signal, this,
          [this, handler] { run_guarded([this, handler] { (this->*handler)(); }); });
}

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setupUi(this);
  setFont(form_font());
  setWindowIcon(trailbook_icon());
  // A single fixed border: system menu, minimise and close boxes, no maximise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  // The panel and the status bar have fixed sizes; the window takes exactly their size plus the
  // menu bar and cannot be resized.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  // The log box is read-only: it keeps no undo history of the lines a run appends.
  Memo1->setUndoRedoEnabled(false);
  StatusBar1->setFont(status_font());
  StatusBar1->showMessage(home_page_display_text());

  OpenDialog1 = new QFileDialog(this);
  configure_open_dialog(*OpenDialog1);

  bind(Button1, &QPushButton::clicked, &TForm1::Button1Click);
  bind(AddPhotos1, &QAction::triggered, &TForm1::AddPhotos1Click);
  bind(AddFolder1, &QAction::triggered, &TForm1::AddFolder1Click);
  bind(AddTrack1, &QAction::triggered, &TForm1::AddTrack1Click);
  bind(ClearTracks1, &QAction::triggered, &TForm1::ClearTracks1Click);
  bind(Exit1, &QAction::triggered, &TForm1::Exit1Click);
  bind(Readme1, &QAction::triggered, &TForm1::Readme1Click);
  bind(Homepage1, &QAction::triggered, &TForm1::Homepage1Click);
  bind(OnlineHelp1, &QAction::triggered, &TForm1::OnlineHelp1Click);
}

TForm1::~TForm1() = default;

void TForm1::Button1Click() {
  run_command([this] { add_photos_with_tracks(false); });
}

void TForm1::AddPhotos1Click() {
  run_command([this] { add_photos_with_tracks(false); });
}

void TForm1::AddFolder1Click() {
  run_command([this] { add_photos_with_tracks(true); });
}

void TForm1::add_photos_with_tracks(bool from_folder) {
  TimeOptions time;
  const WideText offset = TimeOffsetEdit1->text().trimmed();
  if (!offset.isEmpty()) {
    time.offset = parse_utc_offset(offset.toLatin1());
    if (!time.offset) {
      show_message(QStringLiteral("The time offset \"%1\" is no offset from UTC such as +02:00 or "
                                  "-05:30. Leave it empty to have it found from the photos.")
                       .arg(offset));
      return;
    }
  }
  const TrackSet* track_set = tracks.segments.empty() ? nullptr : &tracks;
  if (from_folder) {
    add_photo_folder(*this, template_path, track_set, time);
  } else {
    add_photos(*this, template_path, track_set, time);
  }
}

void TForm1::AddTrack1Click() {
  run_command([this] {
    QStringList files;
    if (!pick_track_files(files)) return;
    TrackSet added = read_track_files(files, *this);
    for (TrackSegment& segment : added.segments) tracks.segments.push_back(std::move(segment));
    tracks.files += added.files;
    tracks.points += added.points;
    ClearTracks1->setEnabled(!tracks.segments.empty());
    append_line(QStringLiteral("Tracks for the next Add Photos: %1 file(s), %2 points.")
                    .arg(tracks.files.size())
                    .arg(tracks.points));
  });
}

void TForm1::ClearTracks1Click() {
  tracks = TrackSet{};
  ClearTracks1->setEnabled(false);
  append_line(QStringLiteral("Tracks cleared: the next Add Photos uses no track."));
}

void TForm1::FormShow() {
  template_path = default_template_file();
  const AnsiText program_folder_text = to_ansi(program_folder());
  home_url = home_page_address();
  version_file_path = program_folder_text + to_ansi(QDir::toNativeSeparators("ini/t.txt"));
  const QStringList lines = load_text_lines(to_wide(version_file_path));
  if (lines.isEmpty()) throw AppError(QStringLiteral("List index out of bounds (0)"));
  const AnsiText version_text = to_ansi(lines.first());
  setWindowTitle(to_wide("Trailbook " + version_text));
}

void TForm1::Exit1Click() {
  request_quit();
}

void TForm1::Readme1Click() {
  // Built as a wide text from the program folder so that no character of it is lost.
  ::open_with_shell(program_folder() + QStringLiteral("readme.txt"));
}

void TForm1::Homepage1Click() {
  ::open_with_shell(to_wide(home_url));
}

void TForm1::OnlineHelp1Click() {
  ::open_with_shell(online_help_address());
}

void TForm1::run_command(const std::function<void()>& command) {
  ++command_depth_;
  run_guarded(command);
  --command_depth_;
  if (command_depth_ == 0 && std::exchange(quit_pending_, false)) post_quit();
}

void TForm1::request_quit() {
  // During a command the quit waits until the command has returned; the window it works on
  // must stay alive until then.
  if (command_depth_ > 0) {
    quit_pending_ = true;
    return;
  }
  post_quit();
}

bool TForm1::event(QEvent* event) {
  // Menu items hovered would otherwise replace the status bar's fixed text with their (empty)
  // status tips.
  if (event->type() == QEvent::StatusTip) return true;
  return QMainWindow::event(event);
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (form_shown_) return;
  form_shown_ = true;
  run_guarded([this] { FormShow(); });
  centre_on_work_area(*this);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (command_depth_ > 0) {
    event->ignore();
    request_quit();
    return;
  }
  QMainWindow::closeEvent(event);
}
