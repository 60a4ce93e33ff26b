#pragma once
// The --positions output: one tab-separated line per photo, without writing a page.
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "text/text_types.h"

// Appends `field` with tab, line feed, carriage return and backslash written as \t, \n, \r
// and \\, so every line stays one line of five fields whatever a file name or a camera holds.
void append_escaped_field(std::string& line, std::string_view field);

// Reads each photo and writes "path, result, latitude, longitude, date-time" to `out`; the last
// three fields are empty unless the result is 1. Returns how many photos had a position (a
// result of 1 and coordinates other than "0" and "0", as the album counts them).
std::int64_t write_positions(const QStringList& photo_paths, std::FILE* out);
