#include "exif/file_exif_locator.h"

#include "exif/formats/marker_scan.h"
#include "exif/photo_exif_locator.h"
#include "exif/photo_formats.h"
#include "exif/tiff/exif_segment_locator.h"

namespace {

// The kind and the thumbnail from the bytes in memory only: no answer that would need another
// read.
void note_facts(PhotoFileFacts& facts, const LoadedBytes& bytes) {
  try {
    facts.kind = photo_container_kind(bytes);
    const PhotoFormat* format = photo_format(facts.kind);
    if (!format || !format->find_thumbnail) return;
    facts.thumbnail = format->find_thumbnail(bytes);
    facts.thumbnail_searched = true;
  } catch (const MissingBytes&) {
    facts.thumbnail.reset();
    return;
  }
  if (!facts.keep_thumbnail_bytes || !facts.thumbnail) return;
  try {
    const std::uint8_t* start = bytes.range(facts.thumbnail->offset, facts.thumbnail->length);
    facts.thumbnail_bytes = QByteArray(reinterpret_cast<const char*>(start),
                                       static_cast<qsizetype>(facts.thumbnail->length));
  } catch (const MissingBytes&) {
    facts.thumbnail_bytes.clear();
  }
}

}  // namespace

FileExifResult locate_exif_in_file(ExifRecord& record, RandomAccessFile& file, ReadPlan plan,
                                   PhotoFileFacts* facts) {
  const std::int64_t size = file.size();
  if (size < 0 || size > largest_photo_file) return {};
  LazyFileBytes bytes(file, static_cast<std::uint32_t>(size), plan);
  if (!bytes.load_first()) return {};
  // A JPEG's two marker scans run once, in bounded memory (exif/marker_scan.h), so a huge file
  // without markers costs time in proportion to its size but no more memory. The rest is a pure
  // function of the bytes, so running it again from the start after more are loaded gives what
  // one run over the whole file gives. Every load at least doubles a piece, so this ends after a
  // few rounds.
  std::optional<JpegMarkers> markers;
  for (;;) {
    try {
      if (starts_as_jpeg(bytes.view()) && !markers) {
        const std::optional<std::uint32_t> stream_end = find_stream_end(bytes, file, plan);
        if (!stream_end) return {};
        std::optional<std::uint32_t> app1 = 0;
        if (*stream_end != 0) app1 = find_first_app1(bytes, file, *stream_end, plan);
        if (!app1) return {};
        markers = JpegMarkers{*stream_end, *app1};
      }
      // The scans may have loaded more: the view is taken afresh.
      FileExifResult result{PhotoFileStatus::read,
                            locate_photo_exif(record, bytes.view(), markers)};
      if (facts) note_facts(*facts, bytes.loaded_view());
      result.peak_bytes_held = bytes.peak_bytes_held();
      return result;
    } catch (const MissingBytes& missing) {
      if (!bytes.load_more(missing)) return {};
    }
  }
}
