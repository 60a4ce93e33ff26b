#include "cli/console_host.h"

#include "cli/console_output.h"
#include "text/text_ops.h"

ConsoleHost::ConsoleHost(QStringList photo_paths, std::function<void(const WideText&)> opener)
    : photo_paths_(std::move(photo_paths)),
      opener_(std::move(opener)),
      progress_(photo_paths_.size(), ProgressLine::wanted()) {}

bool ConsoleHost::pick_photo_files(const WideText&, const WideText&, QStringList& files) {
  files = photo_paths_;
  return true;
}

void ConsoleHost::clear_log() {
  // A console keeps what it printed; each run starts its output afresh anyway.
}

void ConsoleHost::append_log_line(const WideText& line) {
  write_output_line(line);
  last_log_line_ = line;
}

void ConsoleHost::show_message(const WideText& text) {
  progress_.finish();
  write_error_line(text);
  message_shown_ = true;
}

void ConsoleHost::process_pending_events() {
  // Called once per file, right after its first log line.
  progress_.advance();
}

void ConsoleHost::open_with_shell(const WideText& target) {
  progress_.finish();
  opened_page_ = target;
  if (opener_) opener_(target);
}

QDateTime ConsoleHost::local_now() {
  return current_local_time();
}

void ConsoleHost::set_command_running(bool) {
  // Nothing can start a second run from a console.
}
