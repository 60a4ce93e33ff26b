#include "exif/formats/container_exif_locators.h"
#include "exif/formats/jpeg_segment_walk.h"
#include "exif/formats/raf_preview.h"
#include "exif/io/stream_reads.h"
#include "exif/tiff/exif_result_codes.h"

namespace {

// After the 16-byte magic, the format version, the camera id and its name: where the embedded
// JPEG lies and how long it is, both big-endian.
constexpr std::uint64_t jpeg_offset_field = 84;
constexpr std::uint64_t jpeg_length_field = 88;

}  // namespace

int locate_raf_exif(ExifRecord& record, const LoadedBytes& bytes) {
  const std::optional<std::uint64_t> offset = stream_number(bytes, jpeg_offset_field, 4);
  const std::optional<std::uint64_t> length = stream_number(bytes, jpeg_length_field, 4);
  if (!offset || !length || !stream_contains(bytes, *offset, *length)) return exif_corrupt;
  return decode_jpeg_exif_by_segments(record, bytes, *offset, *offset + *length);
}

std::optional<EmbeddedPreview> find_raf_preview(const LoadedBytes& bytes) {
  const std::optional<std::uint64_t> offset = stream_number(bytes, jpeg_offset_field, 4);
  const std::optional<std::uint64_t> length = stream_number(bytes, jpeg_length_field, 4);
  if (!offset || !length || *length > largest_preview ||
      !stream_contains(bytes, *offset, *length) || !stream_matches(bytes, *offset, "\xFF\xD8")) {
    return std::nullopt;
  }
  return EmbeddedPreview{*offset, *length, four_cc("jpeg")};
}
