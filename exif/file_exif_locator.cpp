#include "exif/file_exif_locator.h"

#include "exif/photo_exif_locator.h"

FileExifResult locate_exif_in_file(ExifRecord& record, RandomAccessFile& file, ReadPlan plan) {
  const std::int64_t size = file.size();
  if (size < 0 || size > largest_photo_file) return {};
  LazyFileBytes bytes(file, static_cast<std::uint32_t>(size), plan);
  if (!bytes.load_first()) return {};
  // The locator is a pure function of the bytes, so running it again from the start after more
  // are loaded gives what one run over the whole file gives. Every load at least doubles a piece,
  // so this ends after a few rounds.
  for (;;) {
    try {
      return {PhotoFileStatus::read, locate_photo_exif(record, bytes.view())};
    } catch (const MissingBytes& missing) {
      if (!bytes.load_more(missing)) return {};
    }
  }
}
