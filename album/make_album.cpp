#include "album/make_album.h"

#include <exception>

#include "album/album_log_texts.h"
#include "album/page/album_page.h"
#include "album/page/track_page_lists.h"
#include "album/photo_ordering.h"
#include "album/photo_table.h"
#include "album/previews/album_previews.h"
#include "album/track/track_step.h"
#include "album/track/track_time.h"
#include "exif/photo_position.h"
#include "text/app_error.h"
#include "text/text_ops.h"

namespace {

// U+FFFD in UTF-8: what a name that is no valid text shows once it has passed through text.
constexpr char replacement_character[] = "\xEF\xBF\xBD";

// The log line for the result of reading one photo.
WideText read_result_line(int result, const PhotoPosition& position) {
  switch (result) {
    case 1:
      if (!has_position(position)) return QStringLiteral("Latitude and longitude not found! ");
      if (!is_possible_position(position)) {
        return to_wide("Impossible position, left out: latitude=" + position.latitude +
                       ", longitude=" + position.longitude +
                       " (a latitude lies within -90 and 90, a longitude within -180 and 180)");
      }
      return to_wide("latitude=" + position.latitude + ", longitude=" + position.longitude +
                     ", DateTime=" + position.date_time + ", OK!");
    case -1:
      return QStringLiteral("Open file failed. failed code=") + format_int(result);
    case -2:
      return QStringLiteral("Read file failed. failed code=") + format_int(result);
    default:
      return QStringLiteral("Parsing exif failed. failed code=") + format_int(result);
  }
}

// The template's text, read once for the preview step and the page; none when it cannot be read
// (the page writer reads it again and says why).
std::optional<AnsiText> try_read_template(const AnsiText& template_file) {
  try {
    return read_album_template(template_file);
  } catch (const AppError&) {
    return std::nullopt;
  }
}

// The photos read ahead of their blocks, when the album has a track: the photos' times need
// all of them before the first one can be placed.
struct PhotosReadAhead {
  std::vector<PhotoPosition> positions;
  std::vector<PhotoFileFacts> facts;
  std::vector<int> read_results;
  TrackStep step;
};

PhotosReadAhead read_all_photos(const QList<AnsiText>& photos, const TrackSet& tracks,
                                const TimeOptions& options, AlbumLog& log) {
  const qsizetype count = photos.size();
  PhotosReadAhead read;
  read.positions.resize(static_cast<std::size_t>(count));
  read.facts.resize(static_cast<std::size_t>(count));
  read.read_results.resize(static_cast<std::size_t>(count));
  for (qsizetype i = 0; i < count; ++i) {
    log.photo_started(i, count);
    const auto k = static_cast<std::size_t>(i);
    read.read_results[k] = read_photo_position(read.positions[k], photos[i], &read.facts[k]);
  }
  read.step = place_photos_on_tracks(read.positions, read.read_results, tracks, options);
  log.append_line(QStringLiteral("Track: %1 points from %2 file(s). ")
                      .arg(tracks.points)
                      .arg(tracks.files.size()) +
                  read.step.times.rule_line);
  log.append_line(WideText());
  return read;
}

// Lines written on another thread, for the log once the work is done.
struct KeptLines : AlbumLog {
  void append_line(const WideText& line) override { lines.append(line); }
  QStringList lines;
};

}  // namespace

WideText too_many_photos_message() {
  return QStringLiteral("You select too many files! The max files count is ") +
         format_int(static_cast<std::int32_t>(max_album_photos)) + u'.';
}

AlbumResult make_album(const QList<AnsiText>& photos, const AlbumSettings& settings,
                       AlbumLog& log) {
  AlbumResult result;
  log.append_line(QStringLiteral("Begin to add photos..."));
  log.append_line(log_separator_line());
  log.append_line(WideText());
  const qsizetype count = photos.size();
  if (count > max_album_photos) {
    result.refused = true;
    return result;
  }

  AnsiText page_path;
  std::vector<PhotoRow> rows;
  rows.reserve(static_cast<std::size_t>(count));
  result.outcomes.reserve(static_cast<std::size_t>(count));
  const auto name_page = [&] {
    // The page goes beside the first photo, named after the time the run reached it.
    page_path = ansi_folder_of(photos[0]) + to_ansi(format_timestamp(settings.clock())) + ".html";
  };
  const std::optional<AnsiText> template_text =
      count > 0 ? try_read_template(settings.template_file) : std::nullopt;
  // Previews are made while the photos are read, and only for a template that shows them: one
  // without their placeholder (or one the page writer refuses) gets the page and the log it had
  // before previews existed, and no folder beside the page.
  std::optional<AlbumPreviewStep> previews;
  if (settings.previews && template_text && template_uses_previews(*template_text)) {
    previews.emplace(page_path);
  }
  const bool with_track = settings.tracks != nullptr && !settings.tracks->segments.empty();
  std::optional<PhotosReadAhead> track;
  if (with_track && count > 0) {
    name_page();
    track.emplace(read_all_photos(photos, *settings.tracks, settings.time, log));
  }
  for (qsizetype i = 0; i < count; ++i) {
    const AnsiText& full_path = photos[i];
    log.append_line(QStringLiteral("#") + format_int(static_cast<std::int32_t>(i + 1)) +
                    QStringLiteral(": ") + to_wide(ansi_name_of(full_path)));
    PhotoPosition position;
    PhotoFileFacts facts;
    int read_result = 0;
    if (track) {
      position = track->positions[static_cast<std::size_t>(i)];
      facts = track->facts[static_cast<std::size_t>(i)];
      read_result = track->read_results[static_cast<std::size_t>(i)];
    } else {
      log.photo_started(i, count);
      if (i == 0) name_page();
      facts.keep_thumbnail_bytes = previews && previews->wants_thumbnail_bytes();
      read_result = read_photo_position(position, full_path, previews ? &facts : nullptr);
    }
    log.append_line(read_result_line(read_result, position));
    if (read_result == -1 && full_path.contains(replacement_character)) {
      log.append_line(QStringLiteral(
          "The name holds a character that stands for bytes which are no valid text, so the "
          "file cannot be opened by this name. trailbook-album reads such names as they are."));
    }
    bool added = read_result == 1 && has_position(position) && is_possible_position(position);
    if (added) {
      rows.push_back(make_photo_row(full_path, position));
      rows.back().file_facts = facts;
      if (previews) previews->add(rows.back());
    }
    bool placed = false;
    if (track && read_result == 1 && !has_position(position)) {
      if (const auto& placement = track->step.placements[static_cast<std::size_t>(i)]) {
        log.append_line(placement_line(*placement));
        rows.push_back(make_photo_row(full_path, placed_position(position, *placement)));
        rows.back().seconds_from_track = placement->seconds_from_point;
        rows.back().file_facts = facts;
        if (previews) previews->add(rows.back());
        added = placed = true;
      }
    }
    result.outcomes.push_back({read_result, added, placed});
    log.append_line(WideText());
  }

  // Before the ordering, so that the step's texts come in the order the photos were given.
  if (previews && !rows.empty()) previews->finish(rows, log);
  // The last stages take a while for many photos: they run under wait_for, and the page
  // writer's lines reach the log after them, in their order, also when it fails.
  KeptLines page_lines;
  std::exception_ptr failure;
  std::int32_t photos_on_page = 0;
  log.wait_for(QStringLiteral("Writing the album page..."), [&] {
    try {
      sort_photo_rows(rows);
      separate_shared_positions(rows);
      const AnsiText track_pieces =
          track ? build_track_pieces(settings.tracks->segments, track->step.times.day_offset)
                : AnsiText();
      result.page_path =
          write_album_page(rows, page_path, settings.template_file, page_lines,
                           static_cast<std::int32_t>(count - static_cast<qsizetype>(rows.size())),
                           track ? &track_pieces : nullptr,
                           template_text ? &*template_text : nullptr, settings.places_file);
      // Freeing a hundred thousand rows and preview jobs takes a while too.
      photos_on_page = static_cast<std::int32_t>(rows.size());
      std::vector<PhotoRow>().swap(rows);
      if (previews) previews->release_jobs();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  for (const WideText& line : page_lines.lines) log.append_line(line);
  if (failure) {
    // No page refers to the previews: nothing the run made stays behind (a full disk).
    if (previews) previews->discard();
    std::rethrow_exception(failure);
  }
  if (!result.page_path.isEmpty()) result.photos_added = photos_on_page;
  return result;
}
