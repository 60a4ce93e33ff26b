#include "exif/container_exif_locators.h"
#include "exif/exif_block_decoder.h"
#include "exif/exif_result_codes.h"
#include "exif/stream_reads.h"

namespace {

constexpr std::uint64_t signature_size = 8;
// Chunks walked at most; an encoder splits the image data into chunks of 8 KiB or more, so this
// covers PNG files of hundreds of MB.
constexpr int most_chunks = 1 << 16;

}  // namespace

int locate_png_exif(ExifRecord& record, const LoadedBytes& bytes) {
  // Each chunk: a big-endian data length, the type, the data, a CRC. The EXIF chunk may come
  // before or after the image data, so the walk goes on to the end chunk.
  StreamCursor at(bytes, signature_size, bytes.size());
  for (int chunk = 0; chunk < most_chunks; ++chunk) {
    const std::uint64_t length = at.take(4);
    const std::uint64_t type = at.take(4);
    if (!at.ok() || type == four_cc("IEND")) return exif_missing;
    if (type == four_cc("eXIf")) {
      if (!stream_contains(bytes, at.at(), length)) return exif_corrupt;
      return decode_exif_payload(record, bytes, at.at(), static_cast<std::uint32_t>(length));
    }
    at.skip(length + 4);
  }
  return exif_missing;
}
