#include "exif/photo_exif_locator.h"

#include "exif/formats/jpeg_segment_walk.h"
#include "exif/photo_formats.h"
#include "exif/tiff/exif_block_decoder.h"
#include "exif/tiff/exif_result_codes.h"
#include "exif/tiff/exif_segment_locator.h"

namespace {

int locate_jpeg_exif(ExifRecord& record, const LoadedBytes& bytes,
                     const std::optional<JpegMarkers>& markers) {
  if (!markers) return locate_exif_segment(record, bytes);
  if (!starts_as_jpeg(bytes) || markers->stream_end == 0) return exif_not_jpeg;
  clear_exif_record(record);
  return decode_app1_segment(record, bytes, markers->stream_end, markers->app1);
}

}  // namespace

int locate_photo_exif(ExifRecord& record, const LoadedBytes& bytes,
                      const std::optional<JpegMarkers>& markers) {
  const int jpeg = locate_jpeg_exif(record, bytes, markers);
  if (jpeg == exif_decoded) return jpeg;
  if (jpeg != exif_not_jpeg) {
    // The plain scan takes the first FF E1 pair, which may lie inside an earlier segment or
    // start an APP1 segment of other data. The walk by segment lengths finds the real one; when
    // there is none, the scan's answer stands.
    clear_exif_record(record);
    const std::optional<std::uint64_t> block = find_exif_app1(bytes, 0, bytes.size());
    if (!block) {
      clear_exif_record(record);
      return jpeg;
    }
    return decode_exif_block(record, bytes, *block,
                             static_cast<std::uint32_t>(bytes.size() - *block));
  }

  clear_exif_record(record);
  const PhotoFormat* format = photo_format(photo_container_kind(bytes));
  if (!format || !format->locate_exif) return exif_not_jpeg;
  return format->locate_exif(record, bytes);
}
