#include "exif/formats/container_exif_locators.h"
#include "exif/formats/png_text_exif.h"
#include "exif/io/stream_reads.h"
#include "exif/tiff/exif_block_decoder.h"
#include "exif/tiff/exif_result_codes.h"

namespace {

constexpr std::uint64_t signature_size = 8;
// Chunks walked at most; an encoder splits the image data into chunks of 8 KiB or more, so this
// covers PNG files of hundreds of MB.
constexpr int most_chunks = 1 << 16;
// Text chunks longer than this are not looked into for an EXIF profile.
constexpr std::uint64_t largest_text_chunk = 8 << 20;

bool is_text_chunk(std::uint64_t type) {
  return type == four_cc("tEXt") || type == four_cc("zTXt") || type == four_cc("iTXt");
}

// The EXIF payload of a "Raw profile type exif" text chunk, decoded as an "eXIf" chunk's.
int decode_profile(ExifRecord& record, const std::optional<QByteArray>& payload) {
  if (!payload) return exif_corrupt;
  const LoadedBytes bytes(reinterpret_cast<const std::uint8_t*>(payload->constData()),
                          static_cast<std::uint32_t>(payload->size()));
  return decode_exif_payload(record, bytes, 0, bytes.size());
}

}  // namespace

int locate_png_exif(ExifRecord& record, const LoadedBytes& bytes) {
  // Each chunk: a big-endian data length, the type, the data, a CRC. The EXIF chunk may come
  // before or after the image data, so the walk goes on to the end chunk. An "eXIf" chunk wins
  // over the first text chunk with an EXIF profile.
  StreamCursor at(bytes, signature_size, bytes.size());
  std::optional<std::optional<QByteArray>> profile;  // set once such a text chunk is seen
  for (int chunk = 0; chunk < most_chunks; ++chunk) {
    const std::uint64_t length = at.take(4);
    const std::uint64_t type = at.take(4);
    if (!at.ok() || type == four_cc("IEND")) break;
    if (type == four_cc("eXIf")) {
      if (!stream_contains(bytes, at.at(), length)) return exif_corrupt;
      return decode_exif_payload(record, bytes, at.at(), static_cast<std::uint32_t>(length));
    }
    if (!profile && is_text_chunk(type) && length <= largest_text_chunk &&
        stream_contains(bytes, at.at(), length) &&
        stream_matches(bytes, at.at(), png_exif_keyword)) {
      profile =
          png_text_exif_payload(bytes.range(at.at(), length), static_cast<std::size_t>(length),
                                static_cast<std::uint32_t>(type));
    }
    at.skip(length + 4);
  }
  if (!profile) return exif_missing;
  return decode_profile(record, *profile);
}
