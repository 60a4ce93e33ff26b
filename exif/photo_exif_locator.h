#pragma once
// Finds and decodes the EXIF block of a photo of any kind the reader knows, told by its first
// bytes: JPEG, TIFF and TIFF-based raw files, HEIC/HEIF/AVIF and CR3, PNG, WebP, RAF.
#include <optional>

#include "exif/io/loaded_bytes.h"
#include "exif/tiff/exif_record.h"
#include "exif/tiff/exif_segment_locator.h"

// The segment locator's result for every JPEG stream it decodes. Only where it decodes none does
// the reader look further: a JPEG's segments are then walked by their lengths (the locator's code
// stands when no APP1 segment holds EXIF data), and a file that does not start with FF D8 is read
// as the container it is. Returns exif_not_jpeg for a file of no known kind (or a JPEG without an
// end marker), otherwise the codes of the locators. Throws MissingBytes like the locators.
// `markers`, when given, are what the JPEG locator's two scans would find in these bytes (a file
// reader runs them itself, in bounded memory).
int locate_photo_exif(ExifRecord& record, const LoadedBytes& bytes,
                      const std::optional<JpegMarkers>& markers = std::nullopt);
