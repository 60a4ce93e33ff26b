#pragma once
// Timing of a step of a benchmark: the best of five runs by the clock on the wall, with the
// processor time of that run, which the machine's load moves less.
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>

struct Timing {
  double wall_ms = 1e300;
  double cpu_ms = 1e300;
};

inline Timing best_of_five(const std::function<void()>& work) {
  Timing best;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    work();
    const double cpu = 1000.0 * static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    const double wall =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (wall < best.wall_ms) best = {wall, cpu};
  }
  return best;
}

// One line a step; a goal of 0 means none. The goal is held to the processor time.
inline void report(const char* what, const Timing& t, double goal_ms) {
  std::printf("%-44s %8.1f ms (cpu %6.1f ms)", what, t.wall_ms, t.cpu_ms);
  if (goal_ms > 0) std::printf("  goal < %.0f ms%s", goal_ms, t.cpu_ms < goal_ms ? "" : "  MISSED");
  std::printf("\n");
}
