// The photo intake: what becomes of each photo, with a track and without.
#include "album/photo_intake.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "album/track/track_time.h"
#include "album_test_support.h"
#include "fixture_photos.h"

namespace {

constexpr std::int64_t june_4_2024_8h = 19878 * ms_per_day + 8 * 3600 * ms_per_second;

TEST(PhotoIntake, GivesEachPhotoItsReadAndTheSourceOfItsPosition) {
  QTemporaryDir dir;
  write_gps_photo(dir.filePath("own.jpg"), {'N', 48, 0, 0}, {'E', 2, 0, 0}, "2024:06:04 10:00:00");
  write_photo_without_gps(dir.filePath("on track.jpg"), "2024:06:04 10:05:00");
  write_photo_without_gps(dir.filePath("off track.jpg"), "2024:06:04 12:00:00");
  write_gps_photo(dir.filePath("impossible.jpg"), {'N', 95, 0, 0}, {'E', 2, 0, 0},
                  "2024:06:04 10:05:00");
  write_plain_file(dir.filePath("text.jpg"), "no photo");
  TrackSet tracks;
  tracks.segments = {{{june_4_2024_8h, 48.0, 2.0}, {june_4_2024_8h + 600000, 48.1, 2.2}}};
  TimeOptions time;
  time.offset = 7200;  // 10:05 there is 08:05 UTC, on the track

  const struct {
    const char* photo;
    PhotoRead read;
    PositionSource without_track;
    PositionSource with_track;
  } cases[] = {
      {"own.jpg", PhotoRead::decoded, PositionSource::own, PositionSource::own},
      {"on track.jpg", PhotoRead::decoded, PositionSource::none, PositionSource::track},
      {"off track.jpg", PhotoRead::decoded, PositionSource::none, PositionSource::none},
      {"impossible.jpg", PhotoRead::decoded, PositionSource::none, PositionSource::none},
      {"gone.jpg", PhotoRead::cannot_open, PositionSource::none, PositionSource::none},
      {"text.jpg", PhotoRead::no_exif, PositionSource::none, PositionSource::none},
  };
  QList<AnsiText> photos;
  for (const auto& c : cases) photos.append(to_ansi(dir.filePath(c.photo)));

  const TrackSet* const no_track_then_track[] = {nullptr, &tracks};
  for (const TrackSet* track : no_track_then_track) {
    QStringList events;
    PhotoIntakeHooks hooks;
    hooks.before_read = [&](qsizetype i) { events.append("read " + QString::number(i)); };
    hooks.notes_facts = true;
    PhotoIntake intake(photos, track, time, hooks);
    EXPECT_EQ(intake.reads_ahead(), track != nullptr);
    EXPECT_EQ(intake.read_ahead() != nullptr, track != nullptr);
    for (qsizetype i = 0; i < photos.size(); ++i) {
      const auto& c = cases[i];
      const PhotoIntakeOutcome photo = intake.take(i);
      events.append("take " + QString::number(i));
      EXPECT_EQ(photo.read, c.read) << c.photo;
      EXPECT_EQ(photo.source, track ? c.with_track : c.without_track) << c.photo;
      EXPECT_EQ(photo.placement.has_value(), photo.source == PositionSource::track) << c.photo;
      EXPECT_EQ(photo.facts.size >= 0, c.read != PhotoRead::cannot_open) << c.photo;
      if (photo.source == PositionSource::track) {
        EXPECT_EQ(photo.position.latitude, "0");  // as read; the album's is the placed one
        EXPECT_EQ(photo.album_position().latitude, "48.05");
      }
    }
    // With a track every photo is read before the first is taken; without, each when taken.
    QStringList expected;
    for (int i = 0; i < photos.size(); ++i) {
      expected.append("read " + QString::number(i));
      if (!track) expected.append("take " + QString::number(i));
    }
    if (track) {
      for (int i = 0; i < photos.size(); ++i) expected.append("take " + QString::number(i));
    }
    EXPECT_EQ(events, expected);
  }
}

}  // namespace
