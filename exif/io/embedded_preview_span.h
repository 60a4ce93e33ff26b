#pragma once
// Where in a photo's stream a ready-made picture lies, as the format readers find it.
#include <cstdint>

struct EmbeddedPreview {
  std::uint64_t offset = 0;  // stream offset of the picture's first byte
  std::uint64_t length = 0;
  // four_cc("jpeg") for a JPEG stream (FF D8 ...); for a HEIF thumbnail item its item type, such
  // as "hvc1" (HEVC, whose decoder setup lies in the item's properties) or "av01".
  std::uint32_t type = 0;
};

// JPEG previews larger than this are passed over, as no preview is meant to be that large.
inline constexpr std::uint64_t largest_preview = 32 << 20;
