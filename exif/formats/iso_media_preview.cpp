#include <algorithm>
#include <vector>

#include "exif/formats/iso_media_boxes.h"
#include "exif/formats/iso_media_items.h"
#include "exif/formats/iso_media_preview.h"
#include "exif/io/stream_reads.h"

namespace {

constexpr std::uint64_t full_box_header = 4;  // version and flags
// References listed at most, and items each may name: thumbnails, tiles and metadata of a phone
// photo come to a few dozen.
constexpr int most_references = 1024;
constexpr std::uint64_t most_targets = 1024;

// A JPEG stream that starts within the first bytes of a box (after its small header of sizes)
// and runs to the box's end.
std::optional<EmbeddedPreview> jpeg_in_box(const LoadedBytes& bytes, const IsoBox& box) {
  for (std::uint64_t at = box.body; at < box.body + 32 && at + 3 <= box.end; ++at) {
    if (stream_matches(bytes, at, "\xFF\xD8\xFF") && box.end - at <= largest_preview) {
      return EmbeddedPreview{at, box.end - at, four_cc("jpeg")};
    }
  }
  return std::nullopt;
}

// CR3: the preview box (about 1620 x 1080) in its own uuid box, else the thumbnail box (160 x
// 120) in the metadata uuid box under "moov".
std::optional<EmbeddedPreview> find_cr3_preview(const LoadedBytes& bytes) {
  if (const auto preview = find_uuid_box(bytes, 0, bytes.size(), canon_preview_uuid)) {
    // The preview box follows an 8-byte field after the uuid.
    for (std::uint64_t skip : {uuid_size + 8, uuid_size}) {
      if (const auto prvw = find_iso_child(bytes, *preview, skip, four_cc("PRVW"))) {
        if (const auto jpeg = jpeg_in_box(bytes, *prvw)) return jpeg;
      }
    }
  }
  const std::optional<IsoBox> moov = find_iso_box(bytes, 0, bytes.size(), four_cc("moov"));
  if (!moov) return std::nullopt;
  const std::optional<IsoBox> metadata =
      find_uuid_box(bytes, moov->body, moov->end, canon_metadata_uuid);
  if (!metadata) return std::nullopt;
  const std::optional<IsoBox> thumbnail =
      find_iso_child(bytes, *metadata, uuid_size, four_cc("THMB"));
  if (!thumbnail) return std::nullopt;
  return jpeg_in_box(bytes, *thumbnail);
}

struct ItemReference {
  std::uint32_t from = 0;
  std::vector<std::uint32_t> to;
};

// The first reference of `type` in "iref" that `wanted` accepts.
template <typename Wanted>
std::optional<ItemReference> find_reference(const LoadedBytes& bytes, const IsoBox& meta,
                                            std::uint32_t type, Wanted wanted) {
  const std::optional<IsoBox> iref = find_iso_child(bytes, meta, full_box_header, four_cc("iref"));
  if (!iref) return std::nullopt;
  const std::optional<std::uint64_t> version = stream_number(bytes, iref->body, 1);
  if (!version) return std::nullopt;
  const unsigned id_size = *version == 0 ? 2 : 4;
  std::uint64_t at = iref->body + full_box_header;
  for (int n = 0; n < most_references && at < iref->end; ++n) {
    const std::optional<IsoBox> box = find_iso_box(bytes, at, iref->end, type);
    if (!box) return std::nullopt;
    StreamCursor field(bytes, box->body, box->end);
    ItemReference reference{static_cast<std::uint32_t>(field.take(id_size)), {}};
    const std::uint64_t count = field.take(2);
    for (std::uint64_t k = 0; k < count && k < most_targets && field.ok(); ++k) {
      reference.to.push_back(static_cast<std::uint32_t>(field.take(id_size)));
    }
    if (field.ok() && wanted(reference)) return reference;
    at = box->end;
  }
  return std::nullopt;
}

// The thumbnail item of `primary` (of any item when there is no primary item). A thumbnail
// stored as a grid of one tile is that tile.
std::optional<std::uint32_t> thumbnail_of(const LoadedBytes& bytes, const IsoBox& meta,
                                          std::optional<std::uint32_t> primary) {
  const std::optional<ItemReference> thumbnail =
      find_reference(bytes, meta, four_cc("thmb"), [&](const ItemReference& r) {
        return !primary || std::find(r.to.begin(), r.to.end(), *primary) != r.to.end();
      });
  if (!thumbnail) return std::nullopt;
  if (find_item_type(bytes, meta, thumbnail->from) != four_cc("grid")) return thumbnail->from;
  const std::optional<ItemReference> tiles =
      find_reference(bytes, meta, four_cc("dimg"),
                     [&](const ItemReference& r) { return r.from == thumbnail->from; });
  if (tiles && tiles->to.size() == 1) return tiles->to.front();
  return thumbnail->from;
}

// HEIF/AVIF: the primary image's thumbnail item, with its item type.
std::optional<EmbeddedPreview> find_heif_thumbnail(const LoadedBytes& bytes) {
  const std::optional<IsoBox> meta = find_iso_box(bytes, 0, bytes.size(), four_cc("meta"));
  if (!meta) return std::nullopt;
  std::optional<std::uint32_t> primary;
  if (const auto pitm = find_iso_child(bytes, *meta, full_box_header, four_cc("pitm"))) {
    StreamCursor field(bytes, pitm->body, pitm->end);
    const std::uint64_t version = field.take(1);
    field.skip(3);
    const std::uint64_t id = field.take(version == 0 ? 2 : 4);
    if (field.ok()) primary = static_cast<std::uint32_t>(id);
  }
  const std::optional<std::uint32_t> thumbnail = thumbnail_of(bytes, *meta, primary);
  if (!thumbnail) return std::nullopt;
  const std::optional<std::uint32_t> type = find_item_type(bytes, *meta, *thumbnail);
  const std::optional<ItemExtent> extent = find_item_extent(bytes, *meta, *thumbnail);
  if (!type || !extent) return std::nullopt;
  return EmbeddedPreview{extent->offset, extent->length, *type};
}

}  // namespace

std::optional<EmbeddedPreview> find_iso_media_preview(const LoadedBytes& bytes) {
  const std::optional<IsoBox> ftyp = find_iso_box(bytes, 0, bytes.size(), four_cc("ftyp"));
  if (!ftyp) return std::nullopt;
  if (stream_number(bytes, ftyp->body, 4) == four_cc("crx ")) return find_cr3_preview(bytes);
  return find_heif_thumbnail(bytes);
}
