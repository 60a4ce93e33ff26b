#pragma once
// Finds a JPEG stream's EXIF block by following its segment lengths, for streams where the plain
// scan of the segment locator finds none: the first APP1 segment holds XMP, or the bytes FF E1
// occur inside an earlier segment.
#include <cstdint>
#include <optional>

#include "exif/io/loaded_bytes.h"
#include "exif/tiff/exif_record.h"

// The stream offset just past the APP1 length field of the first APP1 segment that starts with
// "Exif\0\0", walking the segments of the JPEG stream at [begin, end) up to its image data.
std::optional<std::uint64_t> find_exif_app1(const LoadedBytes& bytes, std::uint64_t begin,
                                            std::uint64_t end);

// Decodes that segment's block, which may reach to `end`. exif_missing when there is none.
int decode_jpeg_exif_by_segments(ExifRecord& record, const LoadedBytes& bytes, std::uint64_t begin,
                                 std::uint64_t end);
