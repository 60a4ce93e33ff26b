#include "exif/file_exif_locator.h"

#include "exif/exif_result_codes.h"
#include "exif/exif_segment_locator.h"
#include "exif/marker_scan.h"

FileExifResult locate_exif_in_file(ExifRecord& record, RandomAccessFile& file, ReadPlan plan) {
  const std::int64_t size = file.size();
  if (size < 0 || size > largest_photo_file) return {};
  LazyFileBytes bytes(file, static_cast<std::uint32_t>(size), plan);
  if (!bytes.load_first()) return {};
  // The scans' memory is bounded (exif/marker_scan.h), so a huge file without markers costs
  // time in proportion to its size but no more memory. They run once; the rest of the locator is a
  // pure function of the bytes, so running it again from the start after more are loaded gives
  // what one run over the whole file gives. Every load at least doubles a piece, so this ends
  // after a few rounds.
  std::optional<std::uint32_t> stream_end, app1;
  for (;;) {
    try {
      const LoadedBytes view = bytes.view();
      if (!starts_as_jpeg(view)) return {PhotoFileStatus::read, exif_not_jpeg};
      if (!stream_end) stream_end = find_stream_end(bytes, file, plan);
      if (!stream_end) return {};
      if (*stream_end == 0) return {PhotoFileStatus::read, exif_not_jpeg};
      if (!app1) app1 = find_first_app1(bytes, file, *stream_end, plan);
      if (!app1) return {};
      clear_exif_record(record);
      // The scans may have loaded more: the view is taken afresh.
      return {PhotoFileStatus::read, decode_app1_segment(record, bytes.view(), *stream_end, *app1)};
    } catch (const MissingBytes& missing) {
      if (!bytes.load_more(missing)) return {};
    }
  }
}
