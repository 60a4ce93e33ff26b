#include "exif/tiff/exif_segment_locator.h"

#include "exif/tiff/exif_block_decoder.h"
#include "exif/tiff/exif_result_codes.h"

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
std::uint32_t stream_length(const LoadedBytes& bytes) {
  const LoadedBytes::Piece piece = bytes.last_piece();
  for (std::uint32_t n = bytes.size(); n > 2; --n) {
    if (n - 2 < piece.begin) throw MissingBytes{n - 2, 2};
    if (is_marker(piece.data + (n - 2 - piece.begin), end_of_image)) return n;
  }
  return 0;
}

// Offset of the first FF E1 pair that starts before n - 1, or n - 1 when there is none. The scan
// does not follow segment lengths.
std::uint32_t first_app1(const LoadedBytes& bytes, std::uint32_t n) {
  const std::uint8_t* head = bytes.head();
  const std::uint64_t loaded = bytes.head_size();
  std::uint32_t i = 0;
  for (; i < n - 1; ++i) {
    if (i + 2 > loaded) throw MissingBytes{i, 2};
    if (is_marker(head + i, app1)) break;
  }
  return i;
}

}  // namespace

int locate_exif_segment(ExifRecord& record, const std::uint8_t* buffer, std::uint32_t length) {
  if (buffer == nullptr) return exif_not_jpeg;
  return locate_exif_segment(record, LoadedBytes(buffer, length));
}

bool starts_as_jpeg(const LoadedBytes& bytes) {
  return bytes.size() >= 4 && is_marker(bytes.range(0, 2), start_of_image);
}

int locate_exif_segment(ExifRecord& record, const LoadedBytes& bytes) {
  if (!starts_as_jpeg(bytes)) return exif_not_jpeg;
  const std::uint32_t n = stream_length(bytes);
  if (n == 0) return exif_not_jpeg;
  clear_exif_record(record);
  return decode_app1_segment(record, bytes, n, first_app1(bytes, n));
}

int decode_app1_segment(ExifRecord& record, const LoadedBytes& bytes, std::uint32_t n,
                        std::uint32_t i) {
  if (std::uint64_t{i} + 4 > n) return exif_missing;

  // The segment length is big-endian whatever the EXIF byte order, and counts its own two bytes.
  const std::uint8_t* length_field = bytes.range(i + 2, 2);
  const std::uint32_t segment_length = length_field[0] << 8 | length_field[1];
  if (segment_length < 16 || std::uint64_t{i} + segment_length + 2 > n) return exif_corrupt;

  // The decoder may follow offsets past the segment's end as long as they stay inside the stream.
  return decode_exif_block(record, bytes, i + 4, n - i - 4);
}
