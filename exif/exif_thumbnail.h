#pragma once
// The EXIF thumbnail of a JPEG photo: the small JPEG that IFD1 points at (JPEGInterchangeFormat
// and JPEGInterchangeFormatLength), and the photo's orientation, which applies to it too. Only
// the location is found; nothing is decoded.
#include <cstdint>
#include <optional>

#include "exif/io/lazy_file_bytes.h"
#include "exif/io/loaded_bytes.h"
#include "exif/io/random_access_file.h"

struct ExifThumbnail {
  std::uint64_t offset = 0;  // stream offset of its FF D8
  std::uint64_t length = 0;
  std::uint16_t orientation = 1;  // IFD0's Orientation, 1 when absent or out of range
};

// The thumbnail of the first APP1 segment that holds EXIF data, when it is non-empty, starts as a
// JPEG stream and lies wholly inside that segment. Throws MissingBytes like the locators.
std::optional<ExifThumbnail> find_exif_thumbnail(const LoadedBytes& bytes);

// The same over a file: the head the reader loads first usually holds the whole segment, so the
// thumbnail costs no further read. None also when the file cannot be read.
std::optional<ExifThumbnail> find_exif_thumbnail_in_file(RandomAccessFile& file,
                                                         ReadPlan plan = {});
