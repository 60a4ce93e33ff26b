#include "album/previews/decode_size_cap.h"

namespace {

// Qt's limit for one image a decoder allocates, in MiB: the cap's pixels at 32 bits each.
constexpr int allocation_limit_mib = static_cast<int>((largest_decoded_pixels * 4 + 0xFFFFF) >> 20);

bool is_frame_header(std::uint8_t marker) {
  // SOF0..SOF15, without DHT (C4), JPG (C8) and DAC (CC), which share the range.
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

}  // namespace

bool too_large_to_decode(std::int64_t width, std::int64_t height) {
  return width > widest_decoded_side || height > widest_decoded_side ||
         width * height > largest_decoded_pixels;
}

std::optional<QSize> refused_size(QImageReader& reader) {
  static const bool limited = [] {
    QImageReader::setAllocationLimit(allocation_limit_mib);
    return true;
  }();
  (void)limited;
  const QSize size = reader.size();
  if (!size.isValid() || !too_large_to_decode(size)) return std::nullopt;
  return size;
}

WideText too_large_reason(QSize size) {
  return QStringLiteral("too large to decode (%1x%2 pixels)").arg(size.width()).arg(size.height());
}

std::optional<QSize> jpeg_declared_size(QByteArrayView bytes) {
  const auto byte = [&bytes](qsizetype at) { return static_cast<std::uint8_t>(bytes[at]); };
  if (bytes.size() < 2 || byte(0) != 0xFF || byte(1) != 0xD8) return std::nullopt;
  qsizetype at = 2;
  while (at < bytes.size()) {
    // As decoders do, stray bytes before a marker are passed over, and so are fill bytes.
    while (at < bytes.size() && byte(at) != 0xFF) ++at;
    while (at < bytes.size() && byte(at) == 0xFF) ++at;
    if (at >= bytes.size()) return std::nullopt;
    const std::uint8_t marker = byte(at++);
    // FF 00 is no marker; TEM, RSTn and SOI have no length field.
    if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;
    if (marker == 0xD9 || marker == 0xDA || at + 2 > bytes.size()) return std::nullopt;
    const qsizetype length = byte(at) << 8 | byte(at + 1);
    if (length < 2 || at + length > bytes.size()) return std::nullopt;
    if (is_frame_header(marker)) {
      if (length < 7) return std::nullopt;
      return QSize(byte(at + 5) << 8 | byte(at + 6), byte(at + 3) << 8 | byte(at + 4));
    }
    at += length;
  }
  return std::nullopt;
}
