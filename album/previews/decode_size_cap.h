#pragma once
// The largest picture a preview decodes. A decode takes memory and time in proportion to the size
// the picture declares, whatever the size of its file: a file of a few KB can declare 30000x30000.
#include <QByteArrayView>
#include <QImageReader>
#include <QSize>
#include <cstdint>
#include <optional>

#include "text/text_types.h"

inline constexpr std::int64_t largest_decoded_pixels = 64'000'000;
inline constexpr int widest_decoded_side = 16384;

// Whether a picture of `width` x `height` pixels is beyond the cap (wider or taller than
// widest_decoded_side, or more than largest_decoded_pixels in all).
bool too_large_to_decode(std::int64_t width, std::int64_t height);
inline bool too_large_to_decode(QSize size) {
  return too_large_to_decode(size.width(), size.height());
}

// The size the picture `reader` is about to decode declares, when it is beyond the cap; none when
// it may be decoded. Where a format cannot tell its size before decoding, Qt's allocation limit,
// set here to what the cap allows, stops the decode instead.
std::optional<QSize> refused_size(QImageReader& reader);

// "too large to decode (30000x30000 pixels)", for the log line of a refused picture.
WideText too_large_reason(QSize size);

// The size that the frame header (SOF) of the JPEG stream `bytes` declares; none when no frame
// header comes before the image data or the stream is cut short before it.
std::optional<QSize> jpeg_declared_size(QByteArrayView bytes);
