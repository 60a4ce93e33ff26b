#pragma once
// A photo file's bytes of which only the head and the tail may be in memory. The segment locator
// and the directory decoder read through this view, so that a file reader can load a few KiB of
// a large photo and still give exactly the result of reading it whole.
#include <cstdint>

// Thrown by LoadedBytes when the bytes asked for are not in memory. Whoever loaded them loads
// more (at least these) and runs the reader again from the start; nothing else catches it.
struct MissingBytes {
  std::uint64_t offset;
  std::uint64_t count;
};

// Bytes [0, head_size) and [tail_start, size) of a stream of `size` bytes. Either the head is the
// whole stream, or a gap of bytes not in memory lies between the two pieces.
class LoadedBytes {
 public:
  // A stream held whole in memory.
  LoadedBytes(const std::uint8_t* bytes, std::uint32_t size)
      : head_(bytes), head_size_(size), tail_(nullptr), tail_start_(size), size_(size) {}
  LoadedBytes(const std::uint8_t* head, std::uint32_t head_size, const std::uint8_t* tail,
              std::uint32_t tail_start, std::uint32_t size)
      : head_(head), head_size_(head_size), tail_(tail), tail_start_(tail_start), size_(size) {}

  std::uint32_t size() const { return size_; }

  // The `count` bytes at `offset`, which the caller has checked to lie inside the stream. Throws
  // MissingBytes unless they all lie in one loaded piece.
  const std::uint8_t* range(std::uint64_t offset, std::uint64_t count) const {
    if (offset + count <= head_size_) return head_ + offset;
    if (offset >= tail_start_) return tail_ + (offset - tail_start_);
    throw MissingBytes{offset, count};
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
};
