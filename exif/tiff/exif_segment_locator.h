#pragma once
// Finds the EXIF block of a JPEG stream.
#include <cstdint>

#include "exif/io/loaded_bytes.h"
#include "exif/tiff/exif_record.h"

// Checks the start (FF D8) and last end (FF D9) markers, finds the first FF E1 byte pair by a
// plain forward scan, checks the segment length and decodes what follows it, up to the end of
// the stream, in place. Returns exif_not_jpeg (record untouched), exif_missing, exif_corrupt or
// the decoder's result (the record is cleared first in all those cases).
int locate_exif_segment(ExifRecord& record, const std::uint8_t* buffer, std::uint32_t length);

// The same over a stream that may be only partly in memory: throws MissingBytes when it needs
// bytes that are not, and otherwise gives what the whole stream would give.
int locate_exif_segment(ExifRecord& record, const LoadedBytes& bytes);

// The locator in steps, for a reader that runs the two scans itself (exif/marker_scan.h):
// whether the bytes start as a JPEG stream (at least 4 bytes, FF D8) ...
bool starts_as_jpeg(const LoadedBytes& bytes);
// ... where the scans found the markers ...
struct JpegMarkers {
  std::uint32_t stream_end;  // 0: no end marker
  std::uint32_t app1;
};
// ... and, once the record is cleared, what follows the scans: `stream_end` (non-zero) is the
// offset past the last FF D9 pair, `app1` that of the first FF E1 pair (stream_end - 1 when
// there is none).
int decode_app1_segment(ExifRecord& record, const LoadedBytes& bytes, std::uint32_t stream_end,
                        std::uint32_t app1);
