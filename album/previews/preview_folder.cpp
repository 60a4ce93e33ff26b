#include "album/previews/preview_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>

#include "album/new_file.h"
#include "text/app_error.h"
#include "text/text_file.h"
#include "text/text_ops.h"

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr int max_suffix = 999;
constexpr qsizetype most_earlier_folders = 32;
constexpr qint64 largest_reused_preview = 1 << 20;
constexpr char folder_suffix[] = "_previews";

bool name_taken(const AnsiText& path) {
#ifndef _WIN32
  struct stat status;
  return ::lstat(path.constData(), &status) == 0 || errno != ENOENT;
#else
  return QFileInfo::exists(to_wide(path)) || QFileInfo(to_wide(path)).isSymLink();
#endif
}

// 0 when the folder was made new, else the reason (EEXIST when the name is taken). Nobody else
// may write in it, whatever the umask, so that a later album can trust and reuse its previews.
int make_folder(const AnsiText& path) {
#ifndef _WIN32
  return ::mkdir(path.constData(), 0755) == 0 ? 0 : errno;
#else
  if (name_taken(path)) return EEXIST;
  return QDir().mkdir(to_wide(path)) ? 0 : EACCES;
#endif
}

}  // namespace

PreviewFolder create_preview_folder(const AnsiText& page_path) {
  const AnsiText stem =
      page_path.endsWith(".html") ? page_path.first(page_path.size() - 5) : page_path;
  const AnsiText page_folder = ansi_folder_of(page_path);
  int error = EEXIST;
  for (int number = 1; number <= max_suffix && !page_path.contains('\0'); ++number) {
    const AnsiText candidate = number == 1 ? stem : stem + '-' + AnsiText::number(number);
    if (name_taken(candidate + ".html")) continue;
    error = make_folder(candidate + folder_suffix);
    if (error == EEXIST) continue;
    if (error != 0) break;
    const AnsiText name = ansi_name_of(candidate) + folder_suffix;
    return {candidate + ".html", candidate + folder_suffix + '/', name.toPercentEncoding() + '/'};
  }
  throw AppError(QStringLiteral("Cannot create folder \"%1\". %2")
                     .arg(to_wide(stem + folder_suffix),
                          failure_reason(QString::fromLocal8Bit(std::strerror(error)))));
}

namespace {

// The names of the real folders (no links) in `page_folder` that end in "_previews". A folder of
// photos may hold a hundred thousand names: its own record of each entry's kind spares a status
// call for most of them.
QStringList preview_folder_names(const AnsiText& page_folder) {
#ifndef _WIN32
  QStringList names;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(page_folder.constData()), ::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const AnsiText name(entry->d_name);
    if (!name.endsWith(folder_suffix) || entry->d_type == DT_REG || entry->d_type == DT_LNK) {
      continue;
    }
    if (entry->d_type != DT_DIR) {
      struct stat status;
      if (::lstat((page_folder + name).constData(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        continue;
      }
    }
    names.append(to_wide(name));
  }
  return names;
#else
  return QDir(to_wide(page_folder))
      .entryList({QStringLiteral("*_previews")}, QDir::Dirs | QDir::NoSymLinks | QDir::Hidden);
#endif
}

}  // namespace

namespace {

bool whole_jpeg(const QByteArray& bytes) {
  return bytes.startsWith("\xFF\xD8") && bytes.endsWith("\xFF\xD9");
}

#ifndef _WIN32

// Whether nobody but us (and the administrator) can have put the file or folder of `status` there
// or changed it: it is ours, and neither its group nor others may write it. Anyone who can see a
// photo can work out its preview's name, and photos often lie in folders others may write.
bool ours_alone(const struct stat& status) {
  static const uid_t we = ::geteuid();
  return status.st_uid == we && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// The folder at `path`, held open, when nobody else can have filled it; none when not. What is
// checked is the folder opened, never a link.
std::optional<int> open_if_ours_alone(const AnsiText& path) {
  const int descriptor =
      ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return std::nullopt;
  struct stat status;
  if (::fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode) && ours_alone(status)) {
    return descriptor;
  }
  ::close(descriptor);
  return std::nullopt;
}

// One more link at `target` to the checked file `status` names, found as `name` in `folder`. The
// new name is checked to be that very file.
bool link_checked(int folder, const AnsiText& name, const struct stat& status,
                  const AnsiText& target) {
  if (::linkat(folder, name.constData(), AT_FDCWD, target.constData(), 0) != 0) return false;
  struct stat linked;
  if (::lstat(target.constData(), &linked) == 0 && S_ISREG(linked.st_mode) &&
      linked.st_ino == status.st_ino && linked.st_dev == status.st_dev) {
    return true;
  }
  ::unlink(target.constData());
  return false;
}

#else

// Windows has no owner ids here: every folder is taken as ours, and none is held open.
std::optional<int> open_if_ours_alone(const AnsiText&) {
  return -1;
}

#endif

}  // namespace

EarlierPreviewFolders::EarlierPreviewFolders(const AnsiText& page_folder, const AnsiText& own) {
  QStringList names = preview_folder_names(page_folder);
  // Newest first: the names begin with the pages' date and time.
  std::sort(names.begin(), names.end(), std::greater<>());
  for (const WideText& name : names) {
    const AnsiText path = page_folder + to_ansi(name) + '/';
    if (path == own) continue;
    const std::optional<int> descriptor = open_if_ours_alone(path);
    if (!descriptor) continue;
    folders_.append({path, *descriptor});
    if (folders_.size() == most_earlier_folders) break;
  }
}

EarlierPreviewFolders::~EarlierPreviewFolders() {
#ifndef _WIN32
  for (const EarlierFolder& folder : folders_) ::close(folder.descriptor);
#endif
}

#ifndef _WIN32

AnsiText reuse_preview(const EarlierPreviewFolders& earlier, const AnsiText& name,
                       const AnsiText& own) {
  for (const EarlierFolder& folder : earlier.folders()) {
    // Opened without following a link nor waiting on a pipe; only a regular file is read.
    const int descriptor = ::openat(folder.descriptor, name.constData(),
                                    O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) continue;
    struct stat status;
    QByteArray bytes;
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && ours_alone(status) &&
        status.st_size <= largest_reused_preview) {
      bytes.resize(static_cast<qsizetype>(status.st_size));
      if (::pread(descriptor, bytes.data(), static_cast<std::size_t>(bytes.size()), 0) !=
          bytes.size())
        bytes.clear();
      if (whole_jpeg(bytes) && link_checked(folder.descriptor, name, status, own + name)) {
        ::close(descriptor);
        return own + name;
      }
    }
    ::close(descriptor);
    // A whole JPEG stream only: never a file cut short by a run that was killed.
    if (whole_jpeg(bytes)) return write_new_file_in_own_folder(bytes, own + name, ".jpg");
  }
  return {};
}

#else

AnsiText reuse_preview(const EarlierPreviewFolders& earlier, const AnsiText& name,
                       const AnsiText& own) {
  for (const EarlierFolder& folder : earlier.folders()) {
    const QFileInfo info(to_wide(folder.path + name));
    if (info.isSymLink() || !info.isFile() || info.size() > largest_reused_preview) continue;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QByteArray bytes = file.read(largest_reused_preview);
    if (whole_jpeg(bytes)) return write_new_file_in_own_folder(bytes, own + name, ".jpg");
  }
  return {};
}

#endif
