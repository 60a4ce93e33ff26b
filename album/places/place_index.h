#pragma once
// The places a photo can be named after, found by position through a grid of quarter-degree
// cells.
#include <QByteArrayView>
#include <cstdint>
#include <optional>
#include <vector>

#include "album/places/place_data.h"
#include "text/text_types.h"

// No photo is named after a place farther than this.
inline constexpr double place_reach_km = 25.0;

class PlaceIndex {
 public:
  explicit PlaceIndex(PlaceData data);

  // The place a photo at this position (degrees) is named after: of the places within
  // place_reach_km, the one of the least distance divided by
  //   1 + 0.15 * log10(population / 1000), the logarithm held within 0 .. 3,
  // so that a town ten times as large wins when it is at most 15 % farther, and a city of a
  // million or more when it is at most 45 % farther; a place much nearer wins whatever its size.
  // Equal scores go to the larger place. None beyond the reach, at sea, or for a position that
  // is no place on Earth.
  std::optional<std::uint32_t> place_at(double latitude, double longitude) const;

  std::uint32_t size() const { return static_cast<std::uint32_t>(data_.places.size()); }
  // The place's name and its country's name, in UTF-8.
  QByteArrayView name(std::uint32_t place) const;
  QByteArrayView country(std::uint32_t place) const;
  std::uint32_t population(std::uint32_t place) const { return data_.places[place].population; }

 private:
  struct Point {
    double x, y, z;  // on the unit sphere
    double weight;   // what the place's distance is divided by
  };
  PlaceData data_;                         // its places ordered by cell, row after row
  std::vector<Point> points_;              // the same order
  std::vector<std::uint32_t> cell_start_;  // cell c holds places cell_start_[c] .. [c + 1] - 1
};

// The index of the place data file at `path`. Throws AppError saying why it cannot be read.
PlaceIndex read_place_index(const AnsiText& path);
