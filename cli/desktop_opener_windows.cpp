#include "cli/desktop_opener.h"

#include <shellapi.h>
#include <windows.h>

#include <QProcess>

// The shell's "open" verb, as the window's Help commands use it; TRAILBOOK_OPENER as on Linux.
bool open_with_desktop(const WideText& file) {
  const WideText opener = qEnvironmentVariable("TRAILBOOK_OPENER");
  if (!opener.isEmpty()) return QProcess::startDetached(opener, {file});
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(file.utf16()), nullptr,
                    nullptr, SW_SHOWNORMAL));
  return result > 32;
}
