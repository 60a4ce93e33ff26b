#pragma once
// The UTC time of each photo, for placing it on a track. EXIF date-times carry no zone, so the
// zone comes, in this order, from an offset given by the user, the photo's own
// OffsetTimeOriginal, the median offset of the photos that also hold a GPS time stamp, or the
// computer's time zone at that date.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "exif/photo_position.h"
#include "text/text_types.h"

// The computer's UTC offset in seconds at a time given on its wall clock (in ms).
using ZoneOffsetAt = std::function<std::int32_t(std::int64_t local_ms)>;

// The system's time zone; tests hand make_album a fixed one instead.
std::int32_t system_zone_offset(std::int64_t local_ms);

struct TimeOptions {
  std::optional<std::int32_t> offset;    // given by the user: seconds east of UTC, for every photo
  std::int64_t clock_shift_seconds = 0;  // added to every camera date-time
  std::int64_t max_gap_seconds = 300;    // how far from a track a photo may lie in time
  ZoneOffsetAt zone_offset = system_zone_offset;
};

struct PhotoTimes {
  std::vector<std::optional<std::int64_t>> utc_ms;  // one per photo; none without a date-time
  // The offset of the album's days (the track's days on the page): the given one, else the
  // commonest OffsetTimeOriginal, else the GPS median, else the computer's zone.
  std::function<std::int32_t(std::int64_t utc_ms)> day_offset;
  WideText rule_line;  // one log line: which rule gave the photos' times
};

// `photos` holds one position per photo (a default one for a photo that could not be read).
PhotoTimes photo_utc_times(std::span<const PhotoPosition> photos, const TimeOptions& options);

// The median of offsets in seconds, rounded to the nearest quarter hour; none for no offsets.
std::optional<std::int32_t> median_quarter_hour(std::vector<std::int64_t> offsets);
