#pragma once
// The steps every kind of preview shares: turning a picture upright, the size it is scaled to,
// and writing it as the preview's JPEG.
#include <QByteArray>
#include <QImage>
#include <QSize>

// Turns an image as EXIF orientation `orientation` (2..8) says; other values leave it as it is.
QImage upright_image(const QImage& image, int orientation);

// The size a picture of `size` is scaled to: the long side down to the preview's, never enlarged.
QSize preview_size(QSize size);

// The image scaled down to the preview's size (when larger) and written as JPEG; empty when it
// could not be encoded.
QByteArray preview_jpeg(const QImage& image);
