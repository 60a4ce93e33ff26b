// The main window's side of the add-photos command: its dialog, log box and message box.
#include <QCoreApplication>

#include "album/photo_patterns.h"
#include "app/Unit1.h"
#include "app/message_boxes.h"
#include "app/open_dialog.h"
#include "app/shell_open.h"
#include "text/text_ops.h"

bool TForm1::pick_photo_files(QStringList& files) {
  OpenDialog1->setWindowTitle(photo_dialog_title());
  OpenDialog1->setNameFilters({qt_name_filter(photo_dialog_caption(), photo_name_patterns())});
  return run_open_dialog(*OpenDialog1, files);
}

bool TForm1::pick_track_files(QStringList& files) {
  OpenDialog1->setWindowTitle(QStringLiteral("Open GPX track files:"));
  OpenDialog1->setNameFilters(
      {qt_name_filter(QStringLiteral("GPX tracks"), {QStringLiteral("*.gpx")})});
  return run_open_dialog(*OpenDialog1, files);
}

void TForm1::clear_log() {
  Memo1->clear();
}

void TForm1::append_line(const WideText& line) {
  Memo1->appendPlainText(line);
}

void TForm1::photo_started(qsizetype, qsizetype) {
  QCoreApplication::processEvents();
}

void TForm1::step(const WideText& text) {
  Memo1->appendPlainText(text);
  StatusBar1->showMessage(text);
  QCoreApplication::processEvents();
}

void TForm1::step_progress(qsizetype done, qsizetype count) {
  StatusBar1->showMessage(QStringLiteral("Previews: %1/%2").arg(done).arg(count));
  QCoreApplication::processEvents();
}

void TForm1::show_message(const WideText& text) {
  show_plain_message(text);
}

void TForm1::open_with_shell(const WideText& target) {
  ::open_with_shell(target);
}

QDateTime TForm1::local_now() {
  return current_local_time();
}

void TForm1::set_command_running(bool running) {
  Button1->setEnabled(!running);
  AddPhotos1->setEnabled(!running);
  AddTrack1->setEnabled(!running);
  // The run places photos on the tracks kept: they stay as they are until it ends.
  ClearTracks1->setEnabled(!running && !tracks.segments.empty());
}
