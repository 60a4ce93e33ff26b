#pragma once
// A file read by offset: the photo on disk, or bytes in memory for tests and fuzzing.
#include <cstddef>
#include <cstdint>

class RandomAccessFile {
 public:
  virtual ~RandomAccessFile() = default;
  // The size found when the file was opened; negative when it could not be found.
  virtual std::int64_t size() const = 0;
  // Reads exactly `count` bytes from `offset` into `into`; false when fewer can be had (the file
  // shrank or cannot be read).
  virtual bool read_at(std::uint64_t offset, std::uint8_t* into, std::size_t count) = 0;
};
