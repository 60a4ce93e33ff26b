#pragma once
// The preview search of RAF raw files (exif/embedded_preview.h).
#include <optional>

#include "exif/io/embedded_preview_span.h"
#include "exif/io/loaded_bytes.h"

// The embedded JPEG that the header points at.
std::optional<EmbeddedPreview> find_raf_preview(const LoadedBytes& bytes);
