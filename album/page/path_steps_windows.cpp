#include "album/page/path_steps.h"

#include <QString>
#include <algorithm>

#include "text/text_ops.h"

namespace {

bool is_drive_letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool is_separator(char c) {
  return c == '\\' || c == '/';
}

QList<AnsiText> names_of(const AnsiText& path) {
  QList<AnsiText> names;
  AnsiText name;
  for (const char c : path) {
    if (!is_separator(c)) {
      name += c;
    } else if (!name.isEmpty()) {
      names.append(name);
      name.clear();
    }
  }
  if (!name.isEmpty()) names.append(name);
  return names;
}

}  // namespace

// Windows takes '\' and '/' alike. "C:\a" is absolute on drive C:, "\\server\share\a" on a share;
// "\a" (the current drive's root) counts as its own root.
PathSteps path_steps(const AnsiText& path) {
  PathSteps steps;
  if (path.size() >= 2 && path[1] == ':' && is_drive_letter(path[0]) &&
      (path.size() == 2 || is_separator(path[2]))) {
    steps.root = path.first(2);
    steps.names = names_of(path.sliced(2));
  } else if (path.size() >= 2 && is_separator(path[0]) && is_separator(path[1])) {
    QList<AnsiText> names = names_of(path);
    const qsizetype share = std::min<qsizetype>(names.size(), 2);
    steps.root = "\\\\" + names.mid(0, share).join('\\');
    steps.names = names.mid(share);
  } else {
    if (!path.isEmpty() && is_separator(path[0])) steps.root = "\\";
    steps.names = names_of(path);
  }
  return steps;
}

bool same_step(const AnsiText& a, const AnsiText& b) {
  return to_wide(a).compare(to_wide(b), Qt::CaseInsensitive) == 0;
}
