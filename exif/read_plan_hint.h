#pragma once
// How much the reader fetches first from a photo file, chosen by its name.
#include "exif/io/lazy_file_bytes.h"
#include "text/text_types.h"

// The first read of a file named as a kind whose row in the table of photo kinds asks for one
// (exif/photo_formats.cpp defines this): for HEIF and raw photos (HEIC, HEIF, AVIF, CR3,
// TIFF and the TIFF-based raw kinds, RAF) a few KiB from the start. Any other name gets the
// default plan, made for JPEG photos. The name only sizes the first read: the kind of file is
// still told by its bytes, and a file of another kind under such a name is read right, only in
// more pieces.
ReadPlan read_plan_for(const AnsiText& file_name);
