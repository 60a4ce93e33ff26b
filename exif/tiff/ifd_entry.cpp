#include "exif/tiff/ifd_entry.h"

namespace {

// Element size of the types whose values are decoded; 0 for the others.
std::uint64_t element_size(std::uint16_t type) {
  switch (type) {
    case tiff_byte:
    case tiff_ascii:
      return 1;
    case tiff_short:
      return 2;
    case tiff_long:
    case tiff_ifd:
      return 4;
    case tiff_rational:
      return 8;
    default:
      return 0;
  }
}

bool is_known_type(std::uint16_t type) {
  return element_size(type) != 0 || type == tiff_undefined || type == tiff_slong ||
         type == tiff_srational;
}

}  // namespace

IfdEntry decode_ifd_entry(const TiffReader& block, std::uint64_t e) {
  IfdEntry entry;
  entry.little_endian = block.little_endian();
  if (!block.contains(e, 12)) return entry;

  entry.tag = block.u16(e);
  const std::uint16_t type = block.u16(e + 2);
  entry.count = block.u32(e + 4);
  entry.value_field = block.u32(e + 8);
  if (!is_known_type(type)) {
    entry.tag = unusable_tag;
    return entry;
  }
  entry.type = type;
  if (element_size(type) == 0) return entry;

  // 64-bit product: a count near 2^32 must not wrap into a small size.
  const std::uint64_t size = entry.count * element_size(type);
  if (size <= 4) {
    entry.values = block.at(e + 8, 4);
  } else if (block.contains(block_offset(entry.value_field), size)) {
    entry.values = block.at(block_offset(entry.value_field), size);
  } else {
    entry.tag = unusable_tag;
    entry.type = unusable_type;
  }
  return entry;
}

std::uint16_t short_at(const IfdEntry& entry, std::uint32_t index) {
  return read_u16(entry.values + std::size_t{index} * 2, entry.little_endian);
}

std::uint32_t long_at(const IfdEntry& entry, std::uint32_t index) {
  return read_u32(entry.values + std::size_t{index} * 4, entry.little_endian);
}

Rational rational_at(const IfdEntry& entry, std::uint32_t index) {
  return read_rational(entry.values + std::size_t{index} * 8, entry.little_endian);
}

QByteArray ascii_view(const IfdEntry& entry) {
  if (entry.type != tiff_ascii || entry.values == nullptr) return {};
  qsizetype size = entry.count;
  if (size > 0 && entry.values[size - 1] == 0) --size;
  return QByteArray::fromRawData(reinterpret_cast<const char*>(entry.values), size);
}
