#include "exif/embedded_preview.h"

#include "exif/io/lazy_read.h"
#include "exif/photo_formats.h"

std::optional<EmbeddedPreview> find_embedded_preview(const LoadedBytes& bytes) {
  const PhotoFormat* format = photo_format(photo_container_kind(bytes));
  if (!format || !format->find_preview) return std::nullopt;
  return format->find_preview(bytes);
}

std::optional<EmbeddedPreview> find_embedded_preview_in_file(RandomAccessFile& file,
                                                             ReadPlan plan) {
  return read_file_lazily(file, plan, find_embedded_preview).value_or(std::nullopt);
}
