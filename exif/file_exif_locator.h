#pragma once
// Runs the photo EXIF locator over a file, reading only the parts of it the scans, the container
// walks and the decoder look at, with the result of reading the file whole.
#include <cstdint>
#include <optional>
#include <utility>

#include "exif/exif_record.h"
#include "exif/lazy_file_bytes.h"
#include "exif/photo_file_facts.h"
#include "exif/random_access_file.h"

// Whether a photo file could be opened and read as far as the reader needed.
enum class PhotoFileStatus { read, cannot_open, cannot_read };

// Files larger than this are refused as unreadable: offsets in a photo are 32-bit.
inline constexpr std::int64_t largest_photo_file = UINT32_MAX;

struct FileExifResult {
  PhotoFileStatus status = PhotoFileStatus::cannot_read;  // read or cannot_read
  int code = 0;  // when read: what locate_photo_exif gives for the file's whole contents
  std::uint64_t peak_bytes_held = 0;  // the most bytes of the file the reader held at once
};

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

// cannot_read, as for a whole-file read, when the size is unknown or above largest_photo_file,
// or when bytes the locator needs cannot be read (the file has shrunk since it was opened). Also
// cannot_read where the whole-file read might decode: when the directories and values lie far
// from the head and tail in more places, or in more bytes, than ReadPlan::far allows, so that a
// hostile file cannot make the reader hold much or read long.
// With `facts`, also notes the file's kind and, for a JPEG, its EXIF thumbnail as far as the
// bytes already loaded tell them (facts->size and modified_ms are the caller's).
FileExifResult locate_exif_in_file(ExifRecord& record, RandomAccessFile& file, ReadPlan plan = {},
                                   PhotoFileFacts* facts = nullptr);
