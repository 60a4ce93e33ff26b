#pragma once
// The --positions output: one tab-separated line per photo, without writing a page.
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "text/text_types.h"

// Reads each photo and writes "path, result, latitude, longitude, date-time" to `out`; the last
// three fields are empty unless the result is 1. Returns how many photos had a position as the
// album counts them (a result of 1, coordinates other than "0" and "0", within the Earth's
// ranges); the lines show what was read either way.
std::int64_t write_positions(const QList<AnsiText>& photo_paths, std::FILE* out);
