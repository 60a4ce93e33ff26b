#pragma once
// Bytes of a photo file away from its loaded head and tail, read where the reader asks for them:
// a directory or a value at a far offset costs one small read instead of loading everything up
// to it. The pieces live in a cache bounded in bytes, and the reads of one photo are bounded in
// number and in bytes, whatever offsets the file holds.
#include <cstdint>
#include <memory>
#include <vector>

#include "exif/io/random_access_file.h"

struct FarReadLimits {
  // A read far from the other pieces fetches this much around the bytes asked for; one that goes
  // on near where the last one ended fetches twice as much as the last, up to `largest_piece`, so
  // that a walk through the file costs few reads.
  std::uint32_t page = 16 << 10;
  std::uint32_t largest_piece = 4 << 20;
  // Bytes the pieces may hold at once, and reads and bytes read per photo: a walk through a
  // large file, or offsets all over it, cost at most this much time.
  std::uint64_t memory = 16 << 20;
  std::uint32_t reads = 4096;
  std::uint64_t bytes = 256 << 20;
};

class FarPieces {
 public:
  FarPieces(RandomAccessFile& file, std::uint64_t size, FarReadLimits limits)
      : file_(file), size_(size), limits_(limits), held_tail_start_(size) {}

  // The `count` bytes at `offset`, read if need be. Unless `keep`, they are valid only until the
  // next call; kept ones until forget_kept. Null when they cannot be had: outside the file, a
  // failed read, or over the limits (failed() then tells); with `may_read` false, also when they
  // are not in memory already.
  const std::uint8_t* range(std::uint64_t offset, std::uint64_t count, bool keep, bool may_read);
  // The reader starts again from the beginning: no byte it was given is used any more.
  void forget_kept();

  // The pieces loaded besides these: bytes [0, head_size) at `head`, [tail_start, size) at `tail`.
  void set_held(const std::uint8_t* head, std::uint64_t head_size, const std::uint8_t* tail,
                std::uint64_t tail_start) {
    held_head_ = head;
    held_head_size_ = head_size;
    held_tail_ = tail;
    held_tail_start_ = tail_start;
  }
  // Bytes [begin, begin + count) into `into`: those in memory (in the head, the tail or a far
  // piece) copied, only the others read, so that no byte of the file is read twice.
  bool fill(std::uint64_t begin, std::uint8_t* into, std::uint64_t count);

  bool failed() const { return failed_; }
  // The most bytes the pieces held at once.
  std::uint64_t peak_bytes_held() const { return peak_held_; }

 private:
  struct Piece {
    std::uint64_t begin;
    std::uint64_t size;
    std::unique_ptr<std::uint8_t[]> data;
    std::uint64_t last_used;
    bool kept;
  };

  const Piece* find(std::uint64_t offset, std::uint64_t count);
  const Piece* load(std::uint64_t offset, std::uint64_t count);
  bool make_room(std::uint64_t bytes);

  RandomAccessFile& file_;
  std::uint64_t size_;
  FarReadLimits limits_;
  const std::uint8_t* held_head_ = nullptr;
  std::uint64_t held_head_size_ = 0;
  const std::uint8_t* held_tail_ = nullptr;
  std::uint64_t held_tail_start_;
  std::vector<Piece> pieces_;
  std::size_t last_hit_ = 0;
  std::uint64_t clock_ = 0;
  std::uint64_t held_ = 0;
  std::uint64_t peak_held_ = 0;
  std::uint32_t reads_ = 0;
  std::uint64_t bytes_read_ = 0;
  std::uint64_t last_end_ = 0;  // where the last read ended, and how much it fetched
  std::uint64_t last_size_ = 0;
  bool failed_ = false;
};
