#pragma once
// Where a photo file keeps a ready-made smaller picture of itself, for showing photos that
// browsers cannot draw (HEIC, raw files). Only the location is found; nothing is decoded.
#include <cstdint>
#include <optional>

#include "exif/io/embedded_preview_span.h"
#include "exif/io/lazy_file_bytes.h"
#include "exif/io/loaded_bytes.h"
#include "exif/io/random_access_file.h"

// The best preview of the photo:
//   TIFF-based raw files: the largest JPEG image among the directories (IFD0 and the ones after
//     it, their SubIFDs), the EXIF thumbnail of IFD1 and RW2's embedded JPEG entry;
//   RAF: its embedded JPEG;    CR3: the JPEG of its preview box, else of its thumbnail box;
//   HEIC/HEIF/AVIF: the thumbnail item of the primary image, stored in one piece (a grid of one
//     tile: that tile; a grid of several: the grid item, whose tiles a decoder then reads).
// None for other kinds and when the file has none. Throws MissingBytes like the locators.
std::optional<EmbeddedPreview> find_embedded_preview(const LoadedBytes& bytes);

// The same over a file, reading only what the search looks at; none also when it cannot be read.
std::optional<EmbeddedPreview> find_embedded_preview_in_file(RandomAccessFile& file,
                                                             ReadPlan plan = {});
