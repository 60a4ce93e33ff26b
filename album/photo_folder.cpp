#include "album/photo_folder.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <vector>

#include "album/photo_patterns.h"

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>

#include <memory>
#endif

namespace {

struct NamedFile {
  WideText text;  // the name as text, for the order
  AnsiText name;  // the name's bytes
};

// `folder` ending with the system's separator, ready to have a name appended.
AnsiText folder_prefix(const AnsiText& folder) {
#ifdef _WIN32
  if (folder.endsWith('\\') || folder.endsWith('/') || folder.endsWith(':')) return folder;
  return folder + '\\';
#else
  return folder.endsWith('/') ? folder : folder + '/';
#endif
}

bool text_then_bytes_less(const WideText& wide_a, const AnsiText& a, const WideText& wide_b,
                          const AnsiText& b) {
  const int folded = wide_a.compare(wide_b, Qt::CaseInsensitive);
  if (folded != 0) return folded < 0;
  if (wide_a != wide_b) return wide_a < wide_b;
  return a < b;
}

#ifndef _WIN32

// The photos' names in a folder as the file system stores them, each with its text.
std::vector<NamedFile> photo_names_in(const AnsiText& folder, const AnsiText& prefix,
                                      qsizetype most) {
  std::vector<NamedFile> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.constData()), ::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (most >= 0 && static_cast<qsizetype>(names.size()) >= most) break;
    if (entry->d_name[0] == '.') continue;
    AnsiText name(entry->d_name);
    WideText text = to_wide(name);
    if (!is_photo_file_name(text)) continue;
    // Links count as what they point to, as in the dialog; the folder's own record of the kind
    // spares the status call of every plain file.
    if (entry->d_type != DT_REG) {
      struct stat status {};
      if (::stat((prefix + name).constData(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
    }
    names.push_back({std::move(text), std::move(name)});
  }
  return names;
}

#else

std::vector<NamedFile> photo_names_in(const AnsiText& folder, const AnsiText&, qsizetype most) {
  std::vector<NamedFile> names;
  for (const QString& name : QDir(to_wide(folder)).entryList(QDir::Files)) {
    if (most >= 0 && static_cast<qsizetype>(names.size()) >= most) break;
    if (is_photo_file_name(name)) names.push_back({name, to_ansi(name)});
  }
  return names;
}

#endif

}  // namespace

bool is_photo_folder(const AnsiText& path) {
#ifndef _WIN32
  struct stat status {};
  return ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
#else
  return QFileInfo(to_wide(path)).isDir();
#endif
}

bool photo_name_less(const AnsiText& a, const AnsiText& b) {
  return text_then_bytes_less(to_wide(a), a, to_wide(b), b);
}

QList<AnsiText> photo_files_in(const AnsiText& folder, qsizetype most) {
  const AnsiText prefix = folder_prefix(folder);
  std::vector<NamedFile> names = photo_names_in(folder, prefix, most);
  // Each name is turned into text once, not at every comparison.
  std::sort(names.begin(), names.end(), [](const NamedFile& a, const NamedFile& b) {
    return text_then_bytes_less(a.text, a.name, b.text, b.name);
  });
  QList<AnsiText> paths;
  paths.reserve(static_cast<qsizetype>(names.size()));
  for (const NamedFile& name : names) paths.append(prefix + name.name);
  return paths;
}
