#pragma once
// The preview search of ISO media files: HEIC, HEIF, AVIF and CR3 (exif/embedded_preview.h).
#include <optional>

#include "exif/io/embedded_preview_span.h"
#include "exif/io/loaded_bytes.h"

std::optional<EmbeddedPreview> find_iso_media_preview(const LoadedBytes& bytes);
