#pragma once
// Bounds-checked reads of a photo file's bytes for the container walks. Each read gives nothing
// when its bytes lie outside the stream; bytes inside it that are not loaded throw MissingBytes
// (exif/loaded_bytes.h), as everywhere in the reader.
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "exif/io/loaded_bytes.h"

// True when the `count` bytes from `offset` lie wholly inside the stream (no sum can wrap).
inline bool stream_contains(const LoadedBytes& s, std::uint64_t offset, std::uint64_t count) {
  return offset <= s.size() && count <= s.size() - offset;
}

// True when the stream holds exactly `text` at `offset`.
inline bool stream_matches(const LoadedBytes& s, std::uint64_t offset, std::string_view text) {
  return stream_contains(s, offset, text.size()) &&
         std::memcmp(s.range(offset, text.size()), text.data(), text.size()) == 0;
}

// An unsigned number of `size` bytes (at most 8) in the given byte order.
inline std::optional<std::uint64_t> stream_number(const LoadedBytes& s, std::uint64_t offset,
                                                  unsigned size, bool little_endian = false) {
  if (size > 8 || !stream_contains(s, offset, size)) return std::nullopt;
  const std::uint8_t* p = size == 0 ? nullptr : s.range(offset, size);
  std::uint64_t value = 0;
  for (unsigned k = 0; k < size; ++k) {
    value = value << 8 | p[little_endian ? size - 1 - k : k];
  }
  return value;
}

// A four-character code as a number, as container formats name their boxes and chunks.
constexpr std::uint32_t four_cc(const char (&code)[5]) {
  return std::uint32_t{static_cast<std::uint8_t>(code[0])} << 24 |
         std::uint32_t{static_cast<std::uint8_t>(code[1])} << 16 |
         std::uint32_t{static_cast<std::uint8_t>(code[2])} << 8 |
         std::uint32_t{static_cast<std::uint8_t>(code[3])};
}

// A stream's bytes read one number after another, up to `end`. A read past `end` gives 0 and
// marks the cursor failed, so a parser reads a whole record and checks once.
class StreamCursor {
 public:
  StreamCursor(const LoadedBytes& s, std::uint64_t at, std::uint64_t end)
      : s_(s), at_(at), end_(end < s.size() ? end : s.size()) {}

  std::uint64_t take(unsigned size, bool little_endian = false) {
    if (!ok_ || at_ > end_ || size > end_ - at_) {
      ok_ = false;
      return 0;
    }
    const std::optional<std::uint64_t> value = stream_number(s_, at_, size, little_endian);
    at_ += size;
    return value.value_or(0);
  }
  void skip(std::uint64_t count) {
    if (!ok_ || at_ > end_ || count > end_ - at_) {
      ok_ = false;
      return;
    }
    at_ += count;
  }
  bool ok() const { return ok_; }
  std::uint64_t at() const { return at_; }

 private:
  const LoadedBytes& s_;
  std::uint64_t at_;
  std::uint64_t end_;
  bool ok_ = true;
};
