#include "album/add_photos.h"

#include "album/album_log_texts.h"
#include "album/album_page.h"
#include "album/photo_ordering.h"
#include "album/photo_patterns.h"
#include "album/photo_table.h"
#include "exif/photo_position.h"
#include "text/text_ops.h"

AnsiText template_path;

namespace {

// Keeps the commands that start a run disabled until this run has ended, errors included, so
// that a click handled during the per-file event processing cannot start a nested run that
// overwrites the table under this one.
class CommandRunningGuard {
 public:
  explicit CommandRunningGuard(AlbumHost& host) : host_(host) { host_.set_command_running(true); }
  ~CommandRunningGuard() { host_.set_command_running(false); }
  CommandRunningGuard(const CommandRunningGuard&) = delete;
  CommandRunningGuard& operator=(const CommandRunningGuard&) = delete;

 private:
  AlbumHost& host_;
};

bool has_position(const PhotoPosition& position) {
  // Compared as texts: only the exact text "0" for both means no position.
  return position.latitude != "0" || position.longitude != "0";
}

// The log line for the result of reading one photo.
WideText read_result_line(int result, const PhotoPosition& position) {
  switch (result) {
    case 1:
      if (!has_position(position)) return QStringLiteral("Latitude and longitude not found! ");
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

}  // namespace

std::int32_t add_photos(AlbumHost& host) {
  const CommandRunningGuard guard(host);
  AnsiText page_path;

  host.clear_log();
  QStringList files;
  if (!host.pick_photo_files(QStringLiteral("Open photo files:"), photo_dialog_filter(), files)) {
    return 0;
  }
  host.append_log_line(QStringLiteral("Begin to add photos..."));
  host.append_log_line(log_separator_line());
  host.append_log_line(WideText());

  const qsizetype file_count = files.size();
  if (file_count > kPhotoTableCapacity) {
    host.show_message(QStringLiteral("You select too many files! The max files count is ") +
                      format_int(kPhotoTableCapacity) + u'.');
    return 0;
  }

  const std::span<PhotoRow> table = photo_table();
  std::int32_t row_count = 0;
  for (qsizetype i = 0; i < file_count; ++i) {
    const AnsiText full_path = to_ansi(files[i]);
    const AnsiText file_name = to_ansi(name_of(to_wide(full_path)));
    host.append_log_line(QStringLiteral("#") + format_int(static_cast<std::int32_t>(i + 1)) +
                         QStringLiteral(": ") + to_wide(file_name));
    host.process_pending_events();
    if (i == 0) {
      // The page goes beside the first photo, named after the time the run reached it.
      const AnsiText output_folder = to_ansi(folder_of(to_wide(full_path)));
      page_path = output_folder + to_ansi(format_timestamp(host.local_now())) + ".html";
    }

    PhotoPosition position;
    const int result = read_photo_position(position, full_path);
    host.append_log_line(read_result_line(result, position));
    if (result == 1 && has_position(position)) {
      fill_photo_row(table, row_count, file_name, position);
    }
    host.append_log_line(WideText());
  }

  sort_photo_rows(table, row_count);
  separate_shared_positions(table, row_count);
  return write_album_page(table, row_count, page_path, host);
}
