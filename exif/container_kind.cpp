#include "exif/container_kind.h"

#include "exif/photo_formats.h"

PhotoContainer photo_container_kind(const LoadedBytes& bytes) {
  for (const PhotoFormat& format : photo_formats()) {
    if (format.starts_as(bytes)) return format.kind;
  }
  return PhotoContainer::unknown;
}
