#include "exif/photo_position.h"

#include "exif/exif_record.h"
#include "exif/exif_result_codes.h"
#include "exif/exif_segment_locator.h"
#include "exif/photo_file.h"
#include "text/number_format.h"

int read_photo_position(PhotoPosition& position, const AnsiText& file_name) {
  ExifRecord record;
  {
    const PhotoFile file = read_photo_file(file_name);
    if (file.status == PhotoFileStatus::cannot_open) return -1;
    if (file.status == PhotoFileStatus::cannot_read) return -2;
    // The file's buffer is released at the end of this block; the record owns its texts.
    if (locate_exif_segment(record, file.bytes.get(), file.size) != exif_decoded) return -3;
  }
  position.latitude = number_to_text(record.latitude);
  position.longitude = number_to_text(record.longitude);
  // The camera's text as written, up to its first zero byte.
  const qsizetype zero = record.date_time_original.indexOf('\0');
  position.date_time = zero < 0 ? record.date_time_original : record.date_time_original.left(zero);
  return 1;
}
