#pragma once
#include "exif/photo_file_facts.h"
#include "text/text_types.h"

// The three texts the album needs of a photo. Written only when read_photo_position returns 1.
struct PhotoPosition {
  AnsiText latitude;   // signed decimal degrees, north positive, e.g. "48.8582222222222"
  AnsiText longitude;  // signed decimal degrees, east positive
  AnsiText date_time;  // the EXIF DateTimeOriginal text as the camera wrote it; may be empty
  // What tells the capture time's zone, when the photo has it (for placing photos on a track):
  AnsiText offset_time{};       // OffsetTimeOriginal as written ("+02:00"); may be empty
  AnsiText gps_date{};          // GPSDateStamp as written ("2024:06:04", UTC); may be empty
  double gps_time_of_day = -1;  // GPSTimeStamp in seconds after midnight UTC; -1 when none
};

// Reads the GPS position and capture time of a photo file (path in the process code page).
//   1  EXIF decoded (a photo without GPS gives "0" for both coordinates)
//  -1  the file cannot be opened for reading (missing, a directory, no permission)
//  -2  the file cannot be read whole (read error, or 4 GiB or more), or its directories and
//      values lie far apart in more places than the reader reads for one photo (ReadPlan::far)
//  -3  not a photo with a decodable EXIF block (exif/photo_exif_locator.h lists the kinds read)
// With `facts`, also notes what the read learnt of the file on the way (its size, time, kind and
// thumbnail), at no cost in reads; facts->size stays -1 when the file could not be opened.
int read_photo_position(PhotoPosition& position, const AnsiText& file_name,
                        PhotoFileFacts* facts = nullptr);
