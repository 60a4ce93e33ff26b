#pragma once
// A file held in memory, for running the lazy file reader over composed or fuzzed bytes. It can
// claim a larger size than it can deliver, as a file that shrinks after it was opened does, and
// it counts what is read from it.
#include <algorithm>
#include <cstdint>

#include "exif/io/random_access_file.h"

class MemoryFile : public RandomAccessFile {
 public:
  // `size` bytes at `bytes`, of which only the first `readable` can be read.
  MemoryFile(const std::uint8_t* bytes, std::int64_t size, std::int64_t readable)
      : bytes_(bytes), size_(size), readable_(readable) {}
  MemoryFile(const std::uint8_t* bytes, std::int64_t size) : MemoryFile(bytes, size, size) {}

  std::int64_t size() const override { return size_; }
  // From the next read on, only the first `readable` bytes can be read.
  void shrink_after(int reads_before, std::int64_t readable) {
    shrink_after_ = reads_before;
    shrunk_readable_ = readable;
  }

  bool read_at(std::uint64_t offset, std::uint8_t* into, std::size_t count) override {
    if (reads++ == shrink_after_) readable_ = shrunk_readable_;
    if (offset + count > static_cast<std::uint64_t>(readable_)) return false;
    std::copy_n(bytes_ + offset, count, into);
    bytes_read += count;
    return true;
  }

  int reads = 0;
  std::uint64_t bytes_read = 0;

 private:
  const std::uint8_t* bytes_;
  std::int64_t size_;
  std::int64_t readable_;
  int shrink_after_ = -1;
  std::int64_t shrunk_readable_ = 0;
};
