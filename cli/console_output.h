#pragma once
// Lines for standard output and standard error, in the local 8-bit encoding, LF-terminated. A
// tab, line feed, carriage return or backslash inside a line is written as \t, \n, \r or \\, and
// any other control character as \xNN, so a name or a camera's text can never break a line in
// two, forge one or drive the terminal. On Windows a backslash is the separator of every path
// and no name holds one: it is written as it is there.
#include <string>
#include <string_view>

#include "text/text_types.h"

// Appends `field` with tab, line feed, carriage return and backslash written as \t, \n, \r
// and \\, and the other control characters as \xNN.
void append_escaped_field(std::string& line, std::string_view field);

// Whether a backslash is escaped: the platform's part (photo_files_posix.cpp,
// photo_files_windows.cpp).
extern const bool escapes_backslash;

void write_output_line(const WideText& line);
// "trailbook-album: " and the text.
void write_error_line(const WideText& text);
// A line of its own on standard error, without the program's name: what a later step says.
void write_note_line(const WideText& text);
// Flushes standard output; false when something written to it was lost (disk full, closed).
bool finish_output();
