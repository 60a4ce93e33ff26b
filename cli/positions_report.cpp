#include "cli/positions_report.h"

#include "album/photo_table.h"
#include "album/track/track_step.h"
#include "cli/console_output.h"
#include "cli/progress_line.h"
#include "exif/photo_position.h"

namespace {

std::string_view view_of(const AnsiText& text) {
  return {text.constData(), static_cast<std::size_t>(text.size())};
}

}  // namespace

std::int64_t write_positions(const QList<AnsiText>& photo_paths, std::FILE* out,
                             const TrackSet* tracks, const TimeOptions& time) {
  ProgressLine progress(photo_paths.size(), ProgressLine::wanted());
  const bool with_track = tracks != nullptr;
  std::vector<PhotoPosition> positions;
  std::vector<int> results;
  if (with_track) {
    // The photos' times need all photos before the first one can be placed.
    positions.resize(static_cast<std::size_t>(photo_paths.size()));
    results.resize(positions.size());
    for (std::size_t i = 0; i < positions.size(); ++i) {
      results[i] = read_photo_position(positions[i], photo_paths[static_cast<qsizetype>(i)]);
      progress.advance();
    }
  }
  const TrackStep step =
      with_track ? place_photos_on_tracks(positions, results, *tracks, time) : TrackStep{};

  std::int64_t with_position = 0;
  std::string line;
  for (qsizetype i = 0; i < photo_paths.size(); ++i) {
    const AnsiText& file_name = photo_paths[i];
    PhotoPosition position;
    const int result = with_track ? results[static_cast<std::size_t>(i)]
                                  : read_photo_position(position, file_name);
    if (with_track) position = positions[static_cast<std::size_t>(i)];

    line.clear();
    append_escaped_field(line, view_of(file_name));
    line += '\t';
    line += std::to_string(result);
    line += '\t';
    append_escaped_field(line, view_of(position.latitude));
    line += '\t';
    append_escaped_field(line, view_of(position.longitude));
    line += '\t';
    append_escaped_field(line, view_of(position.date_time));

    // Counted as the album counts them: a position other than "0", "0" that can be on Earth.
    const bool own = result == 1 && has_position(position) && is_possible_position(position);
    if (with_track) {
      const std::optional<TrackPlacement>& placed = step.placements[static_cast<std::size_t>(i)];
      const PhotoPosition album = placed ? placed_position(position, *placed) : position;
      const bool shown = own || placed;
      line += '\t';
      if (shown) append_escaped_field(line, view_of(album.latitude));
      line += '\t';
      if (shown) append_escaped_field(line, view_of(album.longitude));
      line += '\t';
      if (shown) line += own ? "photo" : "track";
      if (placed) ++with_position;
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), out);
    if (own) ++with_position;
    if (!with_track) progress.advance();
  }
  return with_position;
}
