#include "cli/console_output.h"

#include <cstdio>

void write_output_line(const WideText& line) {
  const AnsiText bytes = to_ansi(line);
  std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
  std::fputc('\n', stdout);
}

void write_error_line(const WideText& text) {
  std::fflush(stdout);
  const AnsiText bytes = to_ansi(text);
  std::fprintf(stderr, "trailbook-album: %s\n", bytes.constData());
  std::fflush(stderr);
}

bool finish_output() {
  return std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
}
