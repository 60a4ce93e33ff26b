#include "decode_bombs.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <stdexcept>

QByteArray bomb_jpeg(int width, int height, bool progressive, bool full_chroma) {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(Qt::darkYellow);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpg");
  writer.setProgressiveScanWrite(progressive);
  if (!writer.write(image)) throw std::runtime_error("cannot write a JPEG");
  // The segments up to the frame header; Qt writes no fill bytes.
  qsizetype at = 2;
  while (at + 4 <= bytes.size()) {
    const auto marker = static_cast<std::uint8_t>(bytes[at + 1]);
    const qsizetype length =
        static_cast<std::uint8_t>(bytes[at + 2]) << 8 | static_cast<std::uint8_t>(bytes[at + 3]);
    if (marker == 0xC0 || marker == 0xC2) {
      const qsizetype frame = at + 4;  // precision, height, width, components
      bytes[frame + 1] = static_cast<char>(height >> 8);
      bytes[frame + 2] = static_cast<char>(height);
      bytes[frame + 3] = static_cast<char>(width >> 8);
      bytes[frame + 4] = static_cast<char>(width);
      const int components = static_cast<std::uint8_t>(bytes[frame + 5]);
      for (int k = 0; k < components; ++k) {
        if (full_chroma) bytes[frame + 6 + 3 * k + 1] = 0x11;
      }
      return bytes;
    }
    at += 2 + length;
  }
  throw std::runtime_error("no frame header in Qt's JPEG");
}
