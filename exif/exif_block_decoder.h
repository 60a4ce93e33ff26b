#pragma once
// Decodes the EXIF block of a JPEG APP1 segment: "Exif\0\0", the TIFF header, IFD0 and its Exif
// and GPS sub-directories.
#include <cstdint>

#include "exif/exif_record.h"
#include "exif/loaded_bytes.h"

// `block` starts right after the APP1 length field and runs to the end of the JPEG stream; it is
// read in place and never changed. Returns exif_decoded, exif_missing, exif_bad_byte_order or
// exif_corrupt (exif/exif_result_codes.h). On failure the record may hold some values already
// decoded; the caller discards it. Byte strings in the record are always its own copies.
int decode_exif_block(ExifRecord& record, const std::uint8_t* block, std::uint32_t length);

// The same for the block that starts `start` bytes into a stream that may be only partly in
// memory; throws MissingBytes when it needs bytes that are not.
int decode_exif_block(ExifRecord& record, const LoadedBytes& stream, std::uint64_t start,
                      std::uint32_t length);
