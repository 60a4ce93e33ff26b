// libFuzzer entry: any bytes as a bare EXIF block ("Exif\0\0" and a TIFF structure) and as a bare
// TIFF structure whose first directory is IFD0, the Exif or the GPS directory, must decode to a
// result code without crashing or reading outside the input. No container framing stands in the
// way, so the fuzzer spends its time in the directory walks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "exif/tiff/exif_block_decoder.h"
#include "exif/tiff/exif_result_codes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > UINT32_MAX) return 0;
  const auto length = static_cast<std::uint32_t>(size);
  ExifRecord block;
  const int code = decode_exif_block(block, data, length);
  if (code != exif_decoded && code != exif_missing && code != exif_corrupt &&
      code != exif_bad_byte_order) {
    std::abort();
  }
  const LoadedBytes stream(data, length);
  for (TiffDirectory first : {TiffDirectory::image, TiffDirectory::exif, TiffDirectory::gps}) {
    ExifRecord tiff;
    decode_tiff_block(tiff, stream, 0, length, first, std::nullopt);
  }
  return 0;
}
