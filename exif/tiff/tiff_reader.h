#pragma once
// Bounds-aware reads of 8-, 16- and 32-bit numbers from an EXIF block in the block's byte order.
// Offsets and sizes are 64-bit so that offset + size never wraps: a huge 32-bit offset from the
// file always counts as outside the block.
#include <cstdint>

#include "exif/io/loaded_bytes.h"
#include "exif/tiff/exif_record.h"

// Numbers stored at `p` in the given byte order.
inline std::uint16_t read_u16(const std::uint8_t* p, bool little_endian) {
  return little_endian ? static_cast<std::uint16_t>(p[0] | p[1] << 8)
                       : static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}
inline std::uint32_t read_u32(const std::uint8_t* p, bool little_endian) {
  const std::uint32_t b0 = p[0], b1 = p[1], b2 = p[2], b3 = p[3];
  return little_endian ? (b0 | b1 << 8 | b2 << 16 | b3 << 24)
                       : (b0 << 24 | b1 << 16 | b2 << 8 | b3);
}
inline Rational read_rational(const std::uint8_t* p, bool little_endian) {
  return {read_u32(p, little_endian), read_u32(p + 4, little_endian)};
}

// The block lies `start` bytes into a stream that may be only partly in memory; every read goes
// through the stream, which throws MissingBytes for bytes that are not loaded.
class TiffReader {
 public:
  TiffReader(const LoadedBytes& stream, std::uint64_t start, std::uint32_t length,
             bool little_endian)
      : stream_(stream), start_(start), length_(length), little_endian_(little_endian) {}

  std::uint32_t length() const { return length_; }
  bool little_endian() const { return little_endian_; }

  // True when the `size` bytes from `offset` lie wholly inside the block.
  bool contains(std::uint64_t offset, std::uint64_t size) const {
    return offset <= length_ && size <= length_ - offset;
  }

  // The readers below expect the caller to have checked `contains` first. The bytes `at` gives
  // stay valid for the whole decode: entries and the record keep views of them.
  const std::uint8_t* at(std::uint64_t offset, std::uint64_t size) const {
    return stream_.kept_range(start_ + offset, size);
  }
  std::uint8_t u8(std::uint64_t offset) const { return *passing(offset, 1); }
  std::uint16_t u16(std::uint64_t offset) const {
    return read_u16(passing(offset, 2), little_endian_);
  }
  std::uint32_t u32(std::uint64_t offset) const {
    return read_u32(passing(offset, 4), little_endian_);
  }
  Rational rational(std::uint64_t offset) const {
    return read_rational(passing(offset, 8), little_endian_);
  }

 private:
  // Bytes read at once and not kept.
  const std::uint8_t* passing(std::uint64_t offset, std::uint64_t size) const {
    return stream_.range(start_ + offset, size);
  }

  const LoadedBytes& stream_;
  std::uint64_t start_;
  std::uint32_t length_;
  bool little_endian_;
};

// TIFF offsets count from the byte-order mark, which sits 6 bytes into the block, after "Exif\0\0".
inline std::uint64_t block_offset(std::uint32_t tiff_offset) {
  return static_cast<std::uint64_t>(tiff_offset) + 6;
}
