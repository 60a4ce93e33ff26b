#include "album/photo_table.h"

#include <vector>

#include "text/number_format.h"

std::span<PhotoRow> photo_table() {
  // Allocated once and kept until the program ends; runs reuse it from row 0.
  static std::vector<PhotoRow> table(kPhotoTableCapacity);
  return table;
}

AnsiText format_short_coordinate(const AnsiText& coordinate) {
  return to_ansi(format_five_decimals(parse_number(to_wide(coordinate))));
}

void fill_photo_row(std::span<PhotoRow> table, std::int32_t& row_count, const AnsiText& file_name,
                    const PhotoPosition& position) {
  PhotoRow& row = table[static_cast<std::size_t>(row_count)];
  row.file_name = file_name;
  row.date_time = position.date_time;
  row.latitude = position.latitude;
  row.longitude = position.longitude;
  row.latitude_short = format_short_coordinate(position.latitude);
  row.longitude_short = format_short_coordinate(position.longitude);
  // Raised last: a coordinate that fails to parse leaves the row outside the run.
  ++row_count;
}
