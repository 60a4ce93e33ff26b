#include "exif/io/loaded_bytes.h"

#include "exif/io/far_pieces.h"

const std::uint8_t* LoadedBytes::far_range(std::uint64_t offset, std::uint64_t count,
                                           bool keep) const {
  const std::uint8_t* bytes = far_ ? far_->range(offset, count, keep, far_reads_) : nullptr;
  if (bytes == nullptr) throw MissingBytes{offset, count};
  return bytes;
}
