#include "album/photo_ordering.h"

#include <QHash>
#include <algorithm>
#include <cstring>
#include <vector>

#include "text/number_format.h"

namespace {

constexpr double kNudgeStep = 0.00002;
constexpr int kSeparationPassLimit = 5;

AnsiText position_key(const PhotoRow& row) {
  AnsiText key;
  key.reserve(row.latitude_short.size() + 1 + row.longitude_short.size());
  key += row.latitude_short;
  key += ',';
  key += row.longitude_short;
  return key;
}

// One pass: groups the rows by short position and moves every member but the first.
// Returns whether anything moved.
bool separate_once(std::span<PhotoRow> rows) {
  // Row indices per position, ascending because rows are visited from 0 upwards.
  QHash<AnsiText, std::vector<std::int32_t>> groups;
  groups.reserve(static_cast<qsizetype>(rows.size()));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    groups[position_key(rows[i])].push_back(static_cast<std::int32_t>(i));
  }
  // All keys are taken before any text changes, and the groups are disjoint, so the order in
  // which they are visited does not matter.
  bool changed = false;
  for (const std::vector<std::int32_t>& members : std::as_const(groups)) {
    for (std::size_t k = 1; k < members.size(); ++k) {
      PhotoRow& row = rows[static_cast<std::size_t>(members[k])];
      const auto steps = static_cast<std::int32_t>(k);
      if (k % 2 == 1) {
        row.longitude_short = nudge_coordinate_text(row.longitude_short, steps);
      } else {
        row.latitude_short = nudge_coordinate_text(row.latitude_short, steps);
      }
      changed = true;
    }
  }
  return changed;
}

}  // namespace

bool row_date_time_less(const PhotoRow& a, const PhotoRow& b) {
  const AnsiText& x = a.date_time;
  const AnsiText& y = b.date_time;
  // memcmp compares as unsigned char, so bytes above 127 sort after ASCII.
  const int common = std::memcmp(x.constData(), y.constData(),
                                 static_cast<std::size_t>(std::min(x.size(), y.size())));
  return common != 0 ? common < 0 : x.size() < y.size();
}

void sort_photo_rows(std::span<PhotoRow> table, std::int32_t row_count) {
  // std::sort is introsort: quicksort with a depth bound and a heap-sort fallback.
  const auto rows = table.first(static_cast<std::size_t>(row_count));
  std::sort(rows.begin(), rows.end(), row_date_time_less);
}

void separate_shared_positions(std::span<PhotoRow> table, std::int32_t row_count) {
  if (row_count < 2) return;
  const auto rows = table.first(static_cast<std::size_t>(row_count));
  for (int pass = 0; pass < kSeparationPassLimit; ++pass) {
    if (!separate_once(rows)) return;
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
