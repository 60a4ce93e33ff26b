#pragma once
// A photo file's bytes of which only the head and the tail may be in memory, and pieces between
// them read on demand. The segment locator and the directory decoder read through this view, so
// that a file reader can load a few KiB of a large photo and still give exactly the result of
// reading it whole.
#include <cstdint>

class FarPieces;

// Thrown by LoadedBytes when the bytes asked for are not in memory and cannot be read on demand.
// Whoever loaded them loads more (at least these) and runs the reader again from the start, or
// gives up when they cannot be read; nothing else catches it.
struct MissingBytes {
  std::uint64_t offset;
  std::uint64_t count;
};

// Bytes [0, head_size) and [tail_start, size) of a stream of `size` bytes. Either the head is the
// whole stream, or a gap lies between the two pieces, whose bytes `far` (when given) reads as
// they are asked for.
class LoadedBytes {
 public:
  // A stream held whole in memory.
  LoadedBytes(const std::uint8_t* bytes, std::uint32_t size)
      : head_(bytes), head_size_(size), tail_(nullptr), tail_start_(size), size_(size) {}
  // With `far_reads` false, `far` gives only the bytes it holds already.
  LoadedBytes(const std::uint8_t* head, std::uint32_t head_size, const std::uint8_t* tail,
              std::uint32_t tail_start, std::uint32_t size, FarPieces* far = nullptr,
              bool far_reads = true)
      : head_(head),
        head_size_(head_size),
        tail_(tail),
        tail_start_(tail_start),
        size_(size),
        far_(far),
        far_reads_(far_reads) {}

  std::uint32_t size() const { return size_; }

  // The `count` bytes at `offset`, which the caller has checked to lie inside the stream. Throws
  // MissingBytes unless they lie in the head or the tail or can be had from the far pieces. Bytes
  // from the far pieces are valid only until the next call of range or kept_range.
  const std::uint8_t* range(std::uint64_t offset, std::uint64_t count) const {
    if (offset + count <= head_size_) return head_ + offset;
    if (offset >= tail_start_) return tail_ + (offset - tail_start_);
    return far_range(offset, count, false);
  }
  // As range, but valid until the next load, for a reader that keeps views of what it read.
  const std::uint8_t* kept_range(std::uint64_t offset, std::uint64_t count) const {
    if (offset + count <= head_size_) return head_ + offset;
    if (offset >= tail_start_) return tail_ + (offset - tail_start_);
    return far_range(offset, count, true);
  }

  // The loaded piece that ends at the stream's end: byte `begin` + k of the stream is data[k], up
  // to the end. Scans run through a piece with one comparison per byte instead of a range call.
  struct Piece {
    const std::uint8_t* data;
    std::uint64_t begin;
  };
  Piece last_piece() const {
    if (tail_start_ < size_) return {tail_, tail_start_};
    if (head_size_ == size_) return {head_, 0};
    return {nullptr, size_};
  }
  // The piece that starts at the stream's start: bytes [0, head_size()) are at head().
  const std::uint8_t* head() const { return head_; }
  std::uint64_t head_size() const { return head_size_; }

 private:
  const std::uint8_t* head_;
  std::uint32_t head_size_;
  const std::uint8_t* tail_;
  std::uint32_t tail_start_;
  std::uint32_t size_;
  FarPieces* far_;
  bool far_reads_;

  const std::uint8_t* far_range(std::uint64_t offset, std::uint64_t count, bool keep) const;
};
