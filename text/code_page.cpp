#include "text/text_types.h"

// The process code page is Qt's local 8-bit encoding: UTF-8 on Linux and other Unix systems
// (what file names use there, so no character of a path is lost), the ANSI code page on
// Windows, which the programs' manifest makes UTF-8 from Windows 10 version 1903 on (older
// Windows keep the system's code page). Characters it cannot hold come out as '?'.

WideText to_wide(const AnsiText& text) {
  return QString::fromLocal8Bit(text);
}

WideText to_wide(const char* text) {
  return QString::fromLocal8Bit(text);
}

AnsiText to_ansi(const WideText& text) {
  return text.toLocal8Bit();
}

QByteArray to_utf8(const AnsiText& text) {
#ifndef _WIN32
  if (QByteArrayView(text).isValidUtf8()) return text;
#endif
  return to_wide(text).toUtf8();
}
