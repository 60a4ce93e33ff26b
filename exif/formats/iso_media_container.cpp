#include <algorithm>

#include "exif/formats/container_exif_locators.h"
#include "exif/formats/iso_media_boxes.h"
#include "exif/formats/iso_media_items.h"
#include "exif/io/stream_reads.h"
#include "exif/tiff/exif_block_decoder.h"
#include "exif/tiff/exif_result_codes.h"

namespace {

std::uint32_t length_of(const IsoBox& box) {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(box.end - box.body, UINT32_MAX));
}

int locate_cr3_exif(ExifRecord& record, const LoadedBytes& bytes) {
  const std::optional<IsoBox> moov = find_iso_box(bytes, 0, bytes.size(), four_cc("moov"));
  if (!moov) return exif_missing;
  const std::optional<IsoBox> uuid =
      find_uuid_box(bytes, moov->body, moov->end, canon_metadata_uuid);
  if (!uuid) return exif_missing;
  const std::optional<IsoBox> image = find_iso_child(bytes, *uuid, uuid_size, four_cc("CMT1"));
  if (!image) return exif_missing;
  int result = decode_tiff_block(record, bytes, image->body, length_of(*image));
  const struct {
    std::uint32_t type;
    TiffDirectory first;
  } others[] = {{four_cc("CMT2"), TiffDirectory::exif}, {four_cc("CMT4"), TiffDirectory::gps}};
  for (const auto& other : others) {
    if (result != exif_decoded) break;
    if (const std::optional<IsoBox> box = find_iso_child(bytes, *uuid, uuid_size, other.type)) {
      result = decode_tiff_block(record, bytes, box->body, length_of(*box), other.first);
    }
  }
  return result;
}

int locate_heif_exif(ExifRecord& record, const LoadedBytes& bytes) {
  const std::optional<IsoBox> meta = find_iso_box(bytes, 0, bytes.size(), four_cc("meta"));
  if (!meta) return exif_missing;
  const std::optional<ItemExtent> item = find_item_of_type(bytes, *meta, four_cc("Exif"));
  if (!item) return exif_missing;
  // The item starts with the offset of the TIFF header from the end of that offset field, which
  // skips "Exif\0\0" or whatever else a writer put before it.
  const std::optional<std::uint64_t> header_offset =
      item->length >= 4 ? stream_number(bytes, item->offset, 4) : std::nullopt;
  if (!header_offset || *header_offset > item->length - 4) return exif_corrupt;
  const std::uint64_t start = item->offset + 4 + *header_offset;
  const std::uint64_t length =
      std::min<std::uint64_t>(item->length - 4 - *header_offset, UINT32_MAX);
  return decode_exif_payload(record, bytes, start, static_cast<std::uint32_t>(length));
}

}  // namespace

int locate_iso_media_exif(ExifRecord& record, const LoadedBytes& bytes) {
  const std::optional<IsoBox> ftyp = find_iso_box(bytes, 0, bytes.size(), four_cc("ftyp"));
  if (!ftyp) return exif_missing;
  const bool cr3 = stream_number(bytes, ftyp->body, 4) == four_cc("crx ");
  return cr3 ? locate_cr3_exif(record, bytes) : locate_heif_exif(record, bytes);
}
