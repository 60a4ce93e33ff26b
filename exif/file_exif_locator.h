#pragma once
// Runs the segment locator over a file, reading only the parts of it the scans and the decoder
// look at, with the result of reading the file whole.
#include <cstdint>

#include "exif/exif_record.h"
#include "exif/lazy_file_bytes.h"
#include "exif/photo_file.h"
#include "exif/random_access_file.h"

struct FileExifResult {
  PhotoFileStatus status = PhotoFileStatus::cannot_read;  // read or cannot_read
  int code = 0;  // when read: what locate_exif_segment gives for the file's whole contents
};

// cannot_read, as for a whole-file read, when the size is unknown or above largest_photo_file,
// or when bytes the locator needs cannot be read (the file has shrunk since it was opened).
FileExifResult locate_exif_in_file(ExifRecord& record, RandomAccessFile& file, ReadPlan plan = {});
