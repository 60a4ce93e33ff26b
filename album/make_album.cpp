#include "album/make_album.h"

#include <exception>
#include <optional>

#include "album/album_log_texts.h"
#include "album/page/album_page.h"
#include "album/photo_intake.h"
#include "album/photo_ordering.h"
#include "album/photo_table.h"
#include "album/previews/album_previews.h"
#include "album/track/track_step.h"
#include "text/app_error.h"
#include "text/text_ops.h"

namespace {

// U+FFFD in UTF-8: what a name that is no valid text shows once it has passed through text.
constexpr char replacement_character[] = "\xEF\xBF\xBD";

// The log line for the result of reading one photo.
WideText read_result_line(PhotoRead read, const PhotoPosition& position) {
  switch (read) {
    case PhotoRead::decoded:
      if (!has_position(position)) return QStringLiteral("Latitude and longitude not found! ");
      if (!is_possible_position(position)) {
        return to_wide("Impossible position, left out: latitude=" + position.latitude +
                       ", longitude=" + position.longitude +
                       " (a latitude lies within -90 and 90, a longitude within -180 and 180)");
      }
      return to_wide("latitude=" + position.latitude + ", longitude=" + position.longitude +
                     ", DateTime=" + position.date_time + ", OK!");
    case PhotoRead::cannot_open:
      return QStringLiteral("Open file failed. failed code=") + format_int(read_code(read));
    case PhotoRead::cannot_read:
      return QStringLiteral("Read file failed. failed code=") + format_int(read_code(read));
    default:
      return QStringLiteral("Parsing exif failed. failed code=") + format_int(read_code(read));
  }
}

// The lines of one photo's block after its name: how it was read, and its place on the track.
void log_photo(AlbumLog& log, const AnsiText& path, const PhotoIntakeOutcome& photo) {
  log.append_line(read_result_line(photo.read, photo.position));
  if (photo.read == PhotoRead::cannot_open && path.contains(replacement_character)) {
    log.append_line(QStringLiteral(
        "The name holds a character that stands for bytes which are no valid text, so the "
        "file cannot be opened by this name. trailbook-album reads such names as they are."));
  }
  if (photo.placement) log.append_line(placement_line(*photo.placement));
}

// Lines written on another thread, for the log once the work is done.
struct KeptLines : AlbumLog {
  void append_line(const WideText& line) override { lines.append(line); }
  QStringList lines;
};

// One album's run, step by step: the page's path is named and kept here alone.
class AlbumRun {
 public:
  AlbumRun(const QList<AnsiText>& photos, const AlbumSettings& settings, AlbumLog& log)
      : photos_(photos),
        settings_(settings),
        log_(log),
        // Read once, for the preview step and the page.
        template_(photos.isEmpty() ? AlbumTemplate{settings.template_file, std::nullopt, {}}
                                   : load_album_template(settings.template_file)) {
    // Previews are made while the photos are read, and only for a template that shows them:
    // one without their placeholder (or one the page writer refuses) gets the page and the log
    // it had before previews existed, and no folder beside the page.
    if (settings.previews && template_.text && template_uses_previews(*template_.text)) {
      previews_.emplace();
    }
  }

  // Logs a block per photo and keeps the rows of those with a position, previews started.
  void take_in_photos(std::vector<PhotoOutcome>& outcomes);
  // Waits for the previews; their texts come in the order the photos were given.
  void finish_previews() {
    if (previews_ && !rows_.empty()) previews_->finish(rows_, log_);
  }
  // Orders the rows and writes the page; returns its path and how many photos it shows.
  AnsiText write_page(std::int32_t& photos_on_page);

 private:
  // The page goes beside the first photo, named after the time the run reached it.
  void name_page() {
    page_path_ = ansi_folder_of(photos_[0]) + to_ansi(format_timestamp(settings_.clock()));
    page_path_ += ".html";
  }
  void add_row(PhotoRow row, const PhotoIntakeOutcome& photo);

  const QList<AnsiText>& photos_;
  const AlbumSettings& settings_;
  AlbumLog& log_;
  const AlbumTemplate template_;
  std::optional<AlbumPreviewStep> previews_;
  AnsiText page_path_;  // the name the page is to take
  std::vector<PhotoRow> rows_;
  std::vector<UnplacedPhoto> unplaced_;  // the photos given that are not on the map
  std::optional<PhotoTimes> times_;      // of the photos, with a track
};

void AlbumRun::take_in_photos(std::vector<PhotoOutcome>& outcomes) {
  const qsizetype count = photos_.size();
  PhotoIntakeHooks hooks;
  hooks.before_read = [&](qsizetype i) {
    log_.photo_started(i, count);
    if (i == 0) name_page();
  };
  hooks.notes_facts = previews_.has_value();
  hooks.keeps_thumbnail_bytes = [&] { return previews_->wants_thumbnail_bytes(); };
  PhotoIntake intake(photos_, settings_.tracks, settings_.time, hooks);
  // With a track, every photo is read before the first block.
  if (const PhotoTimes* times = intake.read_ahead()) times_ = *times;
  if (times_) {
    log_.append_line(QStringLiteral("Track: %1 points from %2 file(s). ")
                         .arg(settings_.tracks->points)
                         .arg(settings_.tracks->files.size()) +
                     times_->rule_line);
    log_.append_line(WideText());
  }
  rows_.reserve(static_cast<std::size_t>(count));
  outcomes.reserve(static_cast<std::size_t>(count));
  for (qsizetype i = 0; i < count; ++i) {
    const AnsiText& path = photos_[i];
    log_.append_line(QStringLiteral("#") + format_int(static_cast<std::int32_t>(i + 1)) +
                     QStringLiteral(": ") + to_wide(ansi_name_of(path)));
    PhotoIntakeOutcome photo = intake.take(i);
    log_photo(log_, path, photo);
    if (photo.source != PositionSource::none) {
      add_row(make_photo_row(path, photo.album_position()), photo);
    } else {
      unplaced_.push_back(
          {path, photo.read == PhotoRead::decoded ? photo.position.date_time : AnsiText()});
    }
    outcomes.push_back(
        {photo.read, photo.source != PositionSource::none, photo.source == PositionSource::track});
    log_.append_line(WideText());
  }
}

void AlbumRun::add_row(PhotoRow row, const PhotoIntakeOutcome& photo) {
  if (photo.placement) row.seconds_from_track = photo.placement->seconds_from_point;
  row.file_facts = photo.facts;
  rows_.push_back(std::move(row));
  if (!previews_) return;
  if (rows_.size() == 1) page_path_ = previews_->make_folder(page_path_);
  previews_->add(rows_.back());
}

AnsiText AlbumRun::write_page(std::int32_t& photos_on_page) {
  // The last stages take a while for many photos: they run under wait_for, and the page
  // writer's lines reach the log after them, in their order, also when it fails.
  KeptLines page_lines;
  std::exception_ptr failure;
  AnsiText written;
  log_.wait_for(QStringLiteral("Writing the album page..."), [&] {
    try {
      sort_photo_rows(rows_);
      separate_shared_positions(rows_);
      AlbumPageInput page{
          rows_,
          static_cast<std::int32_t>(photos_.size() - static_cast<qsizetype>(rows_.size())),
          times_ ? settings_.tracks : nullptr,
          times_ ? &*times_ : nullptr,
          page_path_,
          template_,
          settings_.places_file,
          unplaced_};
      written = write_album_page(page, page_lines);
      // Freeing a hundred thousand rows and preview jobs takes a while too.
      photos_on_page = static_cast<std::int32_t>(rows_.size());
      std::vector<PhotoRow>().swap(rows_);
      if (previews_) previews_->release_jobs();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  for (const WideText& line : page_lines.lines) log_.append_line(line);
  if (failure) {
    // No page refers to the previews: nothing the run made stays behind (a full disk).
    if (previews_) previews_->discard();
    std::rethrow_exception(failure);
  }
  return written;
}

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
  if (photos.size() > max_album_photos) {
    result.refused = true;
    return result;
  }
  AlbumRun run(photos, settings, log);
  run.take_in_photos(result.outcomes);
  run.finish_previews();
  std::int32_t photos_on_page = 0;
  result.page_path = run.write_page(photos_on_page);
  if (!result.page_path.isEmpty()) result.photos_added = photos_on_page;
  return result;
}
