#include "text/text_types.h"

// The process code page is Qt's local 8-bit encoding: UTF-8 on Linux and other Unix systems
// (what file names use there, so no character of a path is lost), the ANSI code page on
// Windows. Characters it cannot hold come out as '?'.

WideText to_wide(const AnsiText& text) {
  return QString::fromLocal8Bit(text);
}

WideText to_wide(const char* text) {
  return QString::fromLocal8Bit(text);
}

AnsiText to_ansi(const WideText& text) {
  return text.toLocal8Bit();
}

const char* process_code_page_name() {
#ifdef _WIN32
  return "ANSI code page";
#else
  return "UTF-8";
#endif
}
