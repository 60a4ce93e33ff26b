#pragma once
// The album's log on a console: its lines go to standard output, and a long run shows a progress
// line on standard error.
#include "album/album_log.h"
#include "cli/progress_line.h"

class ConsoleLog : public AlbumLog {
 public:
  explicit ConsoleLog(qsizetype photo_count);

  void append_line(const WideText& line) override;
  void photo_started(qsizetype index, qsizetype count) override;
  // The preview step: its texts and its progress where the progress line is drawn.
  void step(const WideText& text) override;
  void step_failure(const WideText& text) override;
  void step_progress(qsizetype done, qsizetype count) override;
  // Erases the progress line before something else is said.
  void finish() { progress_.finish(); }

 private:
  ProgressLine progress_;
  qsizetype step_failures_ = 0;
};
