#include "exif/exif_thumbnail.h"

#include "exif/formats/jpeg_segment_walk.h"
#include "exif/io/lazy_read.h"
#include "exif/io/stream_reads.h"
#include "exif/tiff/tiff_reader.h"

namespace {

enum Tag : std::uint16_t {
  orientation_tag = 0x0112,
  thumbnail_offset = 0x0201,
  thumbnail_length = 0x0202,
};

// A thumbnail is a few KiB; anything claiming more is no thumbnail.
constexpr std::uint64_t largest_thumbnail = 1 << 20;

// The first value of a SHORT or LONG entry at block offset e.
std::optional<std::uint32_t> entry_number(const TiffReader& tiff, std::uint64_t e) {
  switch (tiff.u16(e + 2)) {
    case 3:
      return tiff.u16(e + 8);
    case 4:
      return tiff.u32(e + 8);
    default:
      return std::nullopt;
  }
}

struct DirectoryValues {
  std::optional<std::uint32_t> orientation, offset, length;
  std::uint32_t next = 0;
};

// The directory at block offset d, or none when its entries do not lie inside the block.
std::optional<DirectoryValues> read_directory(const TiffReader& tiff, std::uint64_t d) {
  if (!tiff.contains(d, 2) || !tiff.contains(d + 2, 12ull * tiff.u16(d) + 4)) return std::nullopt;
  const std::uint16_t count = tiff.u16(d);
  DirectoryValues values;
  for (std::uint32_t k = 0; k < count; ++k) {
    const std::uint64_t e = d + 2 + 12ull * k;
    switch (tiff.u16(e)) {
      case orientation_tag:
        values.orientation = entry_number(tiff, e);
        break;
      case thumbnail_offset:
        values.offset = entry_number(tiff, e);
        break;
      case thumbnail_length:
        values.length = entry_number(tiff, e);
        break;
      default:
        break;
    }
  }
  values.next = tiff.u32(d + 2 + 12ull * count);
  return values;
}

}  // namespace

std::optional<ExifThumbnail> find_exif_thumbnail(const LoadedBytes& bytes) {
  const std::optional<std::uint64_t> block = find_exif_app1(bytes, 0, bytes.size());
  if (!block) return std::nullopt;
  // The segment's length field sits just before the block and counts itself.
  const std::optional<std::uint64_t> segment_length = stream_number(bytes, *block - 2, 2);
  if (!segment_length || *segment_length < 2 + 14) return std::nullopt;
  const std::uint64_t block_length = *segment_length - 2;
  if (!stream_contains(bytes, *block, block_length)) return std::nullopt;
  const bool little_endian = stream_matches(bytes, *block + 6, "II");
  if (!little_endian && !stream_matches(bytes, *block + 6, "MM")) return std::nullopt;
  const TiffReader tiff(bytes, *block, static_cast<std::uint32_t>(block_length), little_endian);

  const std::optional<DirectoryValues> ifd0 = read_directory(tiff, block_offset(tiff.u32(10)));
  if (!ifd0 || ifd0->next == 0) return std::nullopt;
  const std::optional<DirectoryValues> ifd1 = read_directory(tiff, block_offset(ifd0->next));
  if (!ifd1 || !ifd1->offset || !ifd1->length) return std::nullopt;
  const std::uint64_t at = block_offset(*ifd1->offset);
  const std::uint64_t length = *ifd1->length;
  if (length < 4 || length > largest_thumbnail || !tiff.contains(at, length) ||
      tiff.u16(at) != (little_endian ? 0xD8FF : 0xFFD8)) {
    return std::nullopt;
  }
  ExifThumbnail thumbnail{*block + at, length, 1};
  if (ifd0->orientation && *ifd0->orientation >= 1 && *ifd0->orientation <= 8) {
    thumbnail.orientation = static_cast<std::uint16_t>(*ifd0->orientation);
  }
  return thumbnail;
}

std::optional<ExifThumbnail> find_exif_thumbnail_in_file(RandomAccessFile& file, ReadPlan plan) {
  return read_file_lazily(file, plan, find_exif_thumbnail).value_or(std::nullopt);
}
