#include <QDir>
#include <QFileInfo>

#include "cli/photo_arguments.h"
#include "cli/photo_files.h"

// Windows names are UTF-16: they go through the process code page (UTF-8, by the program's
// manifest) and Qt, and come out with the system's '\'.

bool is_folder(const AnsiText& path) {
  return QFileInfo(to_wide(path)).isDir();
}

AnsiText folder_prefix(const AnsiText& folder) {
  if (folder.endsWith('\\') || folder.endsWith('/') || folder.endsWith(':')) return folder;
  return folder + '\\';
}

QList<AnsiText> names_in(const AnsiText& folder, const AnsiText&) {
  QList<AnsiText> names;
  for (const QString& name : QDir(to_wide(folder)).entryList(QDir::Files)) {
    names.append(to_ansi(name));
  }
  return names;
}

AnsiText absolute_photo_path(const AnsiText& path) {
  if (path.isEmpty()) return path;
  // Lexical, as the dialog's paths are: "." steps go, ".." takes back the step before it.
  const WideText full = QDir::current().absoluteFilePath(to_wide(path));
  return to_ansi(QDir::toNativeSeparators(QDir::cleanPath(full)));
}
