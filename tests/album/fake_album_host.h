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
  QDateTime now = QDateTime(QDate(2024, 1, 31), QTime(14, 25, 30));
  std::function<void()> on_process_events;  // runs inside process_pending_events

  // Record.
  QStringList log;
  QStringList messages;
  QStringList opened;
  std::vector<bool> running_changes;
  bool running = false;
  int dialog_shows = 0;
  WideText dialog_title;
  WideText dialog_filter;
  int process_events_calls = 0;
  int clock_reads = 0;

  bool pick_photo_files(const WideText& title, const WideText& filter,
                        QStringList& files) override {
    ++dialog_shows;
    dialog_title = title;
    dialog_filter = filter;
    if (confirm_dialog) files = files_to_pick;
    return confirm_dialog;
  }
  void clear_log() override { log.clear(); }
  void append_log_line(const WideText& line) override { log.append(line); }
  void show_message(const WideText& text) override { messages.append(text); }
  void process_pending_events() override {
    ++process_events_calls;
    if (on_process_events) on_process_events();
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
