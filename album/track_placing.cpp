#include "album/track_placing.h"

#include <algorithm>
#include <cmath>

namespace {

// Overlapping segments (tracks of two devices) are searched backwards from the latest that
// starts before the photo, this many at most, so that no track can make a photo cost more.
constexpr std::size_t most_overlapping_segments = 64;

bool point_earlier(const TrackPoint& point, std::int64_t time_ms) {
  return point.time_ms < time_ms;
}

std::int64_t whole_seconds(std::int64_t ms) {
  return (std::llabs(ms) + 500) / 1000;
}

}  // namespace

TrackIndex::TrackIndex(const std::vector<TrackSegment>& segments) {
  std::size_t count = 0;
  for (const TrackSegment& segment : segments) {
    if (segment.empty()) continue;
    spans_.push_back({segment.front().time_ms, segment.back().time_ms, &segment});
    count += segment.size();
  }
  std::stable_sort(spans_.begin(), spans_.end(),
                   [](const Span& a, const Span& b) { return a.first_ms < b.first_ms; });
  latest_end_.reserve(spans_.size());
  for (const Span& span : spans_) {
    latest_end_.push_back(latest_end_.empty() ? span.last_ms
                                              : std::max(latest_end_.back(), span.last_ms));
  }
  points_.reserve(count);
  for (const Span& span : spans_)
    points_.insert(points_.end(), span.segment->begin(), span.segment->end());
  std::stable_sort(points_.begin(), points_.end(),
                   [](const TrackPoint& a, const TrackPoint& b) { return a.time_ms < b.time_ms; });
}

const TrackSegment* TrackIndex::covering_segment(std::int64_t time_ms) const {
  // The spans that start at or before the time; among them the latest starting that still runs.
  auto it = std::upper_bound(spans_.begin(), spans_.end(), time_ms,
                             [](std::int64_t t, const Span& span) { return t < span.first_ms; });
  for (std::size_t tried = 0; it != spans_.begin() && tried < most_overlapping_segments; ++tried) {
    --it;
    const std::size_t i = static_cast<std::size_t>(it - spans_.begin());
    if (latest_end_[i] < time_ms) return nullptr;  // no earlier span reaches the time
    if (it->last_ms >= time_ms && it->segment->size() >= 2) return it->segment;
  }
  return nullptr;
}

std::optional<TrackPlacement> TrackIndex::place(std::int64_t time_ms,
                                                std::int64_t max_gap_ms) const {
  if (const TrackSegment* segment = covering_segment(time_ms)) {
    // after: the first point at or after the time; it exists as the segment runs past it.
    const auto after = std::lower_bound(segment->begin(), segment->end(), time_ms, point_earlier);
    if (after->time_ms == time_ms || after == segment->begin()) {
      return TrackPlacement{after->latitude, after->longitude,
                            whole_seconds(after->time_ms - time_ms)};
    }
    const TrackPoint& before = *(after - 1);
    const double fraction = static_cast<double>(time_ms - before.time_ms) /
                            static_cast<double>(after->time_ms - before.time_ms);
    return TrackPlacement{
        before.latitude + (after->latitude - before.latitude) * fraction,
        before.longitude + (after->longitude - before.longitude) * fraction,
        std::min(whole_seconds(time_ms - before.time_ms), whole_seconds(after->time_ms - time_ms))};
  }
  if (points_.empty()) return std::nullopt;
  const auto after = std::lower_bound(points_.begin(), points_.end(), time_ms, point_earlier);
  const TrackPoint* nearest = after == points_.end() ? &points_.back() : &*after;
  if (after != points_.begin() &&
      (after == points_.end() || time_ms - (after - 1)->time_ms < after->time_ms - time_ms)) {
    nearest = &*(after - 1);
  }
  const std::int64_t gap = std::llabs(nearest->time_ms - time_ms);
  if (gap > max_gap_ms) return std::nullopt;
  return TrackPlacement{nearest->latitude, nearest->longitude, whole_seconds(gap)};
}
