#include "album/previews/embedded_jpeg_preview.h"

#include <QBuffer>
#include <QImageReader>

#include "album/previews/decode_size_cap.h"
#include "album/previews/preview_image.h"

QByteArray embedded_jpeg_preview(RandomAccessFile& file, const EmbeddedPreview& preview,
                                 int orientation, WideText& error, bool& too_large) {
  too_large = false;
  if (preview.length == 0 || preview.length > largest_preview) {
    error = QStringLiteral("its embedded preview is too large");
    return {};
  }
  QByteArray jpeg(static_cast<qsizetype>(preview.length), Qt::Uninitialized);
  if (!file.read_at(preview.offset, reinterpret_cast<std::uint8_t*>(jpeg.data()),
                    static_cast<std::size_t>(jpeg.size()))) {
    error = QStringLiteral("its embedded preview cannot be read");
    return {};
  }
  QBuffer buffer(&jpeg);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "jpg");
  // The raw file's orientation rules; an orientation inside the preview is not applied twice.
  reader.setAutoTransform(false);
  if (const std::optional<QSize> refused = refused_size(reader)) {
    too_large = true;
    error = QStringLiteral("its embedded preview is ") + too_large_reason(*refused);
    return {};
  }
  const QSize size = reader.size();
  if (size.isValid()) reader.setScaledSize(preview_size(size));
  const QImage image = reader.read();
  if (image.isNull()) {
    error = QStringLiteral("its embedded preview does not decode: ") + reader.errorString();
    return {};
  }
  QByteArray bytes = preview_jpeg(upright_image(image, orientation));
  if (bytes.isEmpty()) error = QStringLiteral("the preview could not be encoded");
  return bytes;
}
