#include "cli/photo_arguments.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "album/photo_patterns.h"

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#endif

bool photo_name_less(const AnsiText& a, const AnsiText& b) {
  const WideText wide_a = to_wide(a), wide_b = to_wide(b);
  const int folded = wide_a.compare(wide_b, Qt::CaseInsensitive);
  if (folded != 0) return folded < 0;
  if (wide_a != wide_b) return wide_a < wide_b;
  return a < b;
}

namespace {

#ifndef _WIN32

bool is_folder(const AnsiText& path) {
  struct stat status {};
  return ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The names in a folder as the file system stores them.
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

#else

bool is_folder(const AnsiText& path) {
  return QFileInfo(to_wide(path)).isDir();
}

QList<AnsiText> names_in(const AnsiText& folder, const AnsiText&) {
  QList<AnsiText> names;
  for (const QString& name : QDir(to_wide(folder)).entryList(QDir::Files)) {
    names.append(to_ansi(name));
  }
  return names;
}

#endif

QList<AnsiText> photo_files_in(const AnsiText& folder) {
  const AnsiText prefix = folder.endsWith('/') ? folder : folder + '/';
  QList<AnsiText> names = names_in(folder, prefix);
  names.removeIf([](const AnsiText& name) { return !is_photo_file_name(to_wide(name)); });
  std::sort(names.begin(), names.end(), photo_name_less);
  for (AnsiText& name : names) name.prepend(prefix);
  return names;
}

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
    if (!argument.isEmpty() && is_folder(argument)) {
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
