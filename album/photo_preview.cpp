#include "album/photo_preview.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTransform>

#include "album/container_preview.h"
#include "exif/exif_thumbnail.h"
#include "exif/os_photo_file.h"
#include "text/text_ops.h"

namespace {

constexpr int preview_quality = 80;

// Turns an image as EXIF orientation `orientation` (2..8) says: mirror and flip first, then a
// quarter turn clockwise where the orientation holds one.
QImage upright(const QImage& image, int orientation) {
  const bool mirror = orientation == 2 || orientation == 3 || orientation == 7;
  const bool flip = orientation == 3 || orientation == 4 || orientation == 5;
  QImage turned = image.mirrored(mirror, flip);
  if (orientation == 8) return turned.transformed(QTransform().rotate(270));
  if (orientation >= 5) return turned.transformed(QTransform().rotate(90));
  return turned;
}

QByteArray jpeg_bytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpg");
  writer.setQuality(preview_quality);
  if (!writer.write(image)) return {};
  return bytes;
}

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
  return image.isNull() ? QByteArray() : jpeg_bytes(upright(image, found->orientation));
}

QByteArray decoded_preview(const AnsiText& path, WideText& error) {
  QImageReader reader(to_wide(path));
  reader.setAutoTransform(true);
  const QSize size = reader.size();
  if (size.isValid()) {
    const int long_side = std::max(size.width(), size.height());
    if (long_side > preview_long_side) {
      reader.setScaledSize(size.scaled(preview_long_side, preview_long_side, Qt::KeepAspectRatio)
                               .expandedTo(QSize(1, 1)));
    }
  }
  const QImage image = reader.read();
  if (image.isNull()) {
    error = reader.errorString();
    return {};
  }
  QByteArray bytes = jpeg_bytes(image);
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
