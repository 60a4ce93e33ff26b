#pragma once
// An AlbumHost that records what the command does to the window and answers the dialog and
// the clock from a script.
#include <QDateTime>
#include <QStringList>
#include <functional>
#include <vector>

#include "album/album_host.h"

class FakeAlbumHost : public AlbumHost {
 public:
  // Script.
  bool confirm_dialog = true;
  QStringList files_to_pick;
  WideText folder_to_pick;
  QDateTime now = QDateTime(QDate(2024, 1, 31), QTime(14, 25, 30));
  std::function<void()> on_photo_started;  // runs inside photo_started

  // Record.
  QStringList log;
  QStringList messages;
  QStringList opened;
  std::vector<bool> running_changes;
  bool running = false;
  int dialog_shows = 0;
  int photos_started = 0;
  int clock_reads = 0;

  bool pick_photo_files(QStringList& files) override {
    ++dialog_shows;
    if (confirm_dialog) files = files_to_pick;
    return confirm_dialog;
  }
  bool pick_photo_folder(WideText& folder) override {
    ++dialog_shows;
    if (confirm_dialog) folder = folder_to_pick;
    return confirm_dialog;
  }
  void clear_log() override { log.clear(); }
  void append_line(const WideText& line) override { log.append(line); }
  void show_message(const WideText& text) override { messages.append(text); }
  void photo_started(qsizetype, qsizetype) override {
    ++photos_started;
    if (on_photo_started) on_photo_started();
  }
  void open_with_shell(const WideText& target) override { opened.append(target); }
  QDateTime local_now() override {
    ++clock_reads;
    return now;
  }
  void set_command_running(bool is_running) override {
    running = is_running;
    running_changes.push_back(is_running);
  }
};
