#pragma once
// Previews of photos that the image decoder cannot read: raw files and HEIF photos.
#include <QByteArray>
#include <optional>

#include "text/text_types.h"

// For a raw file (TIFF-based, RAF, CR3): its embedded JPEG preview, decoded at the preview's
// size and turned upright; none when it has none that decodes, so that the caller tries the
// EXIF thumbnail and the decoder. For a HEIF photo (HEIC, HEIF, AVIF): the preview libheif
// decodes, or empty with `error` set. None for every other kind of file, which the caller
// handles as before. An embedded preview refused for the size it declares gives none too, with
// the reason in `refused`.
std::optional<QByteArray> container_preview_bytes(const AnsiText& path, WideText& error,
                                                  WideText& refused);
