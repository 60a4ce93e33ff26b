#pragma once
// Reads a photo file whole into memory: the plain way, against which tests and benchmarks
// measure the reader that loads only what it needs (exif/file_exif_locator.h).
#include <cstdint>
#include <memory>

#include "exif/file_exif_locator.h"
#include "text/text_types.h"

struct PhotoFile {
  PhotoFileStatus status = PhotoFileStatus::cannot_open;
  std::unique_ptr<std::uint8_t[]> bytes;
  std::uint32_t size = 0;
};

// Only regular files are opened: a directory, a pipe or a device counts as not openable, so a
// pipe without a writer cannot block the program. A file that shrinks while it is read, one
// larger than largest_photo_file, or one for which no buffer can be had counts as unreadable.
PhotoFile read_photo_file(const AnsiText& file_name);
