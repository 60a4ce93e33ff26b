#include "album/previews/preview_image.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTransform>
#include <algorithm>

#include "album/previews/photo_preview.h"

namespace {

constexpr int preview_quality = 80;

}  // namespace

QImage upright_image(const QImage& image, int orientation) {
  if (orientation < 2 || orientation > 8) return image;
  // Mirror and flip first, then a quarter turn clockwise where the orientation holds one.
  const bool mirror = orientation == 2 || orientation == 3 || orientation == 7;
  const bool flip = orientation == 3 || orientation == 4 || orientation == 5;
  QImage turned = image.mirrored(mirror, flip);
  if (orientation == 8) return turned.transformed(QTransform().rotate(270));
  if (orientation >= 5) return turned.transformed(QTransform().rotate(90));
  return turned;
}

QSize preview_size(QSize size) {
  if (std::max(size.width(), size.height()) <= preview_long_side) return size;
  return size.scaled(preview_long_side, preview_long_side, Qt::KeepAspectRatio)
      .expandedTo(QSize(1, 1));
}

QByteArray preview_jpeg(const QImage& image) {
  const QSize size = preview_size(image.size());
  const QImage scaled = size == image.size()
                            ? image
                            : image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpg");
  writer.setQuality(preview_quality);
  if (!writer.write(scaled)) return {};
  return bytes;
}
