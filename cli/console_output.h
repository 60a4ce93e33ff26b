#pragma once
// Lines for standard output and standard error, in the local 8-bit encoding, LF-terminated.
#include "text/text_types.h"

void write_output_line(const WideText& line);
// "trailbook-album: " and the text.
void write_error_line(const WideText& text);
// Flushes standard output; false when something written to it was lost (disk full, closed).
bool finish_output();
