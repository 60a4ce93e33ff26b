#include "album/photo_intake.h"

#include "album/photo_table.h"

namespace {

// The intake's rule for a photo's own position: decoded, other than "0", "0", and on Earth.
bool has_own_position(const PhotoIntakeOutcome& photo) {
  return photo.read == PhotoRead::decoded && has_position(photo.position) &&
         is_possible_position(photo.position);
}

// Only a photo decoded without a position is placed on the track.
bool wants_a_place(const PhotoIntakeOutcome& photo) {
  return photo.read == PhotoRead::decoded && !has_position(photo.position);
}

}  // namespace

PhotoIntake::PhotoIntake(const QList<AnsiText>& photos, const TrackSet* tracks,
                         const TimeOptions& time, const PhotoIntakeHooks& hooks)
    : photos_(photos),
      tracks_(tracks),
      time_(time),
      hooks_(hooks),
      reads_ahead_(tracks != nullptr && !tracks->segments.empty() && !photos.isEmpty()) {}

PhotoIntakeOutcome PhotoIntake::read_one(qsizetype index, bool keep_thumbnail_bytes) const {
  if (hooks_.before_read) hooks_.before_read(index);
  PhotoIntakeOutcome photo;
  photo.facts.keep_thumbnail_bytes = keep_thumbnail_bytes;
  photo.read = static_cast<PhotoRead>(read_photo_position(
      photo.position, photos_[index], hooks_.notes_facts ? &photo.facts : nullptr));
  if (hooks_.after_read) hooks_.after_read(index);
  if (has_own_position(photo)) photo.source = PositionSource::own;
  return photo;
}

const PhotoTimes* PhotoIntake::read_ahead() {
  if (!reads_ahead_) return nullptr;
  if (read_ahead_done_) return &step_.times;
  read_ahead_done_ = true;
  read_.reserve(static_cast<std::size_t>(photos_.size()));
  for (qsizetype i = 0; i < photos_.size(); ++i) read_.push_back(read_one(i, false));

  std::vector<PhotoPosition> positions;
  std::vector<char> to_place;
  positions.reserve(read_.size());
  to_place.reserve(read_.size());
  for (const PhotoIntakeOutcome& photo : read_) {
    positions.push_back(photo.position);
    to_place.push_back(wants_a_place(photo) ? 1 : 0);
  }
  step_ = place_photos_on_tracks(positions, to_place, *tracks_, time_);
  for (std::size_t i = 0; i < read_.size(); ++i) {
    if (!step_.placements[i]) continue;
    read_[i].placement = step_.placements[i];
    read_[i].source = PositionSource::track;
  }
  return &step_.times;
}

PhotoIntakeOutcome PhotoIntake::take(qsizetype index) {
  if (!reads_ahead_) {
    return read_one(index, hooks_.notes_facts && hooks_.keeps_thumbnail_bytes &&
                               hooks_.keeps_thumbnail_bytes());
  }
  read_ahead();
  // Each photo is taken once: its outcome moves out, and its thumbnail bytes with it.
  return std::move(read_[static_cast<std::size_t>(index)]);
}
