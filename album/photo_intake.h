#pragma once
// The photo intake of an album and of --positions: each photo read once, and what the album
// makes of it: its own position, one placed on a track, or none.
#include <QList>
#include <functional>
#include <optional>
#include <vector>

#include "album/track/gpx_track.h"
#include "album/track/photo_clock.h"
#include "album/track/track_step.h"
#include "exif/photo_position.h"
#include "text/text_types.h"

// The result of reading a photo, by the numbers read_photo_position gives (exif/photo_position.h)
// and the log and --positions show.
enum class PhotoRead {
  decoded = 1,       // EXIF decoded; a photo without GPS has "0", "0"
  cannot_open = -1,  // the file cannot be opened for reading
  cannot_read = -2,  // the file cannot be read whole, or its values lie too far apart
  no_exif = -3,      // not a photo with a decodable EXIF block
};

inline int read_code(PhotoRead read) {
  return static_cast<int>(read);
}

// Where the position the album gives a photo comes from.
enum class PositionSource {
  own,    // decoded, with a position other than "0", "0" that can be on Earth
  track,  // decoded without a position, and placed on the track by its time
  none,   // not on the page
};

// What the intake made of one photo.
struct PhotoIntakeOutcome {
  PhotoRead read = PhotoRead::cannot_open;
  PhotoPosition position;  // as read (written only when decoded)
  PositionSource source = PositionSource::none;
  std::optional<TrackPlacement> placement;  // with the source track
  PhotoFileFacts facts;                     // when the intake notes them

  // The position the album gives the photo: its own, or the one placed on the track.
  PhotoPosition album_position() const {
    return placement ? placed_position(position, *placement) : position;
  }
};

// The caller's part around each read.
struct PhotoIntakeHooks {
  std::function<void(qsizetype index)> before_read;  // right before photo `index` is read
  std::function<void(qsizetype index)> after_read;   // right after
  // Whether the reads note what they learn of the file (the outcome's facts), and, asked before
  // each read of a photo taken in as it comes (no track), whether it also keeps the thumbnail's
  // bytes. Photos read ahead never keep them: every photo's would be held at once.
  bool notes_facts = false;
  std::function<bool()> keeps_thumbnail_bytes;
};

// Takes the photos in, in the order given. With a track (a set with segments), all photos are
// read first, so that the placing sees every photo's time; otherwise each is read when it is
// taken, so that a log can show each photo as it is read.
class PhotoIntake {
 public:
  // `tracks` none or without segments: no track. `photos`, `tracks` and `hooks` must outlive the
  // intake.
  PhotoIntake(const QList<AnsiText>& photos, const TrackSet* tracks, const TimeOptions& time,
              const PhotoIntakeHooks& hooks);

  // Whether the photos are read ahead, before the first is taken: with a track and photos.
  bool reads_ahead() const { return reads_ahead_; }

  // With a track: reads every photo now (once) and places those decoded without a position on
  // the track, and returns the photos' times (the rule line of the log, the offset of the page's
  // days). Without one: none.
  const PhotoTimes* read_ahead();

  // The outcome of photo `index`, photos taken in order, each once: read now, or by read_ahead.
  PhotoIntakeOutcome take(qsizetype index);

 private:
  PhotoIntakeOutcome read_one(qsizetype index, bool keep_thumbnail_bytes) const;

  const QList<AnsiText>& photos_;
  const TrackSet* tracks_;
  TimeOptions time_;
  const PhotoIntakeHooks& hooks_;
  bool reads_ahead_;
  bool read_ahead_done_ = false;
  std::vector<PhotoIntakeOutcome> read_;  // the photos read ahead
  TrackStep step_;
};
