#pragma once
// The boxes of an ISO base media file (HEIF, AVIF, CR3): each a 32-bit size (1: a 64-bit size
// follows; 0: the box runs to the end of its parent), a four-character type, then its body.
#include <cstdint>
#include <optional>

#include "exif/loaded_bytes.h"

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
