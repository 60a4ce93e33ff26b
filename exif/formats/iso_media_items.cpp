#include "exif/formats/iso_media_items.h"

#include "exif/io/stream_reads.h"

namespace {

constexpr std::uint64_t full_box_header = 4;  // version and flags
// Phones write a few hundred items at most (an image's tiles, thumbnails, metadata); files that
// claim more are not searched further.
constexpr std::uint32_t most_items = 1 << 16;

enum ConstructionMethod : std::uint64_t { file_offset = 0, idat_offset = 1 };

bool is_field_size(std::uint64_t size) {
  return size == 0 || size == 4 || size == 8;
}

}  // namespace

namespace {

struct ItemInfo {
  std::uint32_t id = 0;
  std::uint32_t type = 0;
};

// The first item "iinf" lists that `wanted` accepts.
template <typename Wanted>
std::optional<ItemInfo> find_item_info(const LoadedBytes& bytes, const IsoBox& meta,
                                       Wanted wanted) {
  const std::optional<IsoBox> iinf = find_iso_child(bytes, meta, full_box_header, four_cc("iinf"));
  if (!iinf) return std::nullopt;
  StreamCursor header(bytes, iinf->body, iinf->end);
  const std::uint64_t version = header.take(1);
  header.skip(3);
  const std::uint64_t count = header.take(version == 0 ? 2 : 4);
  if (!header.ok()) return std::nullopt;
  // One "infe" box an item. Versions 0 and 1 have no item type.
  std::uint64_t at = header.at();
  for (std::uint64_t n = 0; n < count && n < most_items && at < iinf->end; ++n) {
    const std::optional<IsoBox> infe = find_iso_box(bytes, at, iinf->end, four_cc("infe"));
    if (!infe) return std::nullopt;
    StreamCursor entry(bytes, infe->body, infe->end);
    const std::uint64_t infe_version = entry.take(1);
    entry.skip(3);
    if (infe_version >= 2) {
      const std::uint64_t id = entry.take(infe_version == 2 ? 2 : 4);
      entry.skip(2);  // protection index
      const ItemInfo item{static_cast<std::uint32_t>(id),
                          static_cast<std::uint32_t>(entry.take(4))};
      if (entry.ok() && wanted(item)) return item;
    }
    at = infe->end;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> find_item_id(const LoadedBytes& bytes, const IsoBox& meta,
                                          std::uint32_t type) {
  const auto item = find_item_info(bytes, meta, [&](const ItemInfo& i) { return i.type == type; });
  if (!item) return std::nullopt;
  return item->id;
}

std::optional<std::uint32_t> find_item_type(const LoadedBytes& bytes, const IsoBox& meta,
                                            std::uint32_t item_id) {
  const auto item = find_item_info(bytes, meta, [&](const ItemInfo& i) { return i.id == item_id; });
  if (!item) return std::nullopt;
  return item->type;
}

std::optional<ItemExtent> find_item_extent(const LoadedBytes& bytes, const IsoBox& meta,
                                           std::uint32_t item_id) {
  const std::optional<IsoBox> iloc = find_iso_child(bytes, meta, full_box_header, four_cc("iloc"));
  if (!iloc) return std::nullopt;
  StreamCursor at(bytes, iloc->body, iloc->end);
  const std::uint64_t version = at.take(1);
  at.skip(3);
  const std::uint64_t sizes = at.take(1);
  const std::uint64_t more_sizes = at.take(1);
  const std::uint64_t offset_size = sizes >> 4, length_size = sizes & 15;
  const std::uint64_t base_size = more_sizes >> 4;
  const bool has_method = version == 1 || version == 2;
  const std::uint64_t index_size = has_method ? more_sizes & 15 : 0;
  const std::uint64_t count = at.take(version < 2 ? 2 : 4);
  if (!at.ok() || version > 2 || !is_field_size(offset_size) || !is_field_size(length_size) ||
      !is_field_size(base_size) || !is_field_size(index_size)) {
    return std::nullopt;
  }
  const std::uint64_t extent_size = index_size + offset_size + length_size;
  for (std::uint64_t n = 0; n < count && n < most_items; ++n) {
    const std::uint64_t id = at.take(version < 2 ? 2 : 4);
    const std::uint64_t method = has_method ? at.take(2) & 15 : file_offset;
    at.skip(2);  // data reference index
    const std::uint64_t base = at.take(static_cast<unsigned>(base_size));
    const std::uint64_t extents = at.take(2);
    if (!at.ok()) return std::nullopt;
    if (id != item_id) {
      at.skip(extents * extent_size);
      continue;
    }
    if (extents != 1) return std::nullopt;
    at.skip(index_size);
    const std::uint64_t offset = at.take(static_cast<unsigned>(offset_size));
    std::uint64_t length = at.take(static_cast<unsigned>(length_size));
    if (!at.ok() || (method != file_offset && method != idat_offset)) return std::nullopt;
    std::uint64_t origin = 0, end = bytes.size();
    if (method == idat_offset) {
      const std::optional<IsoBox> idat =
          find_iso_child(bytes, meta, full_box_header, four_cc("idat"));
      if (!idat) return std::nullopt;
      origin = idat->body;
      end = idat->end;
    }
    // Offsets are 64-bit: check each step against the end so that no sum wraps.
    if (base > end - origin || offset > end - origin - base) return std::nullopt;
    const std::uint64_t start = origin + base + offset;
    if (length == 0) length = end - start;  // the item runs to the end
    if (length > end - start) return std::nullopt;
    return ItemExtent{start, length};
  }
  return std::nullopt;
}

std::optional<ItemExtent> find_item_of_type(const LoadedBytes& bytes, const IsoBox& meta,
                                            std::uint32_t type) {
  const std::optional<std::uint32_t> id = find_item_id(bytes, meta, type);
  if (!id) return std::nullopt;
  return find_item_extent(bytes, meta, *id);
}
