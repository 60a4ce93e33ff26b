#include "cli/console_log.h"

#include "cli/console_output.h"

ConsoleLog::ConsoleLog(qsizetype photo_count) : progress_(photo_count, ProgressLine::wanted()) {}

void ConsoleLog::append_line(const WideText& line) {
  write_output_line(line);
}

void ConsoleLog::photo_started(qsizetype, qsizetype) {
  progress_.advance();
}
