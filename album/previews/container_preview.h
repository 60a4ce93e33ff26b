#pragma once
// Previews of photos that the image decoder cannot read: raw files and HEIF photos.
#include <QByteArray>
#include <optional>

#include "text/text_types.h"

// For a photo of a kind whose row in exif/photo_formats.h finds an embedded preview (raw files:
// TIFF-based, RAF, CR3; HEIF photos): its embedded JPEG preview, decoded at the preview's size
// and turned upright; none when it has none that decodes, so that the caller tries the EXIF
// thumbnail and the decoder. For a kind whose picture may be a HEIF image (HEIC, HEIF, AVIF, and
// CR3 by its container) without such a JPEG: the preview libheif decodes, or empty with `error`
// set. None for every other kind of file, which the caller handles as before. An embedded
// preview refused for the size it declares gives none too, with the reason in `refused`.
std::optional<QByteArray> container_preview_bytes(const AnsiText& path, WideText& error,
                                                  WideText& refused);
