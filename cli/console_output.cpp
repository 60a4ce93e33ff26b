#include "cli/console_output.h"

#include <cstdio>
#include <string>

void append_escaped_field(std::string& line, std::string_view field) {
  for (const char c : field) {
    switch (c) {
      case '\t':
        line += "\\t";
        break;
      case '\n':
        line += "\\n";
        break;
      case '\r':
        line += "\\r";
        break;
      case '\\':
        line += escapes_backslash ? "\\\\" : "\\";
        break;
      default:
        // Other control characters (an escape sequence in a camera's text) would drive the
        // terminal: they are written as \xNN.
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
          static constexpr char hex[] = "0123456789ABCDEF";
          const auto code = static_cast<unsigned char>(c);
          line += "\\x";
          line += hex[code >> 4];
          line += hex[code & 0xF];
        } else {
          line += c;
        }
    }
  }
}

namespace {

std::string escaped_line(const WideText& line) {
  const AnsiText bytes = to_ansi(line);
  std::string escaped;
  escaped.reserve(static_cast<std::size_t>(bytes.size()) + 1);
  append_escaped_field(escaped, {bytes.constData(), static_cast<std::size_t>(bytes.size())});
  escaped += '\n';
  return escaped;
}

}  // namespace

void write_output_line(const WideText& line) {
  const std::string escaped = escaped_line(line);
  std::fwrite(escaped.data(), 1, escaped.size(), stdout);
}

void write_error_line(const WideText& text) {
  std::fflush(stdout);
  const std::string escaped = escaped_line(text);
  std::fprintf(stderr, "trailbook-album: %s", escaped.c_str());
  std::fflush(stderr);
}

void write_note_line(const WideText& text) {
  std::fflush(stdout);
  const std::string escaped = escaped_line(text);
  std::fputs(escaped.c_str(), stderr);
  std::fflush(stderr);
}

bool finish_output() {
  return std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
}
