#include "exif/tiff/exif_block_decoder.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>

#include "exif/tiff/exif_result_codes.h"
#include "exif/tiff/gps_directory.h"
#include "exif/tiff/ifd_entry.h"
#include "exif/tiff/tiff_reader.h"

namespace {

constexpr std::uint8_t exif_identifier[6] = {'E', 'x', 'i', 'f', 0, 0};

// Where IFD0 says the two sub-directories are. An absent one stays at the block length, which
// the walks below treat as "nothing there".
struct SubDirectories {
  std::uint64_t exif;
  std::uint64_t gps;
};

// Which tag fills which field. An entry of a listed tag but of another type than the field
// needs, or without values, leaves the field unchanged; the last usable occurrence of a tag wins.
template <typename Field>
struct TagField {
  std::uint16_t tag;
  Field ExifRecord::*field;
};
using TextField = TagField<QByteArray>;
using ShortField = TagField<std::uint16_t>;
using LongField = TagField<std::uint32_t>;
using RationalField = TagField<double>;

constexpr TextField ifd0_texts[] = {
    {0x010E, &ExifRecord::image_description}, {0x010F, &ExifRecord::camera_make},
    {0x0110, &ExifRecord::camera_model},      {0x0131, &ExifRecord::software},
    {0x0132, &ExifRecord::date_time_changed}, {0x8298, &ExifRecord::rights_notice},
};
constexpr ShortField ifd0_shorts[] = {
    {0x0102, &ExifRecord::bits_per_sample},
    {0x0112, &ExifRecord::orientation},
};
constexpr std::uint16_t exif_pointer_tag = 0x8769;
constexpr std::uint16_t gps_pointer_tag = 0x8825;

constexpr TextField exif_texts[] = {
    {0x9003, &ExifRecord::date_time_original},
    {0x9004, &ExifRecord::date_time_digitized},
    {0x9291, &ExifRecord::sub_sec_time_original},
    {0x9011, &ExifRecord::offset_time_original},
    {0xA433, &ExifRecord::lens_make},
    {0xA434, &ExifRecord::lens_model},
};
constexpr ShortField exif_shorts[] = {
    {0x8822, &ExifRecord::exposure_program},  {0x8827, &ExifRecord::iso_speed},
    {0x9207, &ExifRecord::metering_mode},     {0xA210, &ExifRecord::focal_plane_resolution_unit},
    {0xA405, &ExifRecord::focal_length_35mm},
};
// PixelXDimension and PixelYDimension come as SHORT or LONG.
constexpr LongField exif_dimensions[] = {
    {0xA002, &ExifRecord::image_width},
    {0xA003, &ExifRecord::image_height},
};
// Only unsigned RATIONAL is accepted, also for the two values that are signed in the standard
// (ShutterSpeedValue, ExposureBiasValue).
constexpr RationalField exif_rationals[] = {
    {0x829A, &ExifRecord::exposure_time},
    {0x829D, &ExifRecord::f_number},
    {0x9201, &ExifRecord::shutter_speed_value},
    {0x9204, &ExifRecord::exposure_bias},
    {0x9206, &ExifRecord::subject_distance},
    {0x920A, &ExifRecord::focal_length},
    {0xA20E, &ExifRecord::focal_plane_x_resolution},
    {0xA20F, &ExifRecord::focal_plane_y_resolution},
};
constexpr std::uint16_t flash_tag = 0x9209;
constexpr std::uint16_t lens_specification_tag = 0xA432;

bool has_first_value(const IfdEntry& e, std::uint16_t type) {
  return e.type == type && e.count > 0;
}

// Applies `e` to the one field its tag names in `fields`, if any; true when the tag was listed.
template <typename Field, std::size_t N, typename Convert>
bool apply_listed(ExifRecord& r, const IfdEntry& e, const TagField<Field> (&fields)[N],
                  Convert convert) {
  for (const TagField<Field>& f : fields) {
    if (f.tag != e.tag) continue;
    if (auto value = convert(e)) r.*f.field = *value;
    return true;
  }
  return false;
}

std::optional<QByteArray> text_value(const IfdEntry& e) {
  if (e.type != tiff_ascii) return std::nullopt;
  return ascii_view(e);
}
std::optional<std::uint16_t> short_value(const IfdEntry& e) {
  if (!has_first_value(e, tiff_short)) return std::nullopt;
  return short_at(e, 0);
}
std::optional<std::uint32_t> dimension_value(const IfdEntry& e) {
  if (has_first_value(e, tiff_long)) return long_at(e, 0);
  return short_value(e);
}
std::optional<double> rational_number(const IfdEntry& e) {
  if (!has_first_value(e, tiff_rational)) return std::nullopt;
  return rational_value(rational_at(e, 0));
}

void apply_ifd0_entry(ExifRecord& r, const IfdEntry& e, SubDirectories& sub) {
  // Unusable entries carry unusable_tag, which matches nothing here.
  if (e.tag == exif_pointer_tag) sub.exif = block_offset(e.value_field);
  if (e.tag == gps_pointer_tag) sub.gps = block_offset(e.value_field);
  apply_listed(r, e, ifd0_texts, text_value) || apply_listed(r, e, ifd0_shorts, short_value);
}

void apply_exif_entry(ExifRecord& r, const IfdEntry& e) {
  if (apply_listed(r, e, exif_texts, text_value) || apply_listed(r, e, exif_shorts, short_value) ||
      apply_listed(r, e, exif_dimensions, dimension_value) ||
      apply_listed(r, e, exif_rationals, rational_number)) {
    return;
  }
  if (e.tag == flash_tag && has_first_value(e, tiff_short)) {
    const std::uint16_t flash = short_at(e, 0);
    r.flash_fired = flash & 1;
    r.flash_return = (flash >> 1) & 3;
    r.flash_mode = (flash >> 3) & 3;
  }
  if (e.tag == lens_specification_tag && e.type == tiff_rational) {
    for (std::uint32_t i = 0; i < e.count && i < 4; ++i) {
      r.lens_specification[i] = rational_value(rational_at(e, i));
    }
  }
}

// A directory at block offset d: a 16-bit count, 12 bytes per entry, a 4-byte next offset.
bool directory_fits(const TiffReader& block, std::uint64_t d) {
  return block.contains(d, 2) && block.contains(d + 2, 12ull * block.u16(d) + 4);
}

template <typename Apply>
void walk_directory(const TiffReader& block, std::uint64_t d, Apply apply) {
  const std::uint16_t count = block.u16(d);
  for (std::uint32_t k = 0; k < count; ++k) apply(decode_ifd_entry(block, d + 2 + 12ull * k));
}

int decode_directories(ExifRecord& record, const TiffReader& block) {
  const std::uint64_t ifd0 = block_offset(block.u32(10));
  if (!directory_fits(block, ifd0)) return exif_corrupt;

  SubDirectories sub{block.length(), block.length()};
  walk_directory(block, ifd0, [&](const IfdEntry& e) { apply_ifd0_entry(record, e, sub); });

  // A sub-directory pointer with no room for even a count is ignored, not an error.
  if (block.contains(sub.exif, 4)) {
    if (!directory_fits(block, sub.exif)) return exif_corrupt;
    walk_directory(block, sub.exif, [&](const IfdEntry& e) { apply_exif_entry(record, e); });
  }
  if (block.contains(sub.gps, 4)) {
    if (!directory_fits(block, sub.gps)) return exif_corrupt;
    read_gps_directory(record, block, sub.gps);
  }
  return exif_decoded;
}

// A TIFF whose first directory is itself the Exif or the GPS sub-directory.
int decode_lone_directory(ExifRecord& record, const TiffReader& block, TiffDirectory first) {
  const std::uint64_t directory = block_offset(block.u32(10));
  if (!directory_fits(block, directory)) return exif_corrupt;
  if (first == TiffDirectory::exif) {
    walk_directory(block, directory, [&](const IfdEntry& e) { apply_exif_entry(record, e); });
  } else {
    read_gps_directory(record, block, directory);
  }
  return exif_decoded;
}

// The walk stores byte strings as views of the block so that repeated entries cost nothing;
// before the block goes away the record gets copies of the ones that remain.
void own_byte_strings(ExifRecord& r) {
  for (std::span<const TextField> table :
       {std::span<const TextField>(ifd0_texts), std::span<const TextField>(exif_texts)}) {
    for (const TextField& f : table) {
      QByteArray& text = r.*f.field;
      text = QByteArray(text.constData(), text.size());
    }
  }
}

// The TIFF header lies 6 bytes into the block, as in a JPEG's APP1 segment.
int decode_tiff_structure(ExifRecord& record, const LoadedBytes& stream, std::uint64_t start,
                          std::uint32_t length, TiffDirectory first,
                          std::optional<std::uint16_t> magic) {
  if (length < 14) return exif_corrupt;
  const std::uint8_t* byte_order = stream.range(start + 6, 2);
  if (byte_order[0] == 'I' && byte_order[1] == 'I') {
    record.little_endian = true;
  } else if (byte_order[0] == 'M' && byte_order[1] == 'M') {
    record.little_endian = false;
  } else {
    return exif_bad_byte_order;
  }
  const TiffReader block(stream, start, length, record.little_endian);
  if (magic && block.u16(8) != *magic) return exif_corrupt;

  const int result = first == TiffDirectory::image ? decode_directories(record, block)
                                                   : decode_lone_directory(record, block, first);
  own_byte_strings(record);
  return result;
}

}  // namespace

int decode_exif_block(ExifRecord& record, const std::uint8_t* data, std::uint32_t length) {
  if (data == nullptr) return exif_missing;
  return decode_exif_block(record, LoadedBytes(data, length), 0, length);
}

int decode_exif_block(ExifRecord& record, const LoadedBytes& stream, std::uint64_t start,
                      std::uint32_t length) {
  if (length < 6 || std::memcmp(stream.range(start, 6), exif_identifier, 6) != 0) {
    return exif_missing;
  }
  return decode_tiff_structure(record, stream, start, length, TiffDirectory::image, 42);
}

int decode_tiff_block(ExifRecord& record, const LoadedBytes& stream, std::uint64_t tiff_start,
                      std::uint32_t tiff_length, TiffDirectory first,
                      std::optional<std::uint16_t> magic) {
  // The directory reader counts offsets from where "Exif\0\0" would stand, 6 bytes before the
  // header. It never reads those bytes, so that start may lie before the stream: the unsigned
  // sum start + offset wraps back to the right stream offset.
  const std::uint32_t length = static_cast<std::uint32_t>(
      std::min<std::uint64_t>(std::uint64_t{tiff_length} + 6, UINT32_MAX));
  return decode_tiff_structure(record, stream, tiff_start - 6, length, first, magic);
}

int decode_exif_payload(ExifRecord& record, const LoadedBytes& stream, std::uint64_t start,
                        std::uint32_t length) {
  if (length >= 6 && std::memcmp(stream.range(start, 6), exif_identifier, 6) == 0) {
    return decode_exif_block(record, stream, start, length);
  }
  return decode_tiff_block(record, stream, start, length);
}
