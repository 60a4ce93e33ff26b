#include "cli/album_run.h"

#include <QDir>
#include <cstdio>

#include "album/make_album.h"
#include "album/program_path.h"
#include "album/track/gpx_track.h"
#include "cli/console_log.h"
#include "cli/console_output.h"
#include "cli/desktop_opener.h"
#include "cli/exit_status.h"
#include "cli/photo_arguments.h"
#include "cli/positions_report.h"
#include "text/text_ops.h"

using namespace Qt::Literals::StringLiterals;

namespace {

TimeOptions time_options(const CommandLine& command) {
  TimeOptions time;
  time.offset = command.time_offset;
  time.clock_shift_seconds = command.clock_shift_seconds;
  time.max_gap_seconds = command.max_gap_seconds;
  return time;
}

// Track lines on standard error, so that --positions keeps one line per photo on its output.
class ErrorLog : public AlbumLog {
 public:
  void append_line(const WideText& line) override { write_error_line(line); }
};

int output_status(int status) {
  if (finish_output()) return status;
  write_error_line(u"Cannot write to standard output."_s);
  return exit_usage_or_error;
}

}  // namespace

int run_album(const CommandLine& command) {
  QList<AnsiText> photos = expand_photo_arguments(command.photo_args);
  if (photos.isEmpty()) {
    write_error_line(u"No photo files found."_s);
    return exit_no_position;
  }
  // The open dialog hands the command full paths; the page goes into the first one's folder.
  for (AnsiText& photo : photos) photo = absolute_photo_path(photo);
  AlbumSettings settings{command.template_file.isEmpty()
                             ? to_ansi(default_template_file())
                             : absolute_photo_path(command.template_file),
                         current_local_time, command.previews, nullptr, time_options(command)};
  settings.places_file = to_ansi(default_places_file());

  ConsoleLog log(photos.size());
  TrackSet tracks;
  if (!command.track_files.isEmpty()) {
    tracks = read_track_files(command.track_files, log);
    settings.tracks = &tracks;
  }
  const AlbumResult result = make_album(photos, settings, log);
  log.finish();
  if (result.refused) {
    write_error_line(too_many_photos_message());
    return output_status(exit_usage_or_error);
  }
  if (result.page_path.isEmpty()) return output_status(exit_no_position);
  // The log's last line is the page's path.
  if (command.open_page && !open_with_desktop(to_wide(result.page_path))) {
    write_error_line(u"Cannot start the desktop's opener."_s);
  }
  return output_status(exit_success);
}

int run_positions(const CommandLine& command) {
  const QList<AnsiText> paths = expand_photo_arguments(command.photo_args);
  if (paths.isEmpty()) {
    write_error_line(u"No photo files found."_s);
    return exit_no_position;
  }
  // One large buffer instead of a write per line keeps tens of thousands of lines cheap.
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  TrackSet tracks;
  if (!command.track_files.isEmpty()) {
    ErrorLog log;
    tracks = read_track_files(command.track_files, log);
  }
  const std::int64_t with_position = write_positions(
      paths, stdout, command.track_files.isEmpty() ? nullptr : &tracks, time_options(command));
  return output_status(with_position > 0 ? exit_success : exit_no_position);
}
