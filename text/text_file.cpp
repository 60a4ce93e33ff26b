#include "text/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cerrno>
#include <cstring>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "text/app_error.h"

namespace {

WideText decode_text(const QByteArray& bytes) {
  struct Mark {
    const char* bytes;
    int size;
    QStringConverter::Encoding encoding;
  };
  static const Mark marks[] = {{"\xEF\xBB\xBF", 3, QStringConverter::Utf8},
                               {"\xFF\xFE", 2, QStringConverter::Utf16LE},
                               {"\xFE\xFF", 2, QStringConverter::Utf16BE}};
  for (const Mark& mark : marks) {
    if (bytes.startsWith(QByteArrayView(mark.bytes, mark.size))) {
      // The mark is cut off here; a second one belongs to the text.
      QStringDecoder decoder(mark.encoding, QStringConverter::Flag::ConvertInitialBom);
      return decoder.decode(QByteArrayView(bytes).sliced(mark.size));
    }
  }
  return to_wide(bytes);
}

WideText system_reason(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

// A data file is read whole, so it must be a regular file of a sensible size: a pipe is never
// waited for, and a device such as /dev/zero is never read without end.
DataFile failed(const WideText& reason) {
  return {{}, failure_reason(reason)};
}

WideText too_large_reason() {
  return QStringLiteral("File too large (more than %1 MiB)").arg(largest_data_file >> 20);
}

}  // namespace

DataFile read_data_file(const AnsiText& path) {
#ifdef _WIN32
  const WideText wide = to_wide(path);
  QFile file(wide);
  if (QFileInfo(wide).isDir()) return failed(system_reason(EISDIR));
  if (!QFileInfo(wide).isFile() && QFileInfo::exists(wide)) return failed("Not a regular file");
  if (!file.open(QIODevice::ReadOnly)) return failed(file.errorString());
  if (file.size() > largest_data_file) return failed(too_large_reason());
  return {file.readAll(), {}};
#else
  // The process code page is the file system's: the bytes are the name, valid text or not.
  if (path.isEmpty() || path.contains('\0')) return failed(system_reason(ENOENT));
  const int descriptor = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (descriptor < 0) return failed(system_reason(errno));
  struct Closer {
    int descriptor;
    ~Closer() { ::close(descriptor); }
  } closer{descriptor};
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) return failed(system_reason(errno));
  if (S_ISDIR(status.st_mode)) return failed(system_reason(EISDIR));
  if (!S_ISREG(status.st_mode)) return failed(QStringLiteral("Not a regular file"));
  if (status.st_size > largest_data_file) return failed(too_large_reason());
  // One byte more than the size read at the open tells a file that grew since.
  QByteArray bytes(static_cast<qsizetype>(status.st_size) + 1, Qt::Uninitialized);
  qsizetype got = 0;
  while (got < bytes.size()) {
    const ssize_t count =
        ::read(descriptor, bytes.data() + got, static_cast<std::size_t>(bytes.size() - got));
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return failed(system_reason(errno));
    if (count == 0) break;
    got += count;
  }
  if (got > status.st_size) return failed(QStringLiteral("The file changed while it was read"));
  bytes.truncate(got);
  return {bytes, {}};
#endif
}

WideText failure_reason(WideText reason) {
  while (!reason.isEmpty() && (reason.back() == u' ' || reason.back() == u'.')) reason.chop(1);
  return reason;
}

QStringList split_text_lines(const WideText& text) {
  QStringList lines;
  const qsizetype end = text.indexOf(QChar(u'\0')) < 0 ? text.size() : text.indexOf(QChar(u'\0'));
  qsizetype start = 0;
  for (qsizetype i = 0; i < end; ++i) {
    const QChar c = text[i];
    if (c != u'\r' && c != u'\n') continue;
    lines.append(text.mid(start, i - start));
    if (c == u'\r' && i + 1 < end && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < end) lines.append(text.mid(start, end - start));
  return lines;
}

WideText load_text(const AnsiText& path) {
  DataFile file = read_data_file(path);
  if (!file.failure.isEmpty()) {
    throw AppError(QStringLiteral("Cannot open file \"%1\". %2")
                       .arg(QDir::toNativeSeparators(QFileInfo(to_wide(path)).absoluteFilePath()),
                            file.failure));
  }
  return decode_text(file.bytes);
}

WideText load_text(const WideText& path) {
  return load_text(to_ansi(path));
}

QStringList load_text_lines(const WideText& path) {
  return split_text_lines(load_text(path));
}
