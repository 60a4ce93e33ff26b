// libFuzzer entry: any bytes as a photo file given whole to the reader, which tells its kind by
// its first bytes, and to each container walker directly, whatever the first bytes say (so that
// a walker meets inputs the sniffing would have sent elsewhere). Each must give a result code
// without crashing or reading outside the input.
#include <cstddef>
#include <cstdint>

#include "exif/formats/container_exif_locators.h"
#include "exif/formats/jpeg_segment_walk.h"
#include "exif/photo_exif_locator.h"
#include "exif/tiff/exif_segment_locator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > UINT32_MAX) return 0;
  const auto length = static_cast<std::uint32_t>(size);
  const LoadedBytes bytes(data, length);
  using Locator = int (*)(ExifRecord&, const LoadedBytes&);
  for (Locator locate :
       {Locator{[](ExifRecord&r, const LoadedBytes&b) { return locate_photo_exif(r, b); }},
        Locator{locate_exif_segment}, Locator{locate_iso_media_exif}, Locator{locate_png_exif},
        Locator{locate_webp_exif}, Locator{locate_raf_exif}}) {
    ExifRecord record;
    locate(record, bytes);
  }
  ExifRecord walked;
  decode_jpeg_exif_by_segments(walked, bytes, 0, length);
  return 0;
}
