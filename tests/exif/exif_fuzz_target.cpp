// libFuzzer entry: any bytes, as a whole photo file and as a bare EXIF block, must decode to a
// result code without crashing, hanging or reading outside the input.
#include <cstddef>
#include <cstdint>

#include "exif/exif_block_decoder.h"
#include "exif/exif_segment_locator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > UINT32_MAX) return 0;
  const auto length = static_cast<std::uint32_t>(size);
  ExifRecord record;
  locate_exif_segment(record, data, length);
  // The bare block reaches the directory walks without the fuzzer having to find JPEG framing.
  ExifRecord direct;
  decode_exif_block(direct, data, length);
  return 0;
}
