#include "exif/exif_segment_locator.h"

#include "exif/exif_block_decoder.h"
#include "exif/exif_result_codes.h"

namespace {

constexpr std::uint8_t marker_prefix = 0xFF;
constexpr std::uint8_t start_of_image = 0xD8;
constexpr std::uint8_t end_of_image = 0xD9;
constexpr std::uint8_t app1 = 0xE1;

bool is_marker(const std::uint8_t* at, std::uint8_t code) {
  return at[0] == marker_prefix && at[1] == code;
}

// Offset just past the last FF D9 pair, or 0 when there is none at offset 2 or later. Trailing
// bytes after it (padding, appended data) are not part of the stream.
std::uint32_t stream_length(const std::uint8_t* buffer, std::uint32_t length) {
  for (std::uint32_t n = length; n > 2; --n) {
    if (is_marker(buffer + n - 2, end_of_image)) return n;
  }
  return 0;
}

}  // namespace

int locate_exif_segment(ExifRecord& record, const std::uint8_t* buffer, std::uint32_t length) {
  if (buffer == nullptr || length < 4 || !is_marker(buffer, start_of_image)) return exif_not_jpeg;
  const std::uint32_t n = stream_length(buffer, length);
  if (n == 0) return exif_not_jpeg;

  clear_exif_record(record);
  std::uint32_t i = 0;
  while (i < n - 1 && !is_marker(buffer + i, app1)) ++i;
  if (std::uint64_t{i} + 4 > n) return exif_missing;

  // The segment length is big-endian whatever the EXIF byte order, and counts its own two bytes.
  const std::uint32_t segment_length = buffer[i + 2] << 8 | buffer[i + 3];
  if (segment_length < 16 || std::uint64_t{i} + segment_length + 2 > n) return exif_corrupt;

  // The decoder may follow offsets past the segment's end as long as they stay inside the stream.
  return decode_exif_block(record, buffer + i + 4, n - i - 4);
}
