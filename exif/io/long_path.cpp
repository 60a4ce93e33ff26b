#include "exif/io/long_path.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace {

// Opens the folders of `path` up to where the rest is shorter than PATH_MAX; returns the last
// one's descriptor (AT_FDCWD when none was needed) and in `rest` the offset of what is left.
int open_leading_folders(const QByteArray& path, qsizetype& rest) {
  int folder = AT_FDCWD;
  rest = 0;
  while (path.size() - rest >= PATH_MAX) {
    const qsizetype cut = path.lastIndexOf('/', rest + PATH_MAX - 2);
    if (cut < rest) {
      if (folder != AT_FDCWD) ::close(folder);
      errno = ENAMETOOLONG;  // one name longer than a path may be
      return -1;
    }
    const QByteArray piece = path.mid(rest, cut - rest + 1);
    const int next = ::openat(folder, piece.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    const int error = errno;
    if (folder != AT_FDCWD) ::close(folder);
    if (next < 0) {
      errno = error;
      return -1;
    }
    folder = next;
    rest = cut + 1;
  }
  return folder;
}

}  // namespace

int open_long_path(const QByteArray& path, int flags, unsigned mode) {
  if (path.size() < PATH_MAX) return ::open(path.constData(), flags, mode);
  qsizetype rest = 0;
  const int folder = open_leading_folders(path, rest);
  if (folder == -1) return -1;
  const int descriptor = ::openat(folder, path.constData() + rest, flags, mode);
  const int error = errno;
  if (folder != AT_FDCWD) ::close(folder);
  errno = error;
  return descriptor;
}

int open_parent_folder(const QByteArray& path, QByteArray& name) {
  const qsizetype slash = path.lastIndexOf('/');
  name = path.mid(slash + 1);
  const QByteArray folder = slash < 0 ? QByteArray(".") : path.first(slash + 1);
  return open_long_path(folder, O_PATH | O_DIRECTORY | O_CLOEXEC);
}
#endif
