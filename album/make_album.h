#pragma once
// The album road: from a list of photo files to the album page beside the first of them.
#include <QDateTime>
#include <QList>
#include <cstdint>
#include <functional>
#include <vector>

#include "album/album_log.h"
#include "album/photo_intake.h"
#include "album/track/gpx_track.h"
#include "album/track/photo_clock.h"
#include "text/text_types.h"

// The most photos one album takes.
inline constexpr qsizetype max_album_photos = 100000;

// The text that refuses a larger selection.
WideText too_many_photos_message();

struct AlbumSettings {
  AnsiText
      template_file;  // the page template (the file system's bytes), filled afresh on every album
  // The local time that names the page; read once, when the run reaches its first photo.
  std::function<QDateTime()> clock;
  // Whether a folder of small previews goes beside the page (album/album_previews.h), when the
  // template shows them.
  bool previews = true;
  // Tracks to place the photos without a position on; none or an empty set: no track step.
  const TrackSet* tracks = nullptr;
  TimeOptions time{};  // how photo times are found, for the track step
  // The place data that names the photos' places, read for a template that shows them (the
  // front ends give places/places.dat beside the program).
  AnsiText places_file{};
};

// What became of one photo: the reader's result and whether it is on the page.
struct PhotoOutcome {
  PhotoRead read_result = PhotoRead::cannot_open;
  bool added = false;
  bool placed = false;  // on the page by a position from the track
};

struct AlbumResult {
  bool refused = false;  // more than max_album_photos: nothing was read
  AnsiText page_path;    // the page written; empty when there was none
  std::int32_t photos_added = 0;
  std::vector<PhotoOutcome> outcomes;  // one per photo, in the order given
};

// Logs a block per photo, orders the photos that have a position by time, moves apart those
// that share a spot and writes the page into the first photo's folder, then logs where.
// With tracks, all photos are read first, then a line tells how their times were found, and the
// blocks follow, with a line for each photo placed on the track.
// Paths are in the process code page. Throws AppError when the template cannot be read or the
// page cannot be written; the log then holds everything up to that point.
AlbumResult make_album(const QList<AnsiText>& photos, const AlbumSettings& settings, AlbumLog& log);
