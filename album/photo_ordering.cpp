#include "album/photo_ordering.h"

#include <QHashFunctions>
#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

#include "text/number_format.h"

namespace {

constexpr double kNudgeStep = 0.00002;
constexpr int kSeparationPassLimit = 5;

// memcmp compares as unsigned char, so bytes above 127 sort after ASCII; a proper prefix
// comes first.
int compare_bytes(const AnsiText& a, const AnsiText& b) {
  const int common = std::memcmp(a.constData(), b.constData(),
                                 static_cast<std::size_t>(std::min(a.size(), b.size())));
  if (common != 0) return common;
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// Rows share a position when both short texts are equal byte for byte; short texts hold no
// comma, so this is the same as comparing the texts "latitude,longitude".
bool same_position(const PhotoRow& a, const PhotoRow& b) {
  return a.latitude_short == b.latitude_short && a.longitude_short == b.longitude_short;
}

// A row's place in the grouping of one pass: the hash of its short position and its index.
struct PositionSlot {
  std::size_t hash;
  std::int32_t index;
};

// Moves every member of a group but the first: odd members east, even members north.
bool nudge_group_members(std::span<PhotoRow> rows, std::span<const std::int32_t> members) {
  for (std::size_t k = 1; k < members.size(); ++k) {
    PhotoRow& row = rows[static_cast<std::size_t>(members[k])];
    const auto steps = static_cast<std::int32_t>(k);
    if (k % 2 == 1) {
      row.longitude_short = nudge_coordinate_text(row.longitude_short, steps);
    } else {
      row.latitude_short = nudge_coordinate_text(row.latitude_short, steps);
    }
  }
  return members.size() > 1;
}

// One pass: groups the rows by short position and moves every member but the first.
// Returns whether anything moved.
bool separate_once(std::span<PhotoRow> rows, std::vector<PositionSlot>& places) {
  // Sorting compact (hash, index) places groups equal positions without touching the texts
  // again, which keeps 100000 rows fast; within a group the indices stay ascending, so its
  // first member is the first in album order.
  places.resize(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    places[i] = {qHashMulti(0, rows[i].latitude_short, rows[i].longitude_short),
                 static_cast<std::int32_t>(i)};
  }
  std::sort(places.begin(), places.end(), [](const PositionSlot& a, const PositionSlot& b) {
    return a.hash != b.hash ? a.hash < b.hash : a.index < b.index;
  });

  // The groups of a pass are those of the positions at its start. A run of equal hashes is
  // nearly always one position; should two positions share a hash, the run is split, one
  // position at a time, before any row of the remaining positions moves.
  bool changed = false;
  std::vector<std::int32_t> members, group, others;
  for (std::size_t start = 0; start < places.size();) {
    std::size_t end = start + 1;
    while (end < places.size() && places[end].hash == places[start].hash) ++end;
    members.clear();
    for (std::size_t i = start; i < end; ++i) members.push_back(places[i].index);
    while (!members.empty()) {
      const PhotoRow& head = rows[static_cast<std::size_t>(members.front())];
      group.clear();
      others.clear();
      for (const std::int32_t i : members) {
        (same_position(rows[static_cast<std::size_t>(i)], head) ? group : others).push_back(i);
      }
      changed |= nudge_group_members(rows, group);
      members.swap(others);
    }
    start = end;
  }
  return changed;
}

}  // namespace

bool row_date_time_less(const PhotoRow& a, const PhotoRow& b) {
  return compare_bytes(a.date_time, b.date_time) < 0;
}

void sort_photo_rows(std::span<PhotoRow> rows) {
  // Stable, so a burst of photos taken within one second keeps the order they were given in;
  // merge sort is O(n log n) also in the worst case. Sorting indices and moving each row once
  // afterwards is cheaper than letting the sort move whole rows about.
  std::vector<std::uint32_t> order(rows.size());
  std::iota(order.begin(), order.end(), 0u);
  std::stable_sort(order.begin(), order.end(), [&rows](std::uint32_t a, std::uint32_t b) {
    return row_date_time_less(rows[a], rows[b]);
  });
  std::vector<PhotoRow> sorted;
  sorted.reserve(rows.size());
  for (const std::uint32_t i : order) sorted.push_back(std::move(rows[i]));
  std::move(sorted.begin(), sorted.end(), rows.begin());
}

void separate_shared_positions(std::span<PhotoRow> rows) {
  if (rows.size() < 2) return;
  std::vector<PositionSlot> places;
  for (int pass = 0; pass < kSeparationPassLimit; ++pass) {
    if (!separate_once(rows, places)) return;
  }
}

AnsiText nudge_coordinate_text(const AnsiText& text, std::int32_t k) {
  const double value = parse_number(to_wide(text));
  const long double sum =
      static_cast<long double>(k) * static_cast<long double>(kNudgeStep) + value;
  // A short text has five decimals, so the sum lies within rounding noise of a five-decimal
  // value, far from a half-way point: narrowing it to double cannot change the digits written.
  return to_ansi(format_five_decimals(static_cast<double>(sum)));
}
