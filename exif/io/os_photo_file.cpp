#include "exif/io/os_photo_file.h"

#include "exif/io/long_path.h"

#include <QFile>

#ifdef _WIN32
#include <QDateTime>
#include <QFileInfo>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

// The file name as the file system wants it. A name with a zero byte in it names no file (the
// system call would see only the part before it).
QByteArray native_name(const AnsiText& file_name) {
  if (file_name.isEmpty() || file_name.contains('\0')) return {};
#ifdef _WIN32
  return QFile::encodeName(to_wide(file_name));
#else
  // The process code page is the file system's: the bytes are the name, valid text or not.
  return file_name;
#endif
}

}  // namespace

// Out of line, where the Windows member's type is complete.
OsPhotoFile::OsPhotoFile() = default;

#ifndef _WIN32

OsPhotoFile::~OsPhotoFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

bool OsPhotoFile::open(const AnsiText& file_name) {
  const QByteArray name = native_name(file_name);
  if (name.isEmpty()) return false;
  // Non-blocking, so that a pipe without a writer is refused instead of waited for; reads of a
  // regular file are not affected by the flag.
  descriptor_ = open_long_path(name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (descriptor_ < 0) return false;
  struct stat status {};
  if (::fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode)) return false;
  size_ = status.st_size;
  modified_ms_ =
      static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1000000;
  return true;
}

bool OsPhotoFile::read_at(std::uint64_t offset, std::uint8_t* into, std::size_t count) {
  while (count > 0) {
    const ssize_t got = ::pread(descriptor_, into, count, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;  // an error, or the end of a file that has shrunk
    into += got;
    offset += static_cast<std::uint64_t>(got);
    count -= static_cast<std::size_t>(got);
  }
  return true;
}

#else

OsPhotoFile::~OsPhotoFile() = default;

bool OsPhotoFile::open(const AnsiText& file_name) {
  const QByteArray name = native_name(file_name);
  if (name.isEmpty()) return false;
  const QString path = QFile::decodeName(name);
  const QFileInfo info(path);
  if (!info.isFile()) return false;
  modified_ms_ = info.lastModified().toMSecsSinceEpoch();
  file_ = std::make_unique<QFile>(path);
  if (!file_->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return false;
  size_ = file_->size();
  return true;
}

bool OsPhotoFile::read_at(std::uint64_t offset, std::uint8_t* into, std::size_t count) {
  const auto wanted = static_cast<qint64>(count);
  return file_->seek(static_cast<qint64>(offset)) &&
         file_->read(reinterpret_cast<char*>(into), wanted) == wanted;
}

#endif
