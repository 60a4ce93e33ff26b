#include "album/page/place_lists.h"

#include <QFileInfo>
#include <vector>

#include "album/page/script_string_escape.h"
#include "text/app_error.h"
#include "text/number_format.h"

namespace {

void append_quoted_utf8(AnsiText& list, QByteArrayView utf8) {
  list += '"';
  list += escape_for_script_string(to_ansi(QString::fromUtf8(utf8)));
  list += '"';
}

std::optional<std::uint32_t> place_of(const PhotoRow& row, const PlaceIndex& places) {
  try {
    return places.place_at(parse_number(to_wide(row.latitude)),
                           parse_number(to_wide(row.longitude)));
  } catch (const AppError&) {
    return std::nullopt;
  }
}

}  // namespace

AnsiText build_place_lists(std::span<const PhotoRow> rows, const PlaceIndex& places) {
  std::vector<std::int32_t> listed(places.size(), -1);  // each place's number in the list
  std::int32_t count = 0;
  AnsiText names = "[";
  AnsiText numbers = "[";
  for (const PhotoRow& row : rows) {
    if (numbers.size() > 1) numbers += ',';
    const std::optional<std::uint32_t> place = place_of(row, places);
    if (!place) {
      numbers += "null";
      continue;
    }
    std::int32_t& number = listed[*place];
    if (number < 0) {
      number = count++;
      if (number > 0) names += ',';
      names += '[';
      append_quoted_utf8(names, places.name(*place));
      names += ',';
      append_quoted_utf8(names, places.country(*place));
      names += ']';
    }
    numbers += AnsiText::number(number);
  }
  return count == 0 ? AnsiText() : names + "]," + numbers + ']';
}

AnsiText read_place_lists(std::span<const PhotoRow> rows, const AnsiText& places_file,
                          AlbumLog& log) {
  try {
    return build_place_lists(rows, read_place_index(places_file));
  } catch (const AppError& error) {
    log.append_line(QStringLiteral("No place names on the page: the place data \"%1\" cannot be "
                                   "read: %2.")
                        .arg(QFileInfo(to_wide(places_file)).absoluteFilePath(), error.message()));
    return {};
  }
}
