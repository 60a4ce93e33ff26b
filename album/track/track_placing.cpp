#include "album/track/track_placing.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

constexpr std::size_t none = SIZE_MAX;

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
  leaves_ = std::bit_ceil(std::max<std::size_t>(spans_.size(), 1));
  latest_end_.assign(2 * leaves_, INT64_MIN);
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    if (spans_[i].segment->size() >= 2) latest_end_[leaves_ + i] = spans_[i].last_ms;
  }
  for (std::size_t node = leaves_ - 1; node >= 1; --node) {
    latest_end_[node] = std::max(latest_end_[2 * node], latest_end_[2 * node + 1]);
  }
  points_.reserve(count);
  for (const Span& span : spans_)
    points_.insert(points_.end(), span.segment->begin(), span.segment->end());
  std::stable_sort(points_.begin(), points_.end(),
                   [](const TrackPoint& a, const TrackPoint& b) { return a.time_ms < b.time_ms; });
}

// The last span index in [low, high] and at most `last` below `node` whose end reaches the time.
std::size_t TrackIndex::last_reaching(std::size_t node, std::size_t low, std::size_t high,
                                      std::size_t last, std::int64_t time_ms) const {
  if (low > last || latest_end_[node] < time_ms) return none;
  if (low == high) return low;
  const std::size_t middle = low + (high - low) / 2;
  const std::size_t later = last_reaching(2 * node + 1, middle + 1, high, last, time_ms);
  return later != none ? later : last_reaching(2 * node, low, middle, last, time_ms);
}

const TrackSegment* TrackIndex::covering_segment(std::int64_t time_ms) const {
  // The spans that start at or before the time; among them the latest starting that still runs.
  const auto starts =
      std::upper_bound(spans_.begin(), spans_.end(), time_ms,
                       [](std::int64_t t, const Span& span) { return t < span.first_ms; });
  if (starts == spans_.begin()) return nullptr;
  const auto last = static_cast<std::size_t>(starts - spans_.begin()) - 1;
  const std::size_t found = last_reaching(1, 0, leaves_ - 1, last, time_ms);
  return found == none ? nullptr : spans_[found].segment;
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
