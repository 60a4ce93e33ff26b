#pragma once
// The --positions output: one tab-separated line per photo, without writing a page.
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "album/track/gpx_track.h"
#include "album/track/photo_clock.h"
#include "text/text_types.h"

// Reads each photo and writes "path, result, latitude, longitude, date-time" to `out`; the last
// three fields are empty unless the result is 1. Returns how many photos had a position as the
// album counts them (a result of 1, coordinates other than "0" and "0", within the Earth's
// ranges); the lines show what was read either way.
// With `tracks`, all photos are read first, and each line gains three fields: the position the
// album gives the photo (its own or one from the track) and where it came from ("photo",
// "track"), all three empty for a photo without one; photos placed on the track count as having
// a position.
std::int64_t write_positions(const QList<AnsiText>& photo_paths, std::FILE* out,
                             const TrackSet* tracks = nullptr, const TimeOptions& time = {});
