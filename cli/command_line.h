#pragma once
// The options of trailbook-album, read from its arguments.
#include <QStringList>
#include <optional>

#include "text/text_types.h"

struct CommandLine {
  bool positions = false;  // print one line per photo instead of writing a page
  bool open_page = false;  // hand the written page to the desktop
  WideText template_file;  // empty: templates/template.html beside the program
  QStringList photo_args;  // files and folders in the order given
};

// The outcome of reading the arguments: a command to run, or a text to print and an exit status
// (the help text with 0, a usage error with 2).
struct ParsedCommandLine {
  std::optional<CommandLine> command;
  WideText text;
  int exit_status = 0;
};

ParsedCommandLine parse_command_line(const QStringList& arguments);
