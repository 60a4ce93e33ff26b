#pragma once
// The track step of an album: the photos' UTC times and the places found for those without a
// position.
#include <optional>
#include <span>
#include <vector>

#include "album/track/gpx_track.h"
#include "album/track/photo_clock.h"
#include "album/track/track_placing.h"
#include "exif/photo_position.h"

struct TrackStep {
  PhotoTimes times;
  // One per photo: a place for a photo read (result 1) without a position whose time is on or
  // near the track; none for every other photo.
  std::vector<std::optional<TrackPlacement>> placements;
};

TrackStep place_photos_on_tracks(std::span<const PhotoPosition> positions,
                                 std::span<const int> read_results, const TrackSet& tracks,
                                 const TimeOptions& options);

// The log line of a placed photo, numbers as the reader's position line writes them.
WideText placement_line(const TrackPlacement& placement);

// `position` with the placed coordinates as texts.
PhotoPosition placed_position(PhotoPosition position, const TrackPlacement& placement);
