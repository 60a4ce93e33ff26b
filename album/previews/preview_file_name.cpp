#include "album/previews/preview_file_name.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>

#include "text/text_ops.h"

AnsiText preview_file_name(const AnsiText& path, const PhotoFileFacts& facts) {
  std::int64_t size = facts.size, modified_ms = facts.modified_ms;
  if (size < 0) {
    const QFileInfo info(to_wide(path));
    if (!info.isFile()) return {};
    size = info.size();
    modified_ms = info.lastModified().toMSecsSinceEpoch();
  }
  const QByteArray hash =
      QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex().first(24);
  return hash + '_' + AnsiText::number(size) + '_' + AnsiText::number(modified_ms) + ".jpg";
}
