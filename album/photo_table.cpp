#include "album/photo_table.h"

#include "text/number_format.h"

AnsiText format_short_coordinate(const AnsiText& coordinate) {
  return to_ansi(format_five_decimals(parse_number(to_wide(coordinate))));
}

PhotoRow make_photo_row(const AnsiText& file_name, const PhotoPosition& position) {
  return {file_name,          position.date_time,
          position.latitude,  format_short_coordinate(position.latitude),
          position.longitude, format_short_coordinate(position.longitude)};
}
