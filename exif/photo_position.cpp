#include "exif/photo_position.h"

#include "exif/file_exif_locator.h"
#include "exif/io/os_photo_file.h"
#include "exif/read_plan_hint.h"
#include "exif/tiff/exif_record.h"
#include "exif/tiff/exif_result_codes.h"
#include "text/number_format.h"

namespace {

AnsiText up_to_zero(const QByteArray& text) {
  const qsizetype zero = text.indexOf('\0');
  return zero < 0 ? text : text.left(zero);
}

}  // namespace

int read_photo_position(PhotoPosition& position, const AnsiText& file_name, PhotoFileFacts* facts) {
  ExifRecord record;
  {
    OsPhotoFile file;
    if (!file.open(file_name)) return -1;
    if (facts) {
      facts->size = file.size();
      facts->modified_ms = file.modified_ms();
    }
    // The file and the bytes read from it are released at the end of this block; the record owns
    // its texts.
    const FileExifResult found = locate_exif_in_file(record, file, read_plan_for(file_name), facts);
    if (found.status == PhotoFileStatus::cannot_read) return -2;
    if (found.code != exif_decoded) return -3;
  }
  position.latitude = number_to_text(record.latitude);
  position.longitude = number_to_text(record.longitude);
  // The camera's text as written, up to its first zero byte.
  const qsizetype zero = record.date_time_original.indexOf('\0');
  position.date_time = zero < 0 ? record.date_time_original : record.date_time_original.left(zero);
  position.offset_time = up_to_zero(record.offset_time_original);
  position.gps_date = up_to_zero(record.gps_date_stamp);
  if (record.has_gps_time_stamp) {
    const double* hms = record.gps_time_stamp;
    const double seconds = hms[0] * 3600 + hms[1] * 60 + hms[2];
    // NaN fails both comparisons too.
    if (seconds >= 0 && seconds < 86400) position.gps_time_of_day = seconds;
  }
  return 1;
}
