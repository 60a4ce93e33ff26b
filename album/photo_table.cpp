#include "album/photo_table.h"

#include <cmath>

#include "text/app_error.h"
#include "text/number_format.h"
#include "text/text_ops.h"

AnsiText format_short_coordinate(const AnsiText& coordinate) {
  return to_ansi(format_five_decimals(parse_number(to_wide(coordinate))));
}

bool has_position(const PhotoPosition& position) {
  return position.latitude != "0" || position.longitude != "0";
}

bool is_possible_position(const PhotoPosition& position) {
  try {
    const double latitude = parse_number(to_wide(position.latitude));
    const double longitude = parse_number(to_wide(position.longitude));
    return std::isfinite(latitude) && std::isfinite(longitude) && std::fabs(latitude) <= 90 &&
           std::fabs(longitude) <= 180;
  } catch (const AppError&) {
    return false;  // "NAN", "INF": no number at all
  }
}

PhotoRow make_photo_row(const AnsiText& path, const PhotoPosition& position) {
  PhotoRow row;
  row.file_name = ansi_name_of(path);
  row.date_time = position.date_time;
  row.latitude = position.latitude;
  row.latitude_short = format_short_coordinate(position.latitude);
  row.longitude = position.longitude;
  row.longitude_short = format_short_coordinate(position.longitude);
  row.path = path;
  return row;
}
