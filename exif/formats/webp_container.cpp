#include "exif/formats/container_exif_locators.h"
#include "exif/io/stream_reads.h"
#include "exif/tiff/exif_block_decoder.h"
#include "exif/tiff/exif_result_codes.h"

namespace {

constexpr std::uint64_t riff_header_size = 12;  // "RIFF", the size that follows it, "WEBP"
// An extended WebP has a handful of chunks, an animation one per frame.
constexpr int most_chunks = 1 << 16;

}  // namespace

int locate_webp_exif(ExifRecord& record, const LoadedBytes& bytes) {
  // The RIFF size counts from after its own field; bytes past it are not part of the file.
  const std::uint64_t riff_end = stream_number(bytes, 4, 4, true).value_or(0) + 8;
  // Each chunk: its type, a little-endian data size, the data, a pad byte after odd sizes.
  StreamCursor at(bytes, riff_header_size, riff_end);
  for (int chunk = 0; chunk < most_chunks; ++chunk) {
    const std::uint64_t type = at.take(4);
    const std::uint64_t size = at.take(4, true);
    if (!at.ok()) return exif_missing;
    if (type == four_cc("EXIF")) {
      if (!stream_contains(bytes, at.at(), size)) return exif_corrupt;
      return decode_exif_payload(record, bytes, at.at(), static_cast<std::uint32_t>(size));
    }
    at.skip(size + (size & 1));
  }
  return exif_missing;
}
