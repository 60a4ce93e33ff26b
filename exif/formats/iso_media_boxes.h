#pragma once
// The boxes of an ISO base media file (HEIF, AVIF, CR3): each a 32-bit size (1: a 64-bit size
// follows; 0: the box runs to the end of its parent), a four-character type, then its body.
#include <cstdint>
#include <optional>

#include "exif/io/loaded_bytes.h"

struct IsoBox {
  std::uint32_t type = 0;
  std::uint64_t body = 0;  // stream offset of the first byte after the size and type fields
  std::uint64_t end = 0;   // stream offset just past the box
};

// Children walked at most in one parent, and parents nested at most: real files have a few dozen
// boxes on a level and four or five levels.
inline constexpr int most_boxes_on_a_level = 1024;

// The first box of `type` among the boxes that fill [begin, end), or none when there is none or
// a box's size does not fit in its parent.
std::optional<IsoBox> find_iso_box(const LoadedBytes& bytes, std::uint64_t begin, std::uint64_t end,
                                   std::uint32_t type);

// The same for the children of a box, after `skip` bytes of its body (4 for a full box's version
// and flags, 16 for a uuid box's extended type).
std::optional<IsoBox> find_iso_child(const LoadedBytes& bytes, const IsoBox& parent,
                                     std::uint64_t skip, std::uint32_t type);

// A uuid box's body starts with its 16-byte extended type.
inline constexpr std::uint64_t uuid_size = 16;
using IsoUuid = std::uint8_t[uuid_size];

// CR3 files keep their TIFF structures and thumbnail in this uuid box under "moov", and their
// larger JPEG preview in a top-level box of the second.
inline constexpr IsoUuid canon_metadata_uuid = {0x85, 0xC0, 0xB6, 0x87, 0x82, 0x0F, 0x11, 0xE0,
                                                0x81, 0x11, 0xF4, 0xCE, 0x46, 0x2B, 0x6A, 0x48};
inline constexpr IsoUuid canon_preview_uuid = {0xEA, 0xF4, 0x2B, 0x5E, 0x1C, 0x98, 0x4B, 0x88,
                                               0xB9, 0xFB, 0xB7, 0xDC, 0x40, 0x6E, 0x4D, 0x16};

// The first uuid box of extended type `uuid` among the boxes that fill [begin, end).
std::optional<IsoBox> find_uuid_box(const LoadedBytes& bytes, std::uint64_t begin,
                                    std::uint64_t end, const IsoUuid& uuid);
