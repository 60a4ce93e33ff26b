#pragma once
// The two marker scans of the segment locator over a photo file that is loaded in pieces: the
// loaded head and tail grow as the scans need, as the decoder's reads make them grow, up to a
// fixed amount of memory; past it the rest of the file is read through one buffer of a fixed
// size. A file of any size costs a bounded amount of memory, and one that fits under the bound
// is read only once. The plan (exif/lazy_file_bytes.h) sets the bound and the buffer's size.
#include <cstdint>
#include <optional>

#include "exif/io/lazy_file_bytes.h"
#include "exif/io/random_access_file.h"

// Offset just past the last FF D9 pair that starts at offset 1 or later, or 0 when there is
// none. Empty when the file cannot be read.
std::optional<std::uint32_t> find_stream_end(LazyFileBytes& bytes, RandomAccessFile& file,
                                             const ReadPlan& plan);

// Offset of the first FF E1 pair that starts before `stream_end` - 1, or `stream_end` - 1 when
// there is none (`stream_end` >= 2). Empty when the file cannot be read.
std::optional<std::uint32_t> find_first_app1(LazyFileBytes& bytes, RandomAccessFile& file,
                                             std::uint32_t stream_end, const ReadPlan& plan);
