#pragma once
// Runs the photo EXIF locator over a file, reading only the parts of it the scans, the container
// walks and the decoder look at, with the result of reading the file whole.
#include <cstdint>
#include <optional>
#include <utility>

#include "exif/io/lazy_read.h"
#include "exif/io/random_access_file.h"
#include "exif/photo_file_facts.h"
#include "exif/tiff/exif_record.h"

// Whether a photo file could be opened and read as far as the reader needed.
enum class PhotoFileStatus { read, cannot_open, cannot_read };

struct FileExifResult {
  PhotoFileStatus status = PhotoFileStatus::cannot_read;  // read or cannot_read
  int code = 0;  // when read: what locate_photo_exif gives for the file's whole contents
  std::uint64_t peak_bytes_held = 0;  // the most bytes of the file the reader held at once
};

// cannot_read, as for a whole-file read, when the size is unknown or above largest_photo_file,
// or when bytes the locator needs cannot be read (the file has shrunk since it was opened). Also
// cannot_read where the whole-file read might decode: when the directories and values lie far
// from the head and tail in more places, or in more bytes, than ReadPlan::far allows, so that a
// hostile file cannot make the reader hold much or read long.
// With `facts`, also notes the file's kind and, for a JPEG, its EXIF thumbnail as far as the
// bytes already loaded tell them (facts->size and modified_ms are the caller's).
FileExifResult locate_exif_in_file(ExifRecord& record, RandomAccessFile& file, ReadPlan plan = {},
                                   PhotoFileFacts* facts = nullptr);
