#pragma once
// The bytes of a photo file, loaded as the EXIF reader asks for them: the head and the tail
// first, grown when a scan reaches past them, and bytes between them that the decoders ask for
// read in small pieces.
#include <cstdint>
#include <memory>

#include "exif/io/far_pieces.h"
#include "exif/io/loaded_bytes.h"
#include "exif/io/random_access_file.h"

// How much the first reads fetch. The default head holds the APP1 segment of camera photos,
// which comes first and is at most 64 KiB, and the tail the end-of-image marker with a short
// trailer after it.
struct ReadPlan {
  std::uint32_t head = 64 << 10;
  std::uint32_t tail = 4 << 10;
  // The marker scans grow the loaded pieces up to this much memory, and read the rest through a
  // buffer of scan_piece bytes.
  std::uint64_t scan_memory = 16 << 20;
  std::uint32_t scan_piece = 64 << 10;
  FarReadLimits far{};
};

class LazyFileBytes {
 public:
  // `size` is the file's size when it was opened.
  LazyFileBytes(RandomAccessFile& file, std::uint32_t size, ReadPlan plan)
      : size_(size), plan_(plan), far_(file, size, plan.far) {}

  // Each returns false when the file cannot be read as far as its size (it has shrunk, or a read
  // or an allocation failed), or when the far pieces could not be read within their limits.
  bool load_first();
  // Loads more, at least enough to hold the bytes `missing` names in one piece. The pieces grow
  // at least twofold each time, so a file is loaded in a few reads however it is scanned.
  bool load_more(const MissingBytes& missing);

  // Valid until the next load. The view reads far bytes as they are asked for.
  LoadedBytes view();
  // A view that reads nothing more: only bytes already in memory can be had.
  LoadedBytes loaded_view();

  // The most bytes of the file held at once (at most: the head and tail at their largest plus the
  // far pieces at theirs).
  std::uint64_t peak_bytes_held() const { return peak_ + far_.peak_bytes_held(); }

 private:
  bool load_whole();
  bool load_head(std::uint64_t head_size);
  bool load_tail(std::uint64_t tail_start);
  void note_peak();

  std::uint32_t size_;
  ReadPlan plan_;
  std::unique_ptr<std::uint8_t[]> head_;  // bytes [0, head_size_)
  std::uint32_t head_size_ = 0;
  std::unique_ptr<std::uint8_t[]> tail_;  // bytes [tail_start_, size_)
  std::uint32_t tail_start_ = 0;
  FarPieces far_;
  std::uint64_t peak_ = 0;
};
