#pragma once
// The two things trailbook-album does; each returns the process's exit status.
#include "cli/command_line.h"

// Writes the album page of the photos, printing the log lines and the page's path last.
int run_album(const CommandLine& command);

// Prints the reader's results, one line per photo; writes no page.
int run_positions(const CommandLine& command);
