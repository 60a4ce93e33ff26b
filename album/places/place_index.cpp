#include "album/places/place_index.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "text/app_error.h"
#include "text/text_file.h"

namespace {

constexpr double kEarthRadiusKm = 6371.0088;  // the mean radius
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr std::int32_t kCellE5 = 25000;  // a quarter degree in 1e-5 degrees
constexpr double kCellDegrees = kCellE5 / 1e5;
constexpr int kRows = 180 * 4;
constexpr int kColumns = 360 * 4;
// The reach as an angle, and as the chord through the sphere that compares with a point's.
const double kReach = place_reach_km / kEarthRadiusKm;
const double kChordSquared = std::pow(2 * std::sin(kReach / 2), 2);

int row_of_e5(std::int32_t latitude_e5) {
  return std::min((latitude_e5 + 9000000) / kCellE5, kRows - 1);
}

int column_of_e5(std::int32_t longitude_e5) {
  return (longitude_e5 + 18000000) / kCellE5 % kColumns;  // 180 degrees is -180
}

double weight_of(std::uint32_t population) {
  const double decades = std::log10(std::max<double>(population, 1) / 1000.0);
  return 1.0 + 0.15 * std::clamp(decades, 0.0, 3.0);
}

}  // namespace

PlaceIndex::PlaceIndex(PlaceData data) : data_(std::move(data)) {
  // A counting sort by cell: each cell's places lie together, so a search reads them in a row.
  std::vector<PlaceRecord>& places = data_.places;
  cell_start_.assign(std::size_t{kRows} * kColumns + 1, 0);
  const auto cell_of = [](const PlaceRecord& p) {
    return static_cast<std::size_t>(row_of_e5(p.latitude_e5)) * kColumns +
           column_of_e5(p.longitude_e5);
  };
  for (const PlaceRecord& place : places) ++cell_start_[cell_of(place) + 1];
  for (std::size_t c = 1; c < cell_start_.size(); ++c) cell_start_[c] += cell_start_[c - 1];
  std::vector<std::uint32_t> next(cell_start_.begin(), cell_start_.end() - 1);
  std::vector<PlaceRecord> sorted(places.size());
  for (const PlaceRecord& place : places) sorted[next[cell_of(place)]++] = place;
  places = std::move(sorted);

  points_.reserve(places.size());
  for (const PlaceRecord& place : places) {
    const double phi = place.latitude_e5 / 1e5 * kRadiansPerDegree;
    const double lambda = place.longitude_e5 / 1e5 * kRadiansPerDegree;
    points_.push_back({std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda),
                       std::sin(phi), weight_of(place.population)});
  }
}

std::optional<std::uint32_t> PlaceIndex::place_at(double latitude, double longitude) const {
  if (!(std::fabs(latitude) <= 90) || !(std::fabs(longitude) <= 180)) return std::nullopt;
  const double phi = latitude * kRadiansPerDegree;
  const double lambda = longitude * kRadiansPerDegree;
  const double x = std::cos(phi) * std::cos(lambda), y = std::cos(phi) * std::sin(lambda),
               z = std::sin(phi);

  // The rows of the latitudes within reach, and the columns of the longitudes within reach at
  // any of them (every column when a pole is within reach), a little wide of both.
  const double reach_degrees = kReach / kRadiansPerDegree + 1e-6;
  const int first_row =
      std::max(0, static_cast<int>(std::floor((latitude - reach_degrees + 90) / kCellDegrees)));
  const int last_row = std::min(
      kRows - 1, static_cast<int>(std::floor((latitude + reach_degrees + 90) / kCellDegrees)));
  int first_column = 0, column_count = kColumns;
  if (std::cos(phi) > std::sin(kReach)) {
    const double half_width = std::asin(std::sin(kReach) / std::cos(phi)) / kRadiansPerDegree;
    first_column =
        static_cast<int>(std::floor((longitude - half_width - 1e-6 + 180) / kCellDegrees));
    const int last_column =
        static_cast<int>(std::floor((longitude + half_width + 1e-6 + 180) / kCellDegrees));
    column_count = std::min(kColumns, last_column - first_column + 1);
  }

  std::optional<std::uint32_t> best;
  double best_score = 0;
  for (int row = first_row; row <= last_row; ++row) {
    for (int k = 0; k < column_count; ++k) {
      // Columns past 180 degrees come round from -180.
      const int column = ((first_column + k) % kColumns + kColumns) % kColumns;
      const std::size_t cell = static_cast<std::size_t>(row) * kColumns + column;
      for (std::uint32_t i = cell_start_[cell]; i < cell_start_[cell + 1]; ++i) {
        const Point& p = points_[i];
        const double dx = p.x - x, dy = p.y - y, dz = p.z - z;
        const double chord_squared = dx * dx + dy * dy + dz * dz;
        if (chord_squared > kChordSquared) continue;
        const double score = 2 * std::asin(std::sqrt(chord_squared) / 2) / p.weight;
        if (!best || score < best_score ||
            (score == best_score && data_.places[i].population > data_.places[*best].population)) {
          best = i;
          best_score = score;
        }
      }
    }
  }
  return best;
}

QByteArrayView PlaceIndex::name(std::uint32_t place) const {
  return data_.text(data_.places[place].name);
}

QByteArrayView PlaceIndex::country(std::uint32_t place) const {
  return data_.text(data_.countries[data_.places[place].country]);
}

PlaceIndex read_place_index(const AnsiText& path) {
  const DataFile file = read_data_file(path);
  if (!file.failure.isEmpty()) throw AppError(file.failure);
  return PlaceIndex(parse_place_data(file.bytes));
}
