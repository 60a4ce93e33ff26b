#include "cli/photo_arguments.h"

#include <QDir>

#include "album/photo_folder.h"

#ifndef _WIN32
#include <unistd.h>

#include <cstdlib>
#include <memory>
#endif

namespace {

AnsiText working_folder() {
#ifndef _WIN32
  std::unique_ptr<char, void (*)(void*)> folder(::getcwd(nullptr, 0), std::free);
  if (folder) return AnsiText(folder.get());
#endif
  return to_ansi(QDir::currentPath());
}

}  // namespace

QList<AnsiText> expand_photo_arguments(const QList<AnsiText>& arguments) {
  QList<AnsiText> paths;
  for (const AnsiText& argument : arguments) {
    if (!argument.isEmpty() && is_photo_folder(argument)) {
      paths += photo_files_in(argument);
    } else {
      paths += argument;
    }
  }
  return paths;
}

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
