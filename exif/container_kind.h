#pragma once
// Which kind of file a photo is, told by its first bytes, never by its name.
#include "exif/io/loaded_bytes.h"

enum class PhotoContainer {
  jpeg,       // FF D8
  tiff,       // a TIFF header, or one of the raw formats' variants of it
  iso_media,  // an ISO base media file: HEIC, HEIF, AVIF, CR3
  png,
  webp,
  raf,  // a raw file with an embedded JPEG that holds the EXIF block
  unknown,
};

// The first kind in the table of photo kinds (exif/photo_formats.h) that these bytes start as;
// unknown when none.
PhotoContainer photo_container_kind(const LoadedBytes& bytes);
