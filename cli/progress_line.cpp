#include "cli/progress_line.h"

#include <unistd.h>

namespace {
constexpr auto first_draw_after = std::chrono::seconds(1);
constexpr auto redraw_every = std::chrono::milliseconds(200);
}  // namespace

ProgressLine::ProgressLine(std::int64_t total, bool enabled)
    : total_(total),
      enabled_(enabled),
      start_(Clock::now()),
      next_draw_(start_ + first_draw_after) {}

ProgressLine::~ProgressLine() {
  finish();
}

bool ProgressLine::wanted() {
  return isatty(STDERR_FILENO) == 1 && isatty(STDOUT_FILENO) != 1;
}

void ProgressLine::advance() {
  ++done_;
  if (!enabled_) return;
  const Clock::time_point now = Clock::now();
  if (now < next_draw_) return;
  next_draw_ = now + redraw_every;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  std::fprintf(stderr, "\r%lld/%lld photos, %.0f per second ", static_cast<long long>(done_),
               static_cast<long long>(total_), seconds > 0 ? done_ / seconds : 0.0);
  std::fflush(stderr);
  drawn_ = true;
}

void ProgressLine::show_step(std::int64_t done, std::int64_t total, const char* what) {
  if (!enabled_) return;
  const Clock::time_point now = Clock::now();
  if (now < next_draw_) return;
  next_draw_ = now + redraw_every;
  std::fprintf(stderr, "\r%lld/%lld %s \033[K", static_cast<long long>(done),
               static_cast<long long>(total), what);
  std::fflush(stderr);
  drawn_ = true;
}

void ProgressLine::finish() {
  if (!drawn_) return;
  // Carriage return and erase to the end of the line leave the terminal as it was.
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
  drawn_ = false;
}
