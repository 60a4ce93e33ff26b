#include "album/add_photos.h"

#include "album/make_album.h"
#include "album/photo_folder.h"
#include "album/program_path.h"

namespace {

// Keeps the commands that start a run disabled until this run has ended, errors included, so
// that a click handled during the per-file event processing cannot start a nested run.
class CommandRunningGuard {
 public:
  explicit CommandRunningGuard(AlbumHost& host) : host_(host) { host_.set_command_running(true); }
  ~CommandRunningGuard() { host_.set_command_running(false); }
  CommandRunningGuard(const CommandRunningGuard&) = delete;
  CommandRunningGuard& operator=(const CommandRunningGuard&) = delete;

 private:
  AlbumHost& host_;
};

std::int32_t make_album_of(AlbumHost& host, const QList<AnsiText>& photos,
                           const WideText& template_file, const TrackSet* tracks,
                           const TimeOptions& time) {
  AlbumSettings settings{to_ansi(template_file), [&host] { return host.local_now(); }, true, tracks,
                         time};
  settings.places_file = to_ansi(default_places_file());
  const AlbumResult result = make_album(photos, settings, host);
  if (result.refused) {
    host.show_message(too_many_photos_message());
    return 0;
  }
  if (!result.page_path.isEmpty()) host.open_with_shell(to_wide(result.page_path));
  return result.photos_added;
}

}  // namespace

std::int32_t add_photos(AlbumHost& host, const WideText& template_file, const TrackSet* tracks,
                        const TimeOptions& time) {
  const CommandRunningGuard guard(host);
  host.clear_log();
  QStringList files;
  if (!host.pick_photo_files(files)) return 0;

  QList<AnsiText> photos;
  photos.reserve(files.size());
  for (const WideText& file : files) photos.append(to_ansi(file));
  return make_album_of(host, photos, template_file, tracks, time);
}

std::int32_t add_photo_folder(AlbumHost& host, const WideText& template_file,
                              const TrackSet* tracks, const TimeOptions& time) {
  const CommandRunningGuard guard(host);
  host.clear_log();
  WideText folder;
  if (!host.pick_photo_folder(folder)) return 0;
  QList<AnsiText> photos;
  host.wait_for(QStringLiteral("Listing the photos in the folder..."),
                [&] { photos = photo_files_in(to_ansi(folder), max_album_photos + 1); });
  return make_album_of(host, photos, template_file, tracks, time);
}
