#pragma once
// The preview search of TIFF-based raw files (exif/embedded_preview.h).
#include <optional>

#include "exif/io/embedded_preview_span.h"
#include "exif/io/loaded_bytes.h"

std::optional<EmbeddedPreview> find_tiff_preview(const LoadedBytes& bytes);
