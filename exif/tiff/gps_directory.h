#pragma once
// The GPS sub-directory: reference letters and degrees/minutes/seconds to signed decimal degrees.
#include <cstdint>

#include "exif/tiff/exif_record.h"
#include "exif/tiff/tiff_reader.h"

// Reads the directory at block offset `directory`, which the caller has checked to lie wholly
// inside the block. Entries whose values lie outside the block are passed over.
void read_gps_directory(ExifRecord& record, const TiffReader& block, std::uint64_t directory);
