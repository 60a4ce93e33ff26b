#include "cli/desktop_opener.h"

// windows.h first: shellapi.h needs its definitions.
#include <windows.h>

#include <shellapi.h>

#include <QDir>
#include <QProcess>

WideText desktop_open_target(const WideText& file) {
  return QDir::toNativeSeparators(file);
}

// The shell's "open" verb, as the window's Help commands use it; TRAILBOOK_OPENER as on Linux.
bool open_with_desktop(const WideText& file) {
  const WideText target = desktop_open_target(file);
  const WideText opener = qEnvironmentVariable("TRAILBOOK_OPENER");
  if (!opener.isEmpty()) return QProcess::startDetached(opener, {target});
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(target.utf16()), nullptr,
                    nullptr, SW_SHOWNORMAL));
  return result > 32;
}
