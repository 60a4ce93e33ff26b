#include "album/photo_preview.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

#include "album/container_preview.h"
#include "album/preview_image.h"
#include "exif/exif_thumbnail.h"
#include "exif/os_photo_file.h"
#include "text/text_ops.h"

namespace {

// The EXIF thumbnail, upright; empty when the photo has none that decodes.
QByteArray thumbnail_preview(const AnsiText& path) {
  OsPhotoFile file;
  if (!file.open(path)) return {};
  const std::optional<ExifThumbnail> found = find_exif_thumbnail_in_file(file);
  if (!found) return {};
  QByteArray bytes(static_cast<qsizetype>(found->length), Qt::Uninitialized);
  if (!file.read_at(found->offset, reinterpret_cast<std::uint8_t*>(bytes.data()),
                    static_cast<std::size_t>(bytes.size()))) {
    return {};
  }
  if (found->orientation == 1) return bytes;
  const QImage image = QImage::fromData(bytes, "jpg");
  return image.isNull() ? QByteArray() : preview_jpeg(upright_image(image, found->orientation));
}

QByteArray decoded_preview(const AnsiText& path, WideText& error) {
  QImageReader reader(to_wide(path));
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  if (size.isValid()) {
    const QSize scaled = preview_size(size);
    if (scaled != size) reader.setScaledSize(scaled);
  }
  const QImage image = reader.read();
  if (image.isNull()) {
    error = reader.errorString();
    return {};
  }
  QByteArray bytes = preview_jpeg(image);
  if (bytes.isEmpty()) error = QStringLiteral("the preview could not be encoded");
  return bytes;
}

}  // namespace

QByteArray make_preview_bytes(const AnsiText& path, WideText& error) {
  if (std::optional<QByteArray> bytes = container_preview_bytes(path, error)) return *bytes;
  QByteArray bytes = thumbnail_preview(path);
  if (!bytes.isEmpty()) return bytes;
  return decoded_preview(path, error);
}

AnsiText preview_file_name(const AnsiText& path) {
  const QFileInfo info(to_wide(path));
  if (!info.isFile()) return {};
  const QByteArray hash =
      QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex().first(24);
  return hash + '_' + AnsiText::number(info.size()) + '_' +
         AnsiText::number(info.lastModified().toMSecsSinceEpoch()) + ".jpg";
}
