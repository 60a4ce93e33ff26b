#include "cli/positions_report.h"

#include "album/photo_intake.h"
#include "cli/console_output.h"
#include "cli/progress_line.h"

namespace {

std::string_view view_of(const AnsiText& text) {
  return {text.constData(), static_cast<std::size_t>(text.size())};
}

}  // namespace

std::int64_t write_positions(const QList<AnsiText>& photo_paths, std::FILE* out,
                             const TrackSet* tracks, const TimeOptions& time) {
  ProgressLine progress(photo_paths.size(), ProgressLine::wanted());
  PhotoIntakeHooks hooks;
  hooks.after_read = [&](qsizetype) { progress.advance(); };
  PhotoIntake intake(photo_paths, tracks, time, hooks);
  // The photos' times need all photos before the first one can be placed.
  intake.read_ahead();

  std::int64_t with_position = 0;
  std::string line;
  for (qsizetype i = 0; i < photo_paths.size(); ++i) {
    const PhotoIntakeOutcome photo = intake.take(i);
    line.clear();
    append_escaped_field(line, view_of(photo_paths[i]));
    line += '\t';
    line += std::to_string(read_code(photo.read));
    line += '\t';
    append_escaped_field(line, view_of(photo.position.latitude));
    line += '\t';
    append_escaped_field(line, view_of(photo.position.longitude));
    line += '\t';
    append_escaped_field(line, view_of(photo.position.date_time));

    // Counted as the album counts them (album/photo_intake.h).
    const bool shown = photo.source != PositionSource::none;
    if (tracks != nullptr) {
      const PhotoPosition album = photo.album_position();
      line += '\t';
      if (shown) append_escaped_field(line, view_of(album.latitude));
      line += '\t';
      if (shown) append_escaped_field(line, view_of(album.longitude));
      line += '\t';
      if (shown) line += photo.source == PositionSource::own ? "photo" : "track";
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), out);
    if (shown) ++with_position;
  }
  return with_position;
}
