#include "cli/photo_arguments.h"

#include <algorithm>

#include "album/photo_patterns.h"
#include "cli/photo_files.h"

bool photo_name_less(const AnsiText& a, const AnsiText& b) {
  const WideText wide_a = to_wide(a), wide_b = to_wide(b);
  const int folded = wide_a.compare(wide_b, Qt::CaseInsensitive);
  if (folded != 0) return folded < 0;
  if (wide_a != wide_b) return wide_a < wide_b;
  return a < b;
}

namespace {

QList<AnsiText> photo_files_in(const AnsiText& folder) {
  const AnsiText prefix = folder_prefix(folder);
  QList<AnsiText> names = names_in(folder, prefix);
  names.removeIf([](const AnsiText& name) { return !is_photo_file_name(to_wide(name)); });
  std::sort(names.begin(), names.end(), photo_name_less);
  for (AnsiText& name : names) name.prepend(prefix);
  return names;
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
