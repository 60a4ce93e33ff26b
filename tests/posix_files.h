#pragma once
// The POSIX-only files and users that some tests set up. On Windows there is no named pipe in
// a folder and no root user: the calls fail there, and the tests that need them are left out of
// the Windows run by scripts/windows/build.sh.
#include <QByteArray>

#ifdef _WIN32
inline bool make_named_pipe(const QByteArray&) {
  return false;
}
inline bool running_as_root() {
  return false;
}
#else
#include <sys/stat.h>
#include <unistd.h>
inline bool make_named_pipe(const QByteArray& path) {
  return ::mkfifo(path.constData(), 0600) == 0;
}
inline bool running_as_root() {
  return ::geteuid() == 0;
}
#endif
