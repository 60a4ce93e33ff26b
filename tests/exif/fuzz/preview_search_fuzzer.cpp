// libFuzzer entry: the search for a photo's embedded preview and its EXIF thumbnail over any
// bytes, without decoding them: what it finds must lie inside the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "exif/embedded_preview.h"
#include "exif/exif_thumbnail.h"
#include "exif/formats/iso_media_preview.h"
#include "exif/tiff/tiff_preview.h"

namespace {

void check_inside(const std::optional<EmbeddedPreview>& preview, std::size_t size) {
  if (preview && (preview->offset > size || preview->length > size - preview->offset)) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > UINT32_MAX) return 0;
  const LoadedBytes bytes(data, static_cast<std::uint32_t>(size));
  check_inside(find_embedded_preview(bytes), size);
  // Each finder also meets inputs that the sniffing would have sent elsewhere.
  check_inside(find_tiff_preview(bytes), size);
  check_inside(find_iso_media_preview(bytes), size);
  const std::optional<ExifThumbnail> thumbnail = find_exif_thumbnail(bytes);
  if (thumbnail && (thumbnail->offset > size || thumbnail->length > size - thumbnail->offset)) {
    std::abort();
  }
  return 0;
}
