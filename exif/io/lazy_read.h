#pragma once
// Reading a photo file only as far as a pure function of its bytes needs.
#include <cstdint>
#include <optional>
#include <utility>

#include "exif/io/lazy_file_bytes.h"
#include "exif/io/random_access_file.h"

// Files larger than this are refused as unreadable: offsets in a photo are 32-bit.
inline constexpr std::int64_t largest_photo_file = UINT32_MAX;

// Runs `read` (a function of the file's LoadedBytes) over the file, loading more and running it
// again from the start each time it throws MissingBytes. `read` must be a pure function of the
// bytes, so that the answer is what one run over the whole file gives; each load at least doubles
// a piece, so this ends after a few rounds. None when the size is unknown or above
// largest_photo_file, or when bytes `read` needs cannot be read (the file has shrunk since, or
// they lie far from the head and tail in more places than the far reads' limits allow).
template <typename Read>
auto read_file_lazily(RandomAccessFile& file, ReadPlan plan, Read read)
    -> std::optional<decltype(read(std::declval<const LoadedBytes&>()))> {
  const std::int64_t size = file.size();
  if (size < 0 || size > largest_photo_file) return std::nullopt;
  LazyFileBytes bytes(file, static_cast<std::uint32_t>(size), plan);
  if (!bytes.load_first()) return std::nullopt;
  for (;;) {
    try {
      return read(bytes.view());
    } catch (const MissingBytes& missing) {
      if (!bytes.load_more(missing)) return std::nullopt;
    }
  }
}
