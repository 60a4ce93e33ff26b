#include "decode_bombs.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <stdexcept>

#include "tests/exif/container_test_data.h"
#include "tests/exif/exif_test_data.h"

namespace {

QByteArray from_bytes(const Bytes& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

// The JPEG with an EXIF block holding a GPS position as its first segment.
QByteArray with_gps(const QByteArray& jpeg) {
  const Bytes block = build_exif_block(photo_exif("2019:07:14 09:00:00"));
  QByteArray app1("\xFF\xE1", 2);
  app1 += static_cast<char>((block.size() + 2) >> 8);
  app1 += static_cast<char>((block.size() + 2) & 0xFF);
  return jpeg.first(2) + app1 + from_bytes(block) + jpeg.mid(2);
}

// A TIFF with a GPS position whose IFD0 points at `jpeg`, after the directories, as a raw file's
// preview.
QByteArray raw_with_preview(const QByteArray& jpeg) {
  TestExif exif = photo_exif("2019:07:14 09:00:00");
  exif.ifd0.push_back(long_entry(0x0201, {0}));
  exif.ifd0.push_back(long_entry(0x0202, {static_cast<std::uint32_t>(jpeg.size())}));
  const std::uint32_t end = static_cast<std::uint32_t>(build_tiff(exif).size());
  exif.ifd0[exif.ifd0.size() - 2] = long_entry(0x0201, {end});
  return from_bytes(build_tiff(exif)) + jpeg;
}

}  // namespace

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

std::vector<DecodeBomb> decode_bomb_photos() {
  const QByteArray progressive = bomb_jpeg(30000, 30000, true, true);
  const QByteArray raf_jpeg = with_gps(progressive);
  return {
      {"baseline-444.jpg", with_gps(bomb_jpeg(30000, 30000, false, true))},
      {"progressive-444.jpg", with_gps(progressive)},
      {"progressive-420.jpg", with_gps(bomb_jpeg(30000, 30000, true, false))},
      {"embedded.nef", raw_with_preview(progressive)},
      {"embedded.raf", from_bytes(build_raf(Bytes(raf_jpeg.begin(), raf_jpeg.end())))},
  };
}
