#pragma once
// The bytes of a photo file, loaded as the EXIF reader asks for them: the head and the tail
// first, more when a scan or the decoder reaches past them, the whole file as the last resort.
#include <cstdint>
#include <memory>

#include "exif/loaded_bytes.h"
#include "exif/random_access_file.h"

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
};

class LazyFileBytes {
 public:
  // `size` is the file's size when it was opened.
  LazyFileBytes(RandomAccessFile& file, std::uint32_t size, ReadPlan plan)
      : file_(file), size_(size), plan_(plan) {}

  // Each returns false when the file cannot be read as far as its size (it has shrunk, or a read
  // or an allocation failed).
  bool load_first();
  // Loads more, at least enough to hold the bytes `missing` names in one piece. The pieces grow
  // at least twofold each time, so a file is loaded in a few reads however it is scanned.
  bool load_more(const MissingBytes& missing);

  // Valid until the next load.
  LoadedBytes view() const;

 private:
  bool load_whole();
  bool load_head(std::uint64_t head_size);
  bool load_tail(std::uint64_t tail_start);

  RandomAccessFile& file_;
  std::uint32_t size_;
  ReadPlan plan_;
  std::unique_ptr<std::uint8_t[]> head_;  // bytes [0, head_size_)
  std::uint32_t head_size_ = 0;
  std::unique_ptr<std::uint8_t[]> tail_;  // bytes [tail_start_, size_)
  std::uint32_t tail_start_ = 0;
};
