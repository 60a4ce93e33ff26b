#pragma once
// What a test expects where Linux and Windows differ: the separator the program writes paths
// with, and the system's own words for a failure.
#include <QDir>
#include <QString>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

#ifdef _WIN32
inline constexpr bool on_windows = true;
#else
inline constexpr bool on_windows = false;
#endif

// `path` written with the platform's separators, as the program writes the paths it makes.
inline QString native_path(const QString& path) {
  return QDir::toNativeSeparators(path);
}

enum class SystemFailure { no_such_file, no_such_folder, not_a_folder };

// The system's reason for `failure` as the program passes it on: without a final period.
inline QString system_reason(SystemFailure failure) {
#ifdef _WIN32
  const int codes[] = {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_PATH_NOT_FOUND};
#else
  const int codes[] = {ENOENT, ENOENT, ENOTDIR};
#endif
  QString reason = qt_error_string(codes[static_cast<int>(failure)]).trimmed();
  while (reason.endsWith(u'.')) reason.chop(1);
  return reason;
}
