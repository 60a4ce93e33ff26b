#pragma once
// The track's lists for the album page: the recorded way cut into local days, and where each
// photo's position came from.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "album/photo_table.h"
#include "album/track/gpx_track.h"
#include "text/text_types.h"

// {"day":"2024:06:04","points":[[48.85837,2.29448],...]},... : one object per piece of a segment
// that lies within one local day (by `day_offset`, seconds east of UTC at a UTC time), pieces in
// time order, five decimals, a point equal to the one before it left out, pieces of fewer than
// two points left out.
AnsiText build_track_pieces(const std::vector<TrackSegment>& segments,
                            const std::function<std::int32_t(std::int64_t utc_ms)>& day_offset);

// null,{"track":12},... : one per row, null for a position the photo holds itself.
AnsiText build_position_sources(std::span<const PhotoRow> rows);
