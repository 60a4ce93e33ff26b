#include "exif/file_exif_locator.h"

#include "exif/photo_exif_locator.h"

FileExifResult locate_exif_in_file(ExifRecord& record, RandomAccessFile& file, ReadPlan plan) {
  const std::optional<int> code = read_file_lazily(
      file, plan, [&](const LoadedBytes& bytes) { return locate_photo_exif(record, bytes); });
  if (!code) return {};
  return {PhotoFileStatus::read, *code};
}
