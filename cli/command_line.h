#pragma once
// The options of trailbook-album, read from its arguments.
#include <QStringList>
#include <cstdint>
#include <optional>

#include "text/text_types.h"

struct CommandLine {
  bool positions = false;       // print one line per photo instead of writing a page
  bool open_page = false;       // hand the written page to the desktop
  bool previews = true;         // write the folder of previews beside the page
  AnsiText template_file;       // empty: templates/template.html beside the program
  QList<AnsiText> photo_args;   // files and folders in the order given, as the system gave them
  QList<AnsiText> track_files;  // GPX files to place photos without a position on
  std::optional<std::int32_t> time_offset;  // seconds east of UTC for every photo
  std::int64_t clock_shift_seconds = 0;
  std::int64_t max_gap_seconds = 300;
};

// The outcome of reading the arguments: a command to run, or a text to print and an exit status
// (the help text with 0, a usage error with 2).
struct ParsedCommandLine {
  std::optional<CommandLine> command;
  WideText text;
  int exit_status = 0;
};

// `arguments` carry the bytes of the process's arguments one for one as Latin-1 characters
// (arguments_as_latin1), so that a file name that is no valid text keeps every byte.
ParsedCommandLine parse_command_line(const QStringList& arguments);

// The arguments of main(), each byte as the Latin-1 character of the same value.
QStringList arguments_as_latin1(int argc, char** argv);
