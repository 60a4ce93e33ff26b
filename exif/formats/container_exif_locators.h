#pragma once
// The EXIF block of each photo container other than JPEG. Each finds the TIFF structure in its
// container, reading only the chunks, boxes or directories on the way to it, and decodes it with
// the directory decoder. They return the decoder's codes, exif_missing when the container holds
// no EXIF data, and exif_corrupt when its framing points outside the file. They throw
// MissingBytes for bytes that are not loaded.
#include "exif/io/loaded_bytes.h"
#include "exif/tiff/exif_record.h"

// HEIC, HEIF, AVIF: the item of type "Exif". CR3: its own boxes under "moov".
int locate_iso_media_exif(ExifRecord& record, const LoadedBytes& bytes);
// The "eXIf" chunk.
int locate_png_exif(ExifRecord& record, const LoadedBytes& bytes);
// The "EXIF" chunk of an extended WebP file.
int locate_webp_exif(ExifRecord& record, const LoadedBytes& bytes);
// The EXIF block of the JPEG preview the raw file embeds.
int locate_raf_exif(ExifRecord& record, const LoadedBytes& bytes);
