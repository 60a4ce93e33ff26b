// libFuzzer entry: any bytes, as a whole photo file of any container kind, as a bare EXIF block
// and as a bare TIFF structure, must decode to a result code without crashing, hanging or reading
// outside the input; and the file reader that loads only what it needs must give exactly what the
// whole-buffer path gives. The same holds for the search of an embedded preview. The seeds hold
// one photo of each container kind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "exif/embedded_preview.h"
#include "exif/file_exif_locator.h"
#include "exif/photo_exif_locator.h"
#include "exif/tiff/exif_block_decoder.h"
#include "tests/exif/exif_record_text.h"
#include "tests/exif/memory_file.h"

namespace {

// First reads far smaller than the inputs, so that most inputs make the reader load more; each
// input is read with one of them, picked by its size, which the fuzzer varies anyway. The last
// three let the marker scans stop growing the pieces early and read through small buffers.
constexpr ReadPlan small_plans[] = {{16, 2},        {300, 40},       {1024, 256},
                                    {16, 2, 64, 5}, {300, 40, 0, 1}, {1024, 256, 2048, 97}};

void check(const std::uint8_t* data, std::size_t size) {
  if (size > UINT32_MAX) return;
  const auto length = static_cast<std::uint32_t>(size);
  ExifRecord whole;
  const int code = locate_photo_exif(whole, LoadedBytes(data, length));
  const std::string whole_bytes = exif_record_bytes(whole);
  // The bare block reaches the directory walks without the fuzzer having to find JPEG framing.
  ExifRecord direct;
  decode_exif_block(direct, data, length);
  const LoadedBytes stream(data, length);
  for (TiffDirectory first : {TiffDirectory::image, TiffDirectory::exif, TiffDirectory::gps}) {
    ExifRecord tiff;
    decode_tiff_block(tiff, stream, 0, length, first, std::nullopt);
  }

  const ReadPlan plan = small_plans[size % std::size(small_plans)];
  MemoryFile file(data, size);
  ExifRecord lazy;
  const FileExifResult found = locate_exif_in_file(lazy, file, plan);
  if (found.status != PhotoFileStatus::read || found.code != code ||
      exif_record_bytes(lazy) != whole_bytes) {
    std::abort();
  }
  const std::optional<EmbeddedPreview> preview = find_embedded_preview(stream);
  MemoryFile preview_file(data, size);
  const std::optional<EmbeddedPreview> lazy_preview =
      find_embedded_preview_in_file(preview_file, plan);
  if (preview.has_value() != lazy_preview.has_value() ||
      (preview &&
       (preview->offset != lazy_preview->offset || preview->length != lazy_preview->length ||
        preview->type != lazy_preview->type))) {
    std::abort();
  }
  if (preview && (preview->offset > size || preview->length > size - preview->offset)) std::abort();
  // The same file cut short after it was opened: the reader either notices (when it needs the
  // lost bytes) or answers from bytes it did read, which are the whole file's.
  MemoryFile shrunk(data, size, size - size / 4);
  ExifRecord partial;
  const FileExifResult cut = locate_exif_in_file(partial, shrunk, plan);
  if (cut.status == PhotoFileStatus::read &&
      (cut.code != code || exif_record_bytes(partial) != whole_bytes)) {
    std::abort();
  }
}

// An input that starts with 0xA5 also stands for a larger file: its bytes with up to 2 MiB of
// zeros put in at a place it names, so that the scans find their markers far from the loaded
// pieces.
std::vector<std::uint8_t> padded(const std::uint8_t* data, std::size_t size) {
  const std::size_t at = data[1] % (size - 3);
  const std::size_t zeros = static_cast<std::size_t>(data[2] << 8 | data[3]) << 5;
  std::vector<std::uint8_t> bytes(data + 4, data + 4 + at);
  bytes.resize(bytes.size() + zeros);
  bytes.insert(bytes.end(), data + 4 + at, data + size);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  check(data, size);
  if (size >= 4 && data[0] == 0xA5) {
    const std::vector<std::uint8_t> bytes = padded(data, size);
    check(bytes.data(), bytes.size());
  }
  return 0;
}
