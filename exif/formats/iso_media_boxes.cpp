#include "exif/formats/iso_media_boxes.h"

#include <algorithm>

#include "exif/io/stream_reads.h"

namespace {

// The box at `at` inside a parent that ends at `end`.
std::optional<IsoBox> box_at(const LoadedBytes& bytes, std::uint64_t at, std::uint64_t end) {
  StreamCursor field(bytes, at, end);
  std::uint64_t size = field.take(4);
  const std::uint64_t type = field.take(4);
  if (size == 1) size = field.take(8);
  if (!field.ok()) return std::nullopt;
  if (size == 0) size = end - at;
  const std::uint64_t header = field.at() - at;
  if (size < header || size > end - at) return std::nullopt;
  return IsoBox{static_cast<std::uint32_t>(type), field.at(), at + size};
}

}  // namespace

std::optional<IsoBox> find_iso_box(const LoadedBytes& bytes, std::uint64_t begin, std::uint64_t end,
                                   std::uint32_t type) {
  if (end > bytes.size()) end = bytes.size();
  std::uint64_t at = begin;
  // Every box is at least 8 bytes, so the walk moves forward each time.
  for (int n = 0; n < most_boxes_on_a_level && at < end; ++n) {
    const std::optional<IsoBox> box = box_at(bytes, at, end);
    if (!box) return std::nullopt;
    if (box->type == type) return box;
    at = box->end;
  }
  return std::nullopt;
}

std::optional<IsoBox> find_iso_child(const LoadedBytes& bytes, const IsoBox& parent,
                                     std::uint64_t skip, std::uint32_t type) {
  if (skip > parent.end - parent.body) return std::nullopt;
  return find_iso_box(bytes, parent.body + skip, parent.end, type);
}

std::optional<IsoBox> find_uuid_box(const LoadedBytes& bytes, std::uint64_t begin,
                                    std::uint64_t end, const IsoUuid& uuid) {
  std::uint64_t at = begin;
  for (int n = 0; n < most_boxes_on_a_level && at < end; ++n) {
    const std::optional<IsoBox> box = find_iso_box(bytes, at, end, four_cc("uuid"));
    if (!box || !stream_contains(bytes, box->body, uuid_size)) return std::nullopt;
    if (std::equal(uuid, uuid + uuid_size, bytes.range(box->body, uuid_size))) return box;
    at = box->end;
  }
  return std::nullopt;
}
