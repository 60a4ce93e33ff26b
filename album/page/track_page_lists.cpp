#include "album/page/track_page_lists.h"

#include <algorithm>

#include "album/track/track_time.h"
#include "text/number_format.h"
#include "text/text_ops.h"

namespace {

struct Piece {
  AnsiText day;
  AnsiText points;  // [lat,lng],[lat,lng]
  qsizetype count = 0;
};

void close_piece(AnsiText& out, Piece& piece) {
  if (piece.count >= 2) {
    if (!out.isEmpty()) out += ',';
    out += "{\"day\":\"" + piece.day + "\",\"points\":[" + piece.points + "]}";
  }
  piece = Piece{};
}

}  // namespace

AnsiText build_track_pieces(const std::vector<TrackSegment>& segments,
                            const std::function<std::int32_t(std::int64_t utc_ms)>& day_offset) {
  std::vector<const TrackSegment*> ordered;
  for (const TrackSegment& segment : segments) {
    if (!segment.empty()) ordered.push_back(&segment);
  }
  std::stable_sort(ordered.begin(), ordered.end(), [](const auto* a, const auto* b) {
    return a->front().time_ms < b->front().time_ms;
  });

  AnsiText out;
  for (const TrackSegment* segment : ordered) {
    Piece piece;
    AnsiText last_point;
    for (const TrackPoint& point : *segment) {
      const AnsiText day =
          format_day(point.time_ms + std::int64_t{day_offset(point.time_ms)} * ms_per_second);
      if (day != piece.day) {
        close_piece(out, piece);
        piece.day = day;
        last_point.clear();
      }
      const AnsiText text = '[' + to_ansi(format_five_decimals(point.latitude)) + ',' +
                            to_ansi(format_five_decimals(point.longitude)) + ']';
      if (text == last_point) continue;
      if (piece.count > 0) piece.points += ',';
      piece.points += text;
      ++piece.count;
      last_point = text;
    }
    close_piece(out, piece);
  }
  return out;
}

AnsiText build_position_sources(std::span<const PhotoRow> rows) {
  AnsiText out;
  for (const PhotoRow& row : rows) {
    if (!out.isEmpty()) out += ',';
    out += row.seconds_from_track < 0
               ? AnsiText("null")
               : "{\"track\":" + AnsiText::number(row.seconds_from_track) + '}';
  }
  return out;
}
