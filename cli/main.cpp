// trailbook-album: the add-photos command without the window, for scripts and servers.
#include <QCoreApplication>
#include <cstdio>
#include <exception>
#include <new>

#include "cli/album_run.h"
#include "cli/command_line.h"
#include "cli/console_output.h"
#include "cli/exit_status.h"
#include "text/app_error.h"

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName(u"trailbook-album"_s);
  QCoreApplication::setApplicationVersion(QStringLiteral(TRAILBOOK_VERSION));

  const ParsedCommandLine parsed = parse_command_line(arguments_as_latin1(argc, argv));
  if (!parsed.command) {
    const AnsiText text = to_ansi(parsed.text);
    if (parsed.exit_status == exit_success) {
      // Help or version: only a success when it reached its reader.
      std::fputs(text.constData(), stdout);
      if (!finish_output()) {
        write_error_line(u"Cannot write to standard output."_s);
        return exit_usage_or_error;
      }
    } else {
      std::fprintf(stderr, "trailbook-album: %s\n", text.constData());
    }
    return parsed.exit_status;
  }

  try {
    return parsed.command->positions ? run_positions(*parsed.command) : run_album(*parsed.command);
  } catch (const AppError& error) {
    write_error_line(error.message());
  } catch (const std::bad_alloc&) {
    write_error_line(u"Out of memory."_s);
  } catch (const std::exception& error) {
    write_error_line(QString::fromUtf8(error.what()));
  }
  return exit_usage_or_error;
}
