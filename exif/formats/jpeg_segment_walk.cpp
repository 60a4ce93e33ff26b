#include "exif/formats/jpeg_segment_walk.h"

#include <algorithm>
#include <string_view>

#include "exif/io/stream_reads.h"
#include "exif/tiff/exif_block_decoder.h"
#include "exif/tiff/exif_result_codes.h"

namespace {

constexpr std::uint8_t app1 = 0xE1;
constexpr std::uint8_t start_of_scan = 0xDA;
constexpr std::uint8_t end_of_image = 0xD9;

// Real photos have a few dozen segments before the image data; a stream with more is not
// walked further, so that a file of tiny segments cannot keep the walk busy.
constexpr int most_segments = 4096;

// Markers that stand alone, without a length: TEM and the restart markers.
bool stands_alone(std::uint8_t marker) {
  return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

}  // namespace

std::optional<std::uint64_t> find_exif_app1(const LoadedBytes& bytes, std::uint64_t begin,
                                            std::uint64_t end) {
  end = std::min<std::uint64_t>(end, bytes.size());
  StreamCursor at(bytes, begin, end);
  if (at.take(2) != 0xFFD8 || !at.ok()) return std::nullopt;
  for (int segment = 0; segment < most_segments; ++segment) {
    if (at.take(1) != 0xFF) return std::nullopt;
    std::uint64_t marker = at.take(1);
    // Fill bytes: any number of FF before the marker code, within the segment budget.
    for (int fill = 0; marker == 0xFF && fill < most_segments; ++fill) marker = at.take(1);
    if (!at.ok() || marker == start_of_scan || marker == end_of_image) return std::nullopt;
    if (stands_alone(static_cast<std::uint8_t>(marker))) continue;
    const std::uint64_t length_at = at.at();
    const std::uint64_t length = at.take(2);
    if (!at.ok() || length < 2 || length > end - length_at) return std::nullopt;
    if (marker == app1 && length >= 8 &&
        stream_matches(bytes, length_at + 2, std::string_view("Exif\0\0", 6))) {
      return length_at + 2;
    }
    at.skip(length - 2);
  }
  return std::nullopt;
}

int decode_jpeg_exif_by_segments(ExifRecord& record, const LoadedBytes& bytes, std::uint64_t begin,
                                 std::uint64_t end) {
  end = std::min<std::uint64_t>(end, bytes.size());
  const std::optional<std::uint64_t> block = find_exif_app1(bytes, begin, end);
  if (!block) return exif_missing;
  return decode_exif_block(record, bytes, *block, static_cast<std::uint32_t>(end - *block));
}
