#include "cli/positions_report.h"

#include "album/photo_table.h"
#include "cli/console_output.h"
#include "cli/progress_line.h"
#include "exif/photo_position.h"

namespace {

std::string_view view_of(const AnsiText& text) {
  return {text.constData(), static_cast<std::size_t>(text.size())};
}

}  // namespace

std::int64_t write_positions(const QList<AnsiText>& photo_paths, std::FILE* out) {
  ProgressLine progress(photo_paths.size(), ProgressLine::wanted());
  std::int64_t with_position = 0;
  std::string line;
  for (const AnsiText& file_name : photo_paths) {
    PhotoPosition position;
    const int result = read_photo_position(position, file_name);

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
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), out);

    // Counted as the album counts them: a position other than "0", "0" that can be on Earth.
    if (result == 1 && !(position.latitude == "0" && position.longitude == "0") &&
        is_possible_position(position)) {
      ++with_position;
    }
    progress.advance();
  }
  return with_position;
}
