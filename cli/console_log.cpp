#include "cli/console_log.h"

#include "cli/console_output.h"

ConsoleLog::ConsoleLog(qsizetype photo_count) : progress_(photo_count, ProgressLine::wanted()) {}

void ConsoleLog::append_line(const WideText& line) {
  write_output_line(line);
}

void ConsoleLog::photo_started(qsizetype, qsizetype) {
  progress_.advance();
}

// The step's lines go to standard error: all of them above a progress line, and otherwise its
// failures and the summary after them, so that a script learns which previews failed while the
// log on standard output stays as it is.
void ConsoleLog::step(const WideText& text) {
  if (!progress_.enabled() && step_failures_ == 0) return;
  progress_.finish();
  write_note_line(text);
}

void ConsoleLog::step_failure(const WideText& text) {
  ++step_failures_;
  progress_.finish();
  write_note_line(text);
}

void ConsoleLog::step_progress(qsizetype done, qsizetype count) {
  progress_.show_step(done, count, "previews");
}
