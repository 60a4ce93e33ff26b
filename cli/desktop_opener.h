#pragma once
// Hands a file to the desktop's opener without waiting for it.
#include "text/text_types.h"

// Runs xdg-open (on Windows the shell's "open" verb), or the program named by TRAILBOOK_OPENER
// when that is set (tests use it to see what would have been opened). Returns false when the
// program cannot be started.
bool open_with_desktop(const WideText& file);

// The path as the desktop's opener is given it: the platform's separators (on Windows '\',
// which the shell needs for a local file), the file's own bytes on Linux.
WideText desktop_open_target(const WideText& file);
