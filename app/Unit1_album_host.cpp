// The main window's side of the add-photos command: its dialog, log box and message box.
#include <QCoreApplication>
#include <exception>

#include "album/photo_patterns.h"
#include "album/worker_pool.h"
#include "app/Unit1.h"
#include "app/home_page.h"
#include "app/message_boxes.h"
#include "app/open_dialog.h"
#include "app/shell_open.h"
#include "text/text_ops.h"

namespace {

// The log box and the status bar change at most this often while an album is made: about 30
// times a second.
constexpr qint64 progress_interval_ms = 33;

void use_for_files(QFileDialog& dialog) {
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setOption(QFileDialog::ShowDirsOnly, false);
}

}  // namespace

bool TForm1::pick_photo_files(QStringList& files) {
  use_for_files(*OpenDialog1);
  OpenDialog1->setWindowTitle(photo_dialog_title());
  OpenDialog1->setNameFilters({qt_name_filter(photo_dialog_caption(), photo_name_patterns())});
  return run_open_dialog(*OpenDialog1, files);
}

bool TForm1::pick_photo_folder(WideText& folder) {
  OpenDialog1->setFileMode(QFileDialog::Directory);
  OpenDialog1->setOption(QFileDialog::ShowDirsOnly, true);
  OpenDialog1->setWindowTitle(QStringLiteral("Open a folder of photos:"));
  QStringList chosen;
  if (!run_open_dialog(*OpenDialog1, chosen) || chosen.isEmpty()) return false;
  folder = chosen.first();
  return true;
}

bool TForm1::pick_track_files(QStringList& files) {
  use_for_files(*OpenDialog1);
  OpenDialog1->setWindowTitle(QStringLiteral("Open GPX track files:"));
  OpenDialog1->setNameFilters(
      {qt_name_filter(QStringLiteral("GPX tracks"), {QStringLiteral("*.gpx")})});
  return run_open_dialog(*OpenDialog1, files);
}

void TForm1::clear_log() {
  pending_lines_.clear();
  Memo1->clear();
}

void TForm1::append_line(const WideText& line) {
  pending_lines_.append(line);
  if (!lines_kept_back_) flush_log();
}

void TForm1::flush_log() {
  if (pending_lines_.isEmpty()) return;
  // One append of many lines: the box lays out and repaints once for all of them.
  Memo1->appendPlainText(pending_lines_.size() == 1 ? pending_lines_.first()
                                                    : pending_lines_.join(u'\n'));
  pending_lines_.clear();
}

bool TForm1::progress_due() {
  if (since_progress_.isValid() && since_progress_.elapsed() < progress_interval_ms) return false;
  since_progress_.start();
  return true;
}

void TForm1::photo_started(qsizetype index, qsizetype count) {
  if (progress_due()) {
    flush_log();
    StatusBar1->showMessage(QStringLiteral("Reading photo %1 of %2").arg(index + 1).arg(count));
  }
  QCoreApplication::processEvents();
}

void TForm1::step(const WideText& text) {
  append_line(text);
  StatusBar1->showMessage(text);
  if (!progress_due()) return;
  flush_log();
  QCoreApplication::processEvents();
}

void TForm1::step_progress(qsizetype done, qsizetype count) {
  // Called about every 30 ms while the step waits for its workers.
  if (progress_due()) {
    flush_log();
    StatusBar1->showMessage(QStringLiteral("Making previews: %1 of %2").arg(done).arg(count));
  }
  QCoreApplication::processEvents();
}

void TForm1::wait_for(const WideText& what, const std::function<void()>& work) {
  flush_log();
  StatusBar1->showMessage(what);
  std::exception_ptr failure;
  WorkerPool pool;  // of its own, so that waiting for it waits for this work alone
  pool.start([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  while (!pool.waitForDone(static_cast<int>(progress_interval_ms))) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  if (failure) std::rethrow_exception(failure);
}

void TForm1::show_message(const WideText& text) {
  flush_log();
  show_plain_message(text);
}

void TForm1::open_with_shell(const WideText& target) {
  flush_log();
  ::open_with_shell(target);
}

QDateTime TForm1::local_now() {
  return current_local_time();
}

void TForm1::set_command_running(bool running) {
  Button1->setEnabled(!running);
  AddPhotos1->setEnabled(!running);
  AddFolder1->setEnabled(!running);
  AddTrack1->setEnabled(!running);
  // The run places photos on the tracks kept: they stay as they are until it ends.
  ClearTracks1->setEnabled(!running && !tracks.segments.empty());
  lines_kept_back_ = running;
  since_progress_.invalidate();
  if (running) return;
  flush_log();
  StatusBar1->showMessage(home_page_display_text());
}
