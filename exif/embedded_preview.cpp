#include "exif/embedded_preview.h"

#include "exif/container_kind.h"
#include "exif/formats/iso_media_preview.h"
#include "exif/io/lazy_read.h"
#include "exif/io/stream_reads.h"
#include "exif/tiff/tiff_preview.h"

namespace {

// RAF: the embedded JPEG that the header points at, big-endian offset and length.
std::optional<EmbeddedPreview> find_raf_preview(const LoadedBytes& bytes) {
  const std::optional<std::uint64_t> offset = stream_number(bytes, 84, 4);
  const std::optional<std::uint64_t> length = stream_number(bytes, 88, 4);
  if (!offset || !length || *length > largest_preview ||
      !stream_contains(bytes, *offset, *length) || !stream_matches(bytes, *offset, "\xFF\xD8")) {
    return std::nullopt;
  }
  return EmbeddedPreview{*offset, *length, four_cc("jpeg")};
}

}  // namespace

std::optional<EmbeddedPreview> find_embedded_preview(const LoadedBytes& bytes) {
  switch (photo_container_kind(bytes)) {
    case PhotoContainer::tiff:
      return find_tiff_preview(bytes);
    case PhotoContainer::iso_media:
      return find_iso_media_preview(bytes);
    case PhotoContainer::raf:
      return find_raf_preview(bytes);
    default:
      return std::nullopt;
  }
}

std::optional<EmbeddedPreview> find_embedded_preview_in_file(RandomAccessFile& file,
                                                             ReadPlan plan) {
  return read_file_lazily(file, plan, find_embedded_preview).value_or(std::nullopt);
}
