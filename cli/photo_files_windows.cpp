#include <QDir>

#include "cli/console_output.h"
#include "cli/photo_arguments.h"

// Windows names are UTF-16: they go through the process code page (UTF-8, by the program's
// manifest) and Qt, and come out with the system's '\', which the output keeps as it is.

const bool escapes_backslash = false;

AnsiText absolute_photo_path(const AnsiText& path) {
  if (path.isEmpty()) return path;
  // Lexical, as the dialog's paths are: "." steps go, ".." takes back the step before it.
  const WideText full = QDir::current().absoluteFilePath(to_wide(path));
  return to_ansi(QDir::toNativeSeparators(QDir::cleanPath(full)));
}
