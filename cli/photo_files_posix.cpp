#include <QDir>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "cli/photo_arguments.h"
#include "cli/photo_files.h"

bool is_folder(const AnsiText& path) {
  struct stat status {};
  return ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

AnsiText folder_prefix(const AnsiText& folder) {
  return folder.endsWith('/') ? folder : folder + '/';
}

QList<AnsiText> names_in(const AnsiText& folder, const AnsiText& prefix) {
  QList<AnsiText> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.constData()), ::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const AnsiText name(entry->d_name);
    if (name.startsWith('.')) continue;
    struct stat status {};
    // Links count as what they point to, as in the dialog.
    if (::stat((prefix + name).constData(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
    names.append(name);
  }
  return names;
}

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
