#pragma once
// Result codes of the EXIF reader. They never leave the reader: read_photo_position turns every
// non-zero code into -3.

enum ExifResult : int {
  exif_decoded = 0,            // the ExifRecord is filled
  exif_not_jpeg = 1982,        // no FF D8 at the start or no FF D9 pair after it, and no other
                               // kind of photo either
  exif_missing = 1983,         // no APP1 segment (or container chunk) that holds EXIF data
  exif_bad_byte_order = 1984,  // the TIFF byte-order mark is neither "II" nor "MM"
  exif_corrupt = 1985,         // a length, an offset or a directory lies outside the data
};
