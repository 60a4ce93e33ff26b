#pragma once
#include <cstdint>
#include <span>

#include "exif/photo_position.h"
#include "text/text_types.h"

// One photo of an album: all six fields are texts.
struct PhotoRow {
  AnsiText file_name;  // name without its folder
  AnsiText date_time;
  AnsiText latitude;
  AnsiText latitude_short;  // five decimals, may be moved apart by the ordering
  AnsiText longitude;
  AnsiText longitude_short;
};

inline constexpr std::int32_t kPhotoTableCapacity = 100000;

// The program-wide table; a run of add_photos reuses it from row 0.
std::span<PhotoRow> photo_table();

// The five-decimal form of a coordinate text ("48.8582222222222" -> "48.85822").
AnsiText format_short_coordinate(const AnsiText& coordinate);

// Writes row `row_count` from a photo's name and position, then raises row_count.
void fill_photo_row(std::span<PhotoRow> table, std::int32_t& row_count, const AnsiText& file_name,
                    const PhotoPosition& position);
