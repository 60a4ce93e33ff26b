#pragma once
#include <cstdint>

#include "exif/photo_position.h"
#include "text/text_types.h"

// One photo of an album.
struct PhotoRow {
  AnsiText file_name;  // name without its folder
  AnsiText date_time;
  AnsiText latitude;
  AnsiText latitude_short;  // five decimals, may be moved apart by the ordering
  AnsiText longitude;
  AnsiText longitude_short;
  AnsiText path;         // the photo file as it was given, for the page's link to it
  AnsiText preview_url;  // its preview relative to the page, percent-encoded; empty for none
  // For a photo placed on a track: whole seconds to the nearest track point; -1 for a position
  // the photo holds itself.
  std::int64_t seconds_from_track = -1;
  // What reading the photo learnt of its file, for its preview.
  PhotoFileFacts file_facts{};
};

// The five-decimal form of a coordinate text ("48.8582222222222" -> "48.85822").
AnsiText format_short_coordinate(const AnsiText& coordinate);

// Whether the photo holds a position: only the exact texts "0" and "0" mean none.
bool has_position(const PhotoPosition& position);

// Whether both coordinates are numbers that a place on Earth can have: finite, the latitude
// within -90..90 and the longitude within -180..180 degrees.
bool is_possible_position(const PhotoPosition& position);

// The row of the photo file at `path` from its position. Throws AppError when a coordinate text
// is no number.
PhotoRow make_photo_row(const AnsiText& path, const PhotoPosition& position);
