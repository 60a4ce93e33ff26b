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
  // One per photo: a place for a photo to place whose time is on or near the track; none for
  // every other photo.
  std::vector<std::optional<TrackPlacement>> placements;
};

// `to_place`, one per photo: whether it is to be placed (a photo read without a position, by the
// rule of the album's photo intake); the times are found from every photo's position.
TrackStep place_photos_on_tracks(std::span<const PhotoPosition> positions,
                                 std::span<const char> to_place, const TrackSet& tracks,
                                 const TimeOptions& options);

// The log line of a placed photo, numbers as the reader's position line writes them.
WideText placement_line(const TrackPlacement& placement);

// `position` with the placed coordinates as texts.
PhotoPosition placed_position(PhotoPosition position, const TrackPlacement& placement);
