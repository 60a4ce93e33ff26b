#pragma once
// Recorded tracks from GPX files (versions 1.0 and 1.1): the points with a time of every track
// segment, route and waypoint.
#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "album/album_log.h"
#include "text/text_types.h"

struct TrackPoint {
  std::int64_t time_ms = 0;  // UTC
  double latitude = 0.0;
  double longitude = 0.0;
};

// The points of one track segment or route in time order; a waypoint is a segment of one point.
using TrackSegment = std::vector<TrackPoint>;

struct GpxContent {
  std::vector<TrackSegment> segments;  // in the file's order, none empty
  std::int64_t points = 0;
  std::int64_t without_time = 0;  // points skipped for a missing or unreadable time
  WideText error;                 // "line 12: ..." when the file is no usable GPX; then no segments
};

// Reads a GPX document.
GpxContent read_gpx(const QByteArray& bytes);

// The tracks chosen for an album, from one or more files.
struct TrackSet {
  std::vector<TrackSegment> segments;
  QStringList files;  // the files read, as given
  std::int64_t points = 0;
};

// Reads each file (at most largest_data_file bytes, named by the file system's bytes) and logs
// what it holds, or why it is left out, naming the file and the line; the other files are read
// all the same.
TrackSet read_track_files(const QList<AnsiText>& paths, AlbumLog& log);
TrackSet read_track_files(const QStringList& paths, AlbumLog& log);
