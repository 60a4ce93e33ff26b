#pragma once
// The add-photos command's front end on a console: the photos come from the arguments instead
// of the open dialog, the log lines go to standard output, messages to standard error.
#include <QStringList>
#include <functional>

#include "album/album_host.h"
#include "cli/progress_line.h"

class ConsoleHost : public AlbumHost {
 public:
  // `opener` receives the page the command asks the desktop to open, or is empty to open
  // nothing.
  ConsoleHost(QStringList photo_paths, std::function<void(const WideText&)> opener);

  bool pick_photo_files(const WideText& title, const WideText& filter, QStringList& files) override;
  void clear_log() override;
  void append_log_line(const WideText& line) override;
  void show_message(const WideText& text) override;
  void process_pending_events() override;
  void open_with_shell(const WideText& target) override;
  QDateTime local_now() override;
  void set_command_running(bool running) override;

  // What the run left behind, for the exit status and the last line.
  bool message_shown() const { return message_shown_; }
  const WideText& opened_page() const { return opened_page_; }
  const WideText& last_log_line() const { return last_log_line_; }

 private:
  QStringList photo_paths_;
  std::function<void(const WideText&)> opener_;
  ProgressLine progress_;
  bool message_shown_ = false;
  WideText opened_page_;
  WideText last_log_line_;
};
