#include "cli/photo_arguments.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "album/photo_patterns.h"

bool photo_name_less(const WideText& a, const WideText& b) {
  const int folded = a.compare(b, Qt::CaseInsensitive);
  return folded != 0 ? folded < 0 : a < b;
}

namespace {

QStringList photo_files_in(const WideText& folder) {
  // Regular files and links to them; hidden files stay hidden, as in the dialog.
  QStringList names = QDir(folder).entryList(QDir::Files);
  names.removeIf([](const WideText& name) { return !is_photo_file_name(name); });
  std::sort(names.begin(), names.end(), photo_name_less);
  const WideText prefix = folder.endsWith(u'/') ? folder : folder + u'/';
  for (WideText& name : names) name.prepend(prefix);
  return names;
}

}  // namespace

QStringList expand_photo_arguments(const QStringList& arguments) {
  QStringList paths;
  for (const WideText& argument : arguments) {
    if (!argument.isEmpty() && QFileInfo(argument).isDir()) {
      paths += photo_files_in(argument);
    } else {
      paths += argument;
    }
  }
  return paths;
}
