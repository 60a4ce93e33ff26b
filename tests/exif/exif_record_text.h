#pragma once
// Every field of an ExifRecord as one line of text, so that two records can be compared whole
// and a difference shows which field it is in. Doubles are written exactly (negative zero too).
#include <string>

#include "exif/tiff/exif_record.h"

std::string exif_record_text(const ExifRecord& record);
// The same fields as raw bytes: as exact, and quick enough to compare records in a fuzzer.
std::string exif_record_bytes(const ExifRecord& record);
