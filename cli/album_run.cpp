#include "cli/album_run.h"

#include <QDir>
#include <cstdio>

#include "album/add_photos.h"
#include "app/program_path.h"
#include "cli/console_host.h"
#include "cli/console_output.h"
#include "cli/desktop_opener.h"
#include "cli/exit_status.h"
#include "cli/photo_arguments.h"
#include "cli/positions_report.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// The open dialog hands the command full paths; the page goes into the first one's folder.
WideText absolute_path(const WideText& path) {
  if (path.isEmpty()) return path;
  return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

int output_status(int status) {
  if (finish_output()) return status;
  write_error_line(u"Cannot write to standard output."_s);
  return exit_usage_or_error;
}

}  // namespace

int run_album(const CommandLine& command) {
  QStringList paths = expand_photo_arguments(command.photo_args);
  if (paths.isEmpty()) {
    write_error_line(u"No photo files found."_s);
    return exit_no_position;
  }
  for (WideText& path : paths) path = absolute_path(path);
  template_path = to_ansi(command.template_file.isEmpty()
                              ? program_data_path(QStringLiteral("templates/template.html"))
                              : absolute_path(command.template_file));

  std::function<void(const WideText&)> opener;
  if (command.open_page) {
    opener = [](const WideText& page) {
      if (!open_with_desktop(page)) write_error_line(u"Cannot start the desktop's opener."_s);
    };
  }
  ConsoleHost host(std::move(paths), std::move(opener));
  const std::int32_t photos_in_page = add_photos(host);
  if (host.message_shown()) return output_status(exit_usage_or_error);
  if (photos_in_page == 0) return output_status(exit_no_position);
  // The log ends with the page's path; say it last in any case, for scripts that take it.
  if (host.last_log_line() != host.opened_page()) write_output_line(host.opened_page());
  return output_status(exit_success);
}

int run_positions(const CommandLine& command) {
  const QStringList paths = expand_photo_arguments(command.photo_args);
  if (paths.isEmpty()) {
    write_error_line(u"No photo files found."_s);
    return exit_no_position;
  }
  // One large buffer instead of a write per line keeps tens of thousands of lines cheap.
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  const std::int64_t with_position = write_positions(paths, stdout);
  return output_status(with_position > 0 ? exit_success : exit_no_position);
}
