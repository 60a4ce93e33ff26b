#include <unistd.h>
#include <QDir>

#include <cstdlib>
#include <memory>

#include "cli/console_output.h"
#include "cli/photo_arguments.h"

// A backslash is a name character like any other, escaped so that the output can be read back.
const bool escapes_backslash = true;

namespace {

AnsiText working_folder() {
  std::unique_ptr<char, void (*)(void*)> folder(::getcwd(nullptr, 0), std::free);
  if (folder) return AnsiText(folder.get());
  return to_ansi(QDir::currentPath());
}

}  // namespace

AnsiText absolute_photo_path(const AnsiText& path) {
  if (path.isEmpty()) return path;
  const AnsiText full = path.startsWith('/') ? path : working_folder() + '/' + path;
  // Lexical, as the dialog's paths are: "." steps go, ".." takes back the step before it.
  QList<AnsiText> steps;
  for (const QByteArray& step : full.split('/')) {
    if (step.isEmpty() || step == ".") continue;
    if (step == "..") {
      if (!steps.isEmpty()) steps.removeLast();
      continue;
    }
    steps.append(step);
  }
  AnsiText cleaned;
  for (const AnsiText& step : steps) cleaned += '/' + step;
  return cleaned.isEmpty() ? AnsiText("/") : cleaned;
}
