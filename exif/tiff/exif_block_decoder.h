#pragma once
// Decodes the EXIF block of a JPEG APP1 segment: "Exif\0\0", the TIFF header, IFD0 and its Exif
// and GPS sub-directories. Other containers hand over the TIFF structure alone.
#include <cstdint>
#include <optional>

#include "exif/io/loaded_bytes.h"
#include "exif/tiff/exif_record.h"

// `block` starts right after the APP1 length field and runs to the end of the JPEG stream; it is
// read in place and never changed. Returns exif_decoded, exif_missing, exif_bad_byte_order or
// exif_corrupt (exif/exif_result_codes.h). On failure the record may hold some values already
// decoded; the caller discards it. Byte strings in the record are always its own copies.
int decode_exif_block(ExifRecord& record, const std::uint8_t* block, std::uint32_t length);

// The same for the block that starts `start` bytes into a stream that may be only partly in
// memory; throws MissingBytes when it needs bytes that are not.
int decode_exif_block(ExifRecord& record, const LoadedBytes& stream, std::uint64_t start,
                      std::uint32_t length);

// What the first directory of a TIFF structure is: IFD0 with its pointers to the other two, as in
// every EXIF block, or one of those sub-directories alone (as some raw formats store them).
enum class TiffDirectory { image, exif, gps };

// The same rules for a TIFF structure without "Exif\0\0": `tiff_start` is its byte-order mark
// and its offsets count from there. `magic` is the number expected after the byte-order mark;
// none when the caller has recognised the header already (raw formats use their own numbers).
int decode_tiff_block(ExifRecord& record, const LoadedBytes& stream, std::uint64_t tiff_start,
                      std::uint32_t tiff_length, TiffDirectory first = TiffDirectory::image,
                      std::optional<std::uint16_t> magic = 42);

// An EXIF payload of a container chunk or item: the TIFF structure, or "Exif\0\0" and then it,
// as writers differ.
int decode_exif_payload(ExifRecord& record, const LoadedBytes& stream, std::uint64_t start,
                        std::uint32_t length);
