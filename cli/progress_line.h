#pragma once
// A one-line "done/total" counter on standard error for long runs. It is drawn only when
// standard error is a terminal and standard output is not (when both are the same terminal,
// the output lines themselves show the progress), and only once a run has lasted a second.
#include <QByteArray>
#include <chrono>
#include <cstdint>
#include <cstdio>

class ProgressLine {
 public:
  ProgressLine(std::int64_t total, bool enabled);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // One more file handled.
  void advance();
  // A later step's own count ("120/1000 previews"), drawn under the same rules.
  void show_step(std::int64_t done, std::int64_t total, const char* what);
  // Erases the line, if one was drawn.
  void finish();

  bool enabled() const { return enabled_; }
  // Whether this process should draw one: standard error a terminal, standard output not.
  static bool wanted();

 private:
  using Clock = std::chrono::steady_clock;
  std::int64_t total_;
  std::int64_t done_ = 0;
  bool enabled_;
  bool drawn_ = false;
  Clock::time_point start_;
  Clock::time_point next_draw_;
};
