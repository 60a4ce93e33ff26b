#pragma once
// What a read of a photo's position learnt about the file on the way, so that the album's
// preview step need not open and read it again for the same answers.
#include <QByteArray>
#include <cstdint>
#include <optional>

#include "exif/container_kind.h"
#include "exif/exif_thumbnail.h"

struct PhotoFileFacts {
  std::int64_t size = -1;        // -1: the file was not opened
  std::int64_t modified_ms = 0;  // modification time, milliseconds since 1970 UTC
  PhotoContainer kind = PhotoContainer::unknown;
  // Whether the EXIF thumbnail was looked for in the bytes the read loaded: only for a kind
  // whose row in exif/photo_formats.h finds one (JPEG), and not when finding it would have
  // needed more; `thumbnail` is its answer then.
  bool thumbnail_searched = false;
  std::optional<ExifThumbnail> thumbnail;
  // Set by the caller before the read: also copy the thumbnail's bytes out of the bytes loaded
  // (none when they were not all loaded), so that the preview needs no read at all.
  bool keep_thumbnail_bytes = false;
  QByteArray thumbnail_bytes;
};
