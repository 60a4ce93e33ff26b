#pragma once
// The table of the kinds of photo file Trailbook knows. Each kind has a row: how its first bytes
// tell it, how much of a file named as one the reader fetches first, and what finds its EXIF
// block, its embedded preview and its EXIF thumbnail. The file names offered for photos come
// with it, each with its kind and whether browsers draw such a photo. A new kind of photo is a
// row and its names here, and its readers beside the others in exif/formats/.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "exif/container_kind.h"
#include "exif/exif_thumbnail.h"
#include "exif/io/embedded_preview_span.h"
#include "exif/io/loaded_bytes.h"
#include "exif/tiff/exif_record.h"

struct PhotoFormat {
  PhotoContainer kind;
  // Whether a stream's first bytes are of this kind. The kinds are tried in the table's order.
  bool (*starts_as)(const LoadedBytes& bytes);
  // The first read of a file named as this kind: this many bytes from its start and none from
  // its end, where such files keep what the reader walks. 0: the default plan, made for JPEG.
  std::uint32_t first_read;
  // Finds and decodes the EXIF block (exif/formats/container_exif_locators.h). None for JPEG,
  // whose streams locate_photo_exif reads itself before it asks the table.
  int (*locate_exif)(ExifRecord& record, const LoadedBytes& bytes);
  // Finds the ready-made picture inside the file (exif/embedded_preview.h); none where the kind
  // keeps no such picture.
  std::optional<EmbeddedPreview> (*find_preview)(const LoadedBytes& bytes);
  // Finds the EXIF thumbnail that the read of a position notes from the bytes it loaded anyway;
  // none where it notes none.
  std::optional<ExifThumbnail> (*find_thumbnail)(const LoadedBytes& bytes);
  // Whether the picture itself may be a HEIF image (an ISO media file is HEIC, HEIF, AVIF or
  // CR3), which a HEIF decoder then draws when the file has no JPEG preview.
  bool heif_picture;
};

struct PhotoFileName {
  std::string_view extension;  // lower case, without the dot
  PhotoContainer kind;         // what such files are; the reader still tells it by their bytes
  bool browsers_draw;          // false: the album page shows such a photo by its preview only
};

// One row per kind, in the order their first bytes are tried.
std::span<const PhotoFormat> photo_formats();

// The row of a kind; none for PhotoContainer::unknown.
const PhotoFormat* photo_format(PhotoContainer kind);

// The names offered for photos, in the order the open dialog lists them.
std::span<const PhotoFileName> photo_file_names();
