#include "album/track/photo_clock.h"

#include <QDateTime>
#include <QStringList>
#include <QTimeZone>
#include <algorithm>
#include <map>

#include "album/track/track_time.h"
#include "text/text_ops.h"

namespace {

constexpr std::int64_t quarter_hour = 900;

WideText offset_text(std::int32_t seconds) {
  return to_wide(format_utc_offset(seconds));
}

WideText photos_count(std::int64_t count) {
  return QString::number(count) +
         (count == 1 ? QStringLiteral(" photo") : QStringLiteral(" photos"));
}

}  // namespace

std::int32_t system_zone_offset(std::int64_t local_ms) {
  const QDateTime local = QDateTime::fromMSecsSinceEpoch(local_ms, Qt::UTC);
  return QDateTime(local.date(), local.time(), QTimeZone::systemTimeZone()).offsetFromUtc();
}

std::optional<std::int32_t> median_quarter_hour(std::vector<std::int64_t> offsets) {
  if (offsets.empty()) return std::nullopt;
  const auto middle = offsets.begin() + static_cast<std::ptrdiff_t>(offsets.size() / 2);
  std::nth_element(offsets.begin(), middle, offsets.end());
  const std::int64_t median = *middle;
  // Half a quarter hour rounds away from zero; offsets beyond 14 hours mean no usable clue.
  const std::int64_t rounded =
      (median >= 0 ? (median + quarter_hour / 2) : (median - quarter_hour / 2)) / quarter_hour *
      quarter_hour;
  if (rounded > 14 * 3600 || rounded < -14 * 3600) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

PhotoTimes photo_utc_times(std::span<const PhotoPosition> photos, const TimeOptions& options) {
  const std::int64_t shift_ms = options.clock_shift_seconds * ms_per_second;
  std::vector<std::optional<std::int64_t>> local(photos.size());
  std::vector<std::optional<std::int32_t>> own_offset(photos.size());
  std::vector<std::int64_t> gps_offsets;
  std::map<std::int32_t, std::int64_t> own_offset_counts;
  for (std::size_t i = 0; i < photos.size(); ++i) {
    const std::optional<std::int64_t> camera = parse_exif_date_time(photos[i].date_time);
    if (!camera) continue;
    local[i] = *camera + shift_ms;
    own_offset[i] = parse_utc_offset(photos[i].offset_time);
    if (own_offset[i]) ++own_offset_counts[*own_offset[i]];
    if (const auto gps = gps_utc_time(photos[i].gps_date, photos[i].gps_time_of_day)) {
      gps_offsets.push_back((*local[i] - *gps) / ms_per_second);
    }
  }
  const std::size_t gps_count = gps_offsets.size();
  const std::optional<std::int32_t> median = median_quarter_hour(std::move(gps_offsets));

  PhotoTimes times;
  times.utc_ms.resize(photos.size());
  std::int64_t by_own = 0, by_median = 0, by_zone = 0;
  for (std::size_t i = 0; i < photos.size(); ++i) {
    if (!local[i]) continue;
    std::int32_t offset = 0;
    if (options.offset) {
      offset = *options.offset;
    } else if (own_offset[i]) {
      offset = *own_offset[i];
      ++by_own;
    } else if (median) {
      offset = *median;
      ++by_median;
    } else {
      offset = options.zone_offset(*local[i]);
      ++by_zone;
    }
    times.utc_ms[i] = *local[i] - std::int64_t{offset} * ms_per_second;
  }

  std::optional<std::int32_t> day_offset = options.offset;
  if (!day_offset && !own_offset_counts.empty()) {
    day_offset = std::max_element(own_offset_counts.begin(), own_offset_counts.end(),
                                  [](const auto& a, const auto& b) { return a.second < b.second; })
                     ->first;
  }
  if (!day_offset) day_offset = median;
  if (day_offset) {
    times.day_offset = [offset = *day_offset](std::int64_t) { return offset; };
  } else {
    times.day_offset = [zone = options.zone_offset](std::int64_t utc_ms) { return zone(utc_ms); };
  }

  QStringList rules;
  if (options.offset) {
    rules.append(
        QStringLiteral("the offset %1 given, for every photo").arg(offset_text(*options.offset)));
  }
  if (by_own > 0) {
    rules.append(QStringLiteral("the photo's own offset (OffsetTimeOriginal) for ") +
                 photos_count(by_own));
  }
  if (by_median > 0) {
    rules.append(QStringLiteral("%1, the median offset of %2 with a GPS time stamp, for %3")
                     .arg(offset_text(*median), photos_count(static_cast<std::int64_t>(gps_count)),
                          photos_count(by_median)));
  }
  if (by_zone > 0) {
    rules.append(QStringLiteral("this computer's time zone for ") + photos_count(by_zone));
  }
  if (rules.isEmpty()) rules.append(QStringLiteral("no photo has a readable date-time"));
  times.rule_line = QStringLiteral("Photo times in UTC: ") + rules.join(QStringLiteral("; "));
  if (options.clock_shift_seconds != 0) {
    times.rule_line += QStringLiteral("; camera clock corrected by %1%2 s")
                           .arg(options.clock_shift_seconds > 0 ? QStringLiteral("+") : QString())
                           .arg(options.clock_shift_seconds);
  }
  times.rule_line += u'.';
  return times;
}
