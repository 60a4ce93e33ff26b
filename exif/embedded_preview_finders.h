#pragma once
// The preview search of each container kind (exif/embedded_preview.h).
#include <optional>

#include "exif/embedded_preview.h"

std::optional<EmbeddedPreview> find_tiff_preview(const LoadedBytes& bytes);
std::optional<EmbeddedPreview> find_iso_media_preview(const LoadedBytes& bytes);
