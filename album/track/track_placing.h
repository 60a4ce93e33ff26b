#pragma once
// Places photos on recorded tracks by their UTC time.
#include <cstdint>
#include <optional>
#include <vector>

#include "album/track/gpx_track.h"

struct TrackPlacement {
  double latitude = 0.0;
  double longitude = 0.0;
  std::int64_t seconds_from_point = 0;  // whole seconds to the nearest track point
};

class TrackIndex {
 public:
  explicit TrackIndex(const std::vector<TrackSegment>& segments);

  // Within a segment's time span: the position interpolated linearly between the two points
  // around `time_ms`. Outside every segment: the nearest point in time when it lies at most
  // `max_gap_ms` away. Otherwise none. O(log n).
  std::optional<TrackPlacement> place(std::int64_t time_ms, std::int64_t max_gap_ms) const;

 private:
  struct Span {
    std::int64_t first_ms;
    std::int64_t last_ms;
    const TrackSegment* segment;
  };
  const TrackSegment* covering_segment(std::int64_t time_ms) const;
  std::size_t last_reaching(std::size_t node, std::size_t low, std::size_t high, std::size_t last,
                            std::int64_t time_ms) const;

  std::vector<Span> spans_;  // by first_ms
  // A tree of maxima over spans_ in that order: leaf i holds spans_[i].last_ms when that span can
  // hold a photo (two points or more), each node the latest end below it. It finds the latest
  // starting span that still runs at a time in O(log n), however many spans overlap.
  std::vector<std::int64_t> latest_end_;
  std::size_t leaves_ = 0;
  std::vector<TrackPoint> points_;  // every point, by time
};
