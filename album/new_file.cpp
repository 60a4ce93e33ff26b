#include "album/new_file.h"

#include <QRandomGenerator>
#include <cerrno>
#include <cstring>

#include "exif/io/long_path.h"
#include "text/app_error.h"
#include "text/text_file.h"
#include "text/text_ops.h"

#ifdef _WIN32
#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#endif

namespace {

// Enough for every album one folder could take within one second.
constexpr int max_suffix = 999;

[[noreturn]] void cannot_create(const AnsiText& path, const WideText& reason) {
  throw AppError(
      QStringLiteral("Cannot create file \"%1\". %2").arg(to_wide(path), failure_reason(reason)));
}

AnsiText candidate_name(const AnsiText& stem, const AnsiText& extension, int number) {
  return number == 1 ? stem + extension : stem + '-' + AnsiText::number(number) + extension;
}

#ifndef _WIN32

WideText system_reason(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

bool write_all(int descriptor, const QByteArray& bytes) {
  const char* at = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(descriptor, at, static_cast<std::size_t>(left));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    at += written;
    left -= written;
  }
  return true;
}

// The folder a file is to go into, held open: every call below names the file relative to it,
// so that a folder deeper than one path may reach (PATH_MAX) takes a page like any other.
struct OpenFolder {
  explicit OpenFolder(const AnsiText& path) { descriptor = open_parent_folder(path, name); }
  ~OpenFolder() {
    if (descriptor >= 0) ::close(descriptor);
  }
  OpenFolder(const OpenFolder&) = delete;
  OpenFolder& operator=(const OpenFolder&) = delete;
  AnsiText name;  // of the file in it
  int descriptor = -1;
};

int create_exclusively(int folder, const AnsiText& name, mode_t mode = 0666) {
  return ::openat(folder, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                  mode);
}

// A new file of ours in `folder`: O_EXCL makes the open fail rather than follow or reuse
// whatever bears the name. Returns its descriptor, or -1 with errno set.
int create_temporary(int folder, AnsiText& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = ".trailbook-" + AnsiText::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
    const int descriptor = create_exclusively(folder, name);
    if (descriptor >= 0 || errno != EEXIST) return descriptor;
  }
  return -1;
}

// Gives the temporary file the name `target` unless that name exists. Returns 0, or errno
// (EEXIST when the name is taken).
int rename_without_replacing(int folder, const AnsiText& from, const AnsiText& target) {
  if (::renameat2(folder, from.constData(), folder, target.constData(), RENAME_NOREPLACE) == 0) {
    return 0;
  }
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // File systems without the flag: a hard link fails on an existing name just the same.
  if (::linkat(folder, from.constData(), folder, target.constData(), 0) != 0) return errno;
  ::unlinkat(folder, from.constData(), 0);
  return 0;
}

#endif

}  // namespace

AnsiText write_new_file(const QByteArray& bytes, const AnsiText& wanted_path,
                        const AnsiText& extension) {
  const AnsiText stem = wanted_path.endsWith(extension)
                            ? wanted_path.first(wanted_path.size() - extension.size())
                            : wanted_path;
#ifndef _WIN32
  if (wanted_path.contains('\0')) cannot_create(wanted_path, system_reason(EINVAL));
  const OpenFolder in(wanted_path);
  if (in.descriptor < 0) cannot_create(wanted_path, system_reason(errno));
  AnsiText temporary;
  const int descriptor = create_temporary(in.descriptor, temporary);
  if (descriptor < 0) cannot_create(wanted_path, system_reason(errno));
  const bool written = write_all(descriptor, bytes) && ::fsync(descriptor) == 0;
  const int write_error = errno;
  if (::close(descriptor) != 0 || !written) {
    const int error = written ? errno : write_error;
    ::unlinkat(in.descriptor, temporary.constData(), 0);
    cannot_create(wanted_path, system_reason(error));
  }
  for (int number = 1; number <= max_suffix; ++number) {
    const AnsiText target = candidate_name(stem, extension, number);
    const int error = rename_without_replacing(in.descriptor, temporary, ansi_name_of(target));
    if (error == 0) return target;
    if (error != EEXIST) {
      ::unlinkat(in.descriptor, temporary.constData(), 0);
      cannot_create(wanted_path, system_reason(error));
    }
  }
  ::unlinkat(in.descriptor, temporary.constData(), 0);
  cannot_create(wanted_path, system_reason(EEXIST));
#else
  // Windows: QFile::rename never replaces an existing file.
  QTemporaryFile file(to_wide(ansi_folder_of(wanted_path)) +
                      QStringLiteral(".trailbook-XXXXXX.tmp"));
  if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
    cannot_create(wanted_path, file.errorString());
  }
  file.close();
  for (int number = 1; number <= max_suffix; ++number) {
    const AnsiText target = candidate_name(stem, extension, number);
    if (QFile::exists(to_wide(target))) continue;
    if (file.rename(to_wide(target))) {
      file.setAutoRemove(false);
      return target;
    }
  }
  cannot_create(wanted_path, file.errorString());
#endif
}

AnsiText write_new_file_in_own_folder(const QByteArray& bytes, const AnsiText& wanted_path,
                                      const AnsiText& extension) {
  const AnsiText stem = wanted_path.endsWith(extension)
                            ? wanted_path.first(wanted_path.size() - extension.size())
                            : wanted_path;
#ifndef _WIN32
  if (wanted_path.contains('\0')) cannot_create(wanted_path, system_reason(EINVAL));
  const OpenFolder in(wanted_path);
  if (in.descriptor < 0) cannot_create(wanted_path, system_reason(errno));
  for (int number = 1; number <= max_suffix; ++number) {
    const AnsiText target = candidate_name(stem, extension, number);
    const AnsiText name = ansi_name_of(target);
    // Writable by nobody else whatever the umask, so that a later album can trust and reuse it.
    const int descriptor = create_exclusively(in.descriptor, name, 0644);
    if (descriptor < 0 && errno == EEXIST) continue;
    if (descriptor < 0) cannot_create(wanted_path, system_reason(errno));
    const bool written = write_all(descriptor, bytes);
    const int write_error = errno;
    if (::close(descriptor) != 0 || !written) {
      const int error = written ? errno : write_error;
      ::unlinkat(in.descriptor, name.constData(), 0);
      cannot_create(wanted_path, system_reason(error));
    }
    return target;
  }
  cannot_create(wanted_path, system_reason(EEXIST));
#else
  for (int number = 1; number <= max_suffix; ++number) {
    const AnsiText target = candidate_name(stem, extension, number);
    QFile file(to_wide(target));
    if (file.exists()) continue;
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) continue;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
      const WideText reason = file.errorString();
      file.remove();
      cannot_create(wanted_path, reason);
    }
    return target;
  }
  cannot_create(wanted_path, QStringLiteral("The name is taken."));
#endif
}

void remove_own_folder(const AnsiText& folder, const QList<AnsiText>& names) {
#ifndef _WIN32
  for (const AnsiText& name : names) ::unlink((folder + name).constData());
  ::rmdir(folder.constData());
#else
  for (const AnsiText& name : names) QFile::remove(to_wide(folder + name));
  QDir().rmdir(to_wide(folder));
#endif
}
