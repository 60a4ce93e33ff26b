#include <algorithm>
#include <vector>

#include "exif/io/stream_reads.h"
#include "exif/tiff/tiff_preview.h"
#include "exif/tiff/tiff_reader.h"

namespace {

// Raw files have a handful of directories (IFD0 and one or two after it, a few SubIFDs); a chain
// that goes on, or loops back, is not followed further.
constexpr std::size_t most_directories = 32;
constexpr std::uint32_t most_sub_directories = 8;

enum Tag : std::uint16_t {
  embedded_jpeg = 0x002E,  // RW2: the whole JPEG as UNDEFINED bytes
  new_subfile_type = 0x00FE,
  compression = 0x0103,
  strip_offsets = 0x0111,
  strip_byte_counts = 0x0117,
  sub_directories = 0x014A,
  jpeg_offset = 0x0201,
  jpeg_length = 0x0202,
};
constexpr std::uint64_t old_style_jpeg = 6, jpeg = 7;

// The values of one directory that can point at a JPEG image.
struct DirectoryImage {
  std::uint64_t subfile_type = 0, compression = 0;
  std::optional<std::uint64_t> strip, strip_length, jpeg, jpeg_length;
};

class PreviewSearch {
 public:
  PreviewSearch(const LoadedBytes& bytes, bool little_endian)
      : bytes_(bytes),
        // Directory offsets count from the TIFF header at stream offset 0; the reader's count
        // from 6 bytes before it (see decode_tiff_block).
        tiff_(bytes, std::uint64_t{0} - 6,
              bytes.size() > UINT32_MAX - 6 ? UINT32_MAX : bytes.size() + 6, little_endian) {}

  std::optional<EmbeddedPreview> run() {
    pending_.push_back(tiff_.u32(10));
    while (!pending_.empty() && visited_.size() < most_directories) {
      const std::uint64_t d = block_offset(pending_.back());
      pending_.pop_back();
      if (std::find(visited_.begin(), visited_.end(), d) != visited_.end()) continue;
      visited_.push_back(d);
      read_directory(d);
    }
    return best_;
  }

 private:
  // The first value of a SHORT or LONG (or IFD) entry.
  std::optional<std::uint64_t> number(std::uint64_t e) const {
    switch (tiff_.u16(e + 2)) {
      case 3:
        return tiff_.u16(e + 8);
      case 4:
      case 13:
        return tiff_.u32(e + 8);
      default:
        return std::nullopt;
    }
  }

  void read_directory(std::uint64_t d) {
    if (!tiff_.contains(d, 2) || !tiff_.contains(d + 2, 12ull * tiff_.u16(d) + 4)) return;
    const std::uint16_t count = tiff_.u16(d);
    DirectoryImage image;
    for (std::uint32_t k = 0; k < count; ++k) {
      const std::uint64_t e = d + 2 + 12ull * k;
      const std::uint32_t values = tiff_.u32(e + 4);
      const std::optional<std::uint64_t> value = number(e);
      switch (tiff_.u16(e)) {
        case new_subfile_type:
          image.subfile_type = value.value_or(0);
          break;
        case compression:
          image.compression = value.value_or(0);
          break;
        case strip_offsets:
          if (values == 1) image.strip = value;
          break;
        case strip_byte_counts:
          if (values == 1) image.strip_length = value;
          break;
        case jpeg_offset:
          image.jpeg = value;
          break;
        case jpeg_length:
          image.jpeg_length = value;
          break;
        case embedded_jpeg:
          consider(tiff_.u32(e + 8), values);
          break;
        case sub_directories:
          queue_sub_directories(e, values);
          break;
        default:
          break;
      }
    }
    pending_.push_back(tiff_.u32(d + 2 + 12ull * count));  // the next directory, 0 for none
    consider(image.jpeg, image.jpeg_length);
    // A reduced-size image (subfile type bit 0) in JPEG, or any old-style JPEG image: the full
    // image of a DNG is JPEG too, but lossless, and no preview.
    if (image.compression == old_style_jpeg ||
        (image.compression == jpeg && (image.subfile_type & 1) != 0)) {
      consider(image.strip, image.strip_length);
    }
  }

  void queue_sub_directories(std::uint64_t e, std::uint32_t count) {
    if (count == 1) {
      if (const std::optional<std::uint64_t> only = number(e)) pending_.push_back(*only);
      return;
    }
    const std::uint64_t list = block_offset(tiff_.u32(e + 8));
    const std::uint32_t listed = std::min(count, most_sub_directories);
    if (!tiff_.contains(list, 4ull * listed)) return;
    for (std::uint32_t k = 0; k < listed; ++k) pending_.push_back(tiff_.u32(list + 4ull * k));
  }

  void consider(std::optional<std::uint64_t> offset, std::optional<std::uint64_t> length) {
    if (!offset || !length || *length == 0 || *length > largest_preview ||
        !stream_contains(bytes_, *offset, *length) ||
        !stream_matches(bytes_, *offset, "\xFF\xD8")) {
      return;
    }
    if (!best_ || *length > best_->length)
      best_ = EmbeddedPreview{*offset, *length, four_cc("jpeg")};
  }

  const LoadedBytes& bytes_;
  TiffReader tiff_;
  std::vector<std::uint32_t> pending_;
  std::vector<std::uint64_t> visited_;
  std::optional<EmbeddedPreview> best_;
};

}  // namespace

std::optional<EmbeddedPreview> find_tiff_preview(const LoadedBytes& bytes) {
  if (bytes.size() < 8) return std::nullopt;
  const bool little_endian = stream_matches(bytes, 0, "II");
  return PreviewSearch(bytes, little_endian).run();
}
