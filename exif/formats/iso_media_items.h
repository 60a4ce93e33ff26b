#pragma once
// The items of a HEIF file's "meta" box: "iinf" gives each item's id and type, "iloc" where its
// bytes lie (in the file, or in the "idat" box of "meta").
#include <cstdint>
#include <optional>

#include "exif/formats/iso_media_boxes.h"
#include "exif/io/loaded_bytes.h"

// Where an item's bytes lie in the stream. Only items stored in one piece are located.
struct ItemExtent {
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
};

// The first item of `type` (a four-character code) that "meta" lists; none when there is none,
// or when its bytes are not one piece inside the stream.
std::optional<ItemExtent> find_item_of_type(const LoadedBytes& bytes, const IsoBox& meta,
                                            std::uint32_t type);

// The id of the first item of `type`, the type of the item of a given id, and where it lies.
std::optional<std::uint32_t> find_item_id(const LoadedBytes& bytes, const IsoBox& meta,
                                          std::uint32_t type);
std::optional<std::uint32_t> find_item_type(const LoadedBytes& bytes, const IsoBox& meta,
                                            std::uint32_t item_id);
std::optional<ItemExtent> find_item_extent(const LoadedBytes& bytes, const IsoBox& meta,
                                           std::uint32_t item_id);
