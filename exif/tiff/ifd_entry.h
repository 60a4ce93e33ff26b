#pragma once
// One 12-byte entry of a TIFF image directory.
#include <QByteArray>
#include <cstdint>

#include "exif/tiff/exif_record.h"
#include "exif/tiff/tiff_reader.h"

enum TiffType : std::uint16_t {
  tiff_byte = 1,
  tiff_ascii = 2,
  tiff_short = 3,
  tiff_long = 4,
  tiff_rational = 5,
  tiff_undefined = 7,
  tiff_slong = 9,
  tiff_srational = 10,
  tiff_ifd = 13,  // a sub-directory's offset, as TIFF and DNG writers store their pointers
};

// Mark an entry that cannot be used: an unknown type code or values outside the block. Both are
// set, so that no check of the tag or of the type alone takes such an entry for one with values.
inline constexpr std::uint16_t unusable_tag = 0x00FF;
inline constexpr std::uint16_t unusable_type = 0x00FF;

// The values are not copied out of the block: `values` points at them as stored (in the value
// field itself when they fit in 4 bytes) and the accessors below convert one at a time. This
// keeps a directory walk linear in the directory size, whatever counts the entries claim.
struct IfdEntry {
  std::uint16_t tag = unusable_tag;
  std::uint16_t type = unusable_type;
  std::uint32_t value_field = 0;  // the 4-byte value field as a number
  std::uint32_t count = 0;
  const std::uint8_t* values = nullptr;  // null for UNDEFINED, SLONG, SRATIONAL and unusable
  bool little_endian = false;
};

// Decodes the entry at block offset `entry_offset`. An entry that does not fit in the block, has
// an unknown type code, or whose values reach past the block comes back with tag unusable_tag.
IfdEntry decode_ifd_entry(const TiffReader& block, std::uint64_t entry_offset);

// Value `index` (< count) of a SHORT, LONG or RATIONAL entry that has values.
std::uint16_t short_at(const IfdEntry& entry, std::uint32_t index);
std::uint32_t long_at(const IfdEntry& entry, std::uint32_t index);
Rational rational_at(const IfdEntry& entry, std::uint32_t index);
// The bytes of an ASCII entry, without the one terminating zero byte if there is one. The result
// refers to the block's bytes, so it is only valid while the block is.
QByteArray ascii_view(const IfdEntry& entry);
