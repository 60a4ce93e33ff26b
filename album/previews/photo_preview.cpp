#include "album/previews/photo_preview.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include "album/previews/container_preview.h"
#include "album/previews/decode_size_cap.h"
#include "album/previews/preview_image.h"
#include "exif/exif_thumbnail.h"
#include "exif/io/os_photo_file.h"
#include "exif/photo_formats.h"
#include "text/text_ops.h"

namespace {

// A thumbnail's bytes, upright; empty when they are no JPEG that decodes, or one that declares a
// picture too large to decode, which is no thumbnail even where it would only be copied.
QByteArray upright_thumbnail(QByteArray bytes, int orientation) {
  if (!bytes.startsWith("\xFF\xD8")) return {};
  const std::optional<QSize> declared = jpeg_declared_size(bytes);
  if (declared && too_large_to_decode(*declared)) return {};
  if (orientation == 1) return bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "jpg");
  if (refused_size(reader)) return {};
  // Decoded at the preview's size, so that turning it copies no more than a preview.
  const QSize size = reader.size();
  if (size.isValid() && preview_size(size) != size) reader.setScaledSize(preview_size(size));
  const QImage image = reader.read();
  return image.isNull() ? QByteArray() : preview_jpeg(upright_image(image, orientation));
}

// The EXIF thumbnail, upright; empty when the photo has none that decodes. Where the position's
// read looked for it already, only the thumbnail itself is read (nothing when the read kept its
// bytes), unless the file has changed since.
QByteArray thumbnail_preview(const AnsiText& path, const PhotoFileFacts& facts) {
  if (facts.thumbnail && !facts.thumbnail_bytes.isEmpty()) {
    return upright_thumbnail(facts.thumbnail_bytes, facts.thumbnail->orientation);
  }
  OsPhotoFile file;
  if (!file.open(path)) return {};
  const bool known = facts.thumbnail_searched && file.size() == facts.size &&
                     file.modified_ms() == facts.modified_ms;
  const std::optional<ExifThumbnail> found =
      known ? facts.thumbnail : find_exif_thumbnail_in_file(file);
  if (!found) return {};
  QByteArray bytes(static_cast<qsizetype>(found->length), Qt::Uninitialized);
  if (!file.read_at(found->offset, reinterpret_cast<std::uint8_t*>(bytes.data()),
                    static_cast<std::size_t>(bytes.size()))) {
    return {};
  }
  return upright_thumbnail(bytes, found->orientation);
}

QByteArray decoded_preview(const AnsiText& path, WideText& error) {
  QImageReader reader(to_wide(path));
  reader.setAutoTransform(true);
  if (const std::optional<QSize> refused = refused_size(reader)) {
    error = QStringLiteral("the picture is ") + too_large_reason(*refused);
    return {};
  }
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

QByteArray make_preview_bytes(const AnsiText& path, WideText& error, const PhotoFileFacts& facts) {
  // A photo of a kind that keeps no preview inside but the EXIF thumbnail (a JPEG), which the
  // position's read looked for already, needs no look for either.
  const PhotoFormat* format = photo_format(facts.kind);
  const bool thumbnail_known = facts.size >= 0 && facts.thumbnail_searched && format &&
                               format->find_thumbnail && !format->find_preview;
  // An embedded preview refused for its size is what is reported when the fallbacks fail too.
  WideText refused;
  if (!thumbnail_known) {
    if (std::optional<QByteArray> bytes = container_preview_bytes(path, error, refused)) {
      return *bytes;
    }
  }
  QByteArray bytes;
  if (!thumbnail_known || facts.thumbnail) bytes = thumbnail_preview(path, facts);
  if (!bytes.isEmpty()) return bytes;
  bytes = decoded_preview(path, error);
  if (bytes.isEmpty() && !refused.isEmpty()) error = refused;
  return bytes;
}
