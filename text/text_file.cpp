#include "text/text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cerrno>
#include <cstring>

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

}  // namespace

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

WideText load_text(const WideText& path) {
  QFile file(path);
  const bool is_folder = QFileInfo(path).isDir();
  if (is_folder || !file.open(QIODevice::ReadOnly)) {
    const QString reason =
        is_folder ? QString::fromLocal8Bit(std::strerror(EISDIR)) : file.errorString();
    throw AppError(QStringLiteral("Cannot open file \"%1\". %2")
                       .arg(QFileInfo(path).absoluteFilePath(), failure_reason(reason)));
  }
  const QByteArray bytes = file.readAll();
  file.close();
  return decode_text(bytes);
}

QStringList load_text_lines(const WideText& path) {
  return split_text_lines(load_text(path));
}
