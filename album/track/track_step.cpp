#include "album/track/track_step.h"

#include "album/track/track_time.h"
#include "text/number_format.h"

TrackStep place_photos_on_tracks(std::span<const PhotoPosition> positions,
                                 std::span<const char> to_place, const TrackSet& tracks,
                                 const TimeOptions& options) {
  TrackStep step{photo_utc_times(positions, options), {}};
  step.placements.resize(positions.size());
  const TrackIndex index(tracks.segments);
  const std::int64_t max_gap_ms = options.max_gap_seconds * ms_per_second;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    const std::optional<std::int64_t>& time = step.times.utc_ms[i];
    if (to_place[i] != 0 && time) {
      step.placements[i] = index.place(*time, max_gap_ms);
    }
  }
  return step;
}

WideText placement_line(const TrackPlacement& placement) {
  return QStringLiteral("Position from track: latitude=") +
         to_wide(number_to_text(placement.latitude)) + QStringLiteral(", longitude=") +
         to_wide(number_to_text(placement.longitude)) +
         QStringLiteral(" (%1 s from a track point)").arg(placement.seconds_from_point);
}

PhotoPosition placed_position(PhotoPosition position, const TrackPlacement& placement) {
  position.latitude = number_to_text(placement.latitude);
  position.longitude = number_to_text(placement.longitude);
  return position;
}
