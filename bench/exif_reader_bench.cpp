// Speed of the EXIF reader: the two scans of the segment locator over large files, the
// directory walk over many repeated entries, and reading a photo file from disk.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "exif/photo_position.h"
#include "exif/tiff/exif_block_decoder.h"
#include "exif/tiff/exif_segment_locator.h"
#include "tests/exif/exif_test_data.h"

namespace {

constexpr std::size_t photo_size = 8 << 20;

// An 8 MiB photo: EXIF at the front, scan data without markers, EOI at the end.
Bytes large_photo() {
  return build_jpeg(build_exif_block(photo_exif("2024:05:17 10:11:12")), photo_size);
}

void locate(benchmark::State& state, const Bytes& bytes) {
  for (auto _ : state) {
    ExifRecord record;
    benchmark::DoNotOptimize(
        locate_exif_segment(record, bytes.data(), static_cast<std::uint32_t>(bytes.size())));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void BM_LocateInPhoto(benchmark::State& state) {
  locate(state, large_photo());
}

// Worst case for both scans: no APP1 marker before the end, and a long trailer after the last
// EOI that the backward scan must cross.
void BM_LocateWithoutExifBehindTrailer(benchmark::State& state) {
  Bytes bytes{0xFF, 0xD8};
  bytes.resize(photo_size, 0x11);
  bytes.insert(bytes.end(), {0xFF, 0xD9});
  bytes.resize(2 * photo_size, 0x22);
  locate(state, bytes);
}

// IFD0 with thousands of repeated text entries, each pointing at the same long value: the walk
// must stay linear in the number of entries, not in entries times value length.
void BM_DecodeRepeatedLongTexts(benchmark::State& state) {
  const auto entries = static_cast<std::size_t>(state.range(0));
  const std::string text(64 << 10, 'a');
  // The one laid-out text is the first value after IFD0 (TIFF header, count, entries, next).
  const auto text_offset = static_cast<std::uint32_t>(8 + 2 + 12 * (entries + 1) + 4);
  TestExif exif{true,
                std::vector<TestEntry>(entries, raw_entry(0x010F, 2, text.size(), text_offset)),
                {},
                {}};
  exif.ifd0.push_back(ascii_entry(0x010F, text));
  const Bytes block = build_exif_block(exif);
  for (auto _ : state) {
    ExifRecord record;
    benchmark::DoNotOptimize(
        decode_exif_block(record, block.data(), static_cast<std::uint32_t>(block.size())));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Whole path from a file in the page cache to the three texts.
void BM_ReadPhotoPosition(benchmark::State& state) {
  QTemporaryDir dir;
  QFile file(dir.filePath("large.jpg"));
  const Bytes bytes = large_photo();
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
          static_cast<qint64>(bytes.size())) {
    state.SkipWithError("cannot write the photo");
    return;
  }
  file.close();
  const AnsiText name = to_ansi(file.fileName());
  for (auto _ : state) {
    PhotoPosition position;
    if (read_photo_position(position, name) != 1) state.SkipWithError("not decoded");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

}  // namespace

BENCHMARK(BM_LocateInPhoto);
BENCHMARK(BM_LocateWithoutExifBehindTrailer);
BENCHMARK(BM_DecodeRepeatedLongTexts)->Arg(1000)->Arg(5000);
BENCHMARK(BM_ReadPhotoPosition)->Unit(benchmark::kMillisecond);
