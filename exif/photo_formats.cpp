#include "exif/photo_formats.h"

#include <algorithm>
#include <array>

#include "exif/formats/container_exif_locators.h"
#include "exif/formats/iso_media_preview.h"
#include "exif/formats/raf_preview.h"
#include "exif/io/stream_reads.h"
#include "exif/read_plan_hint.h"
#include "exif/tiff/exif_block_decoder.h"
#include "exif/tiff/tiff_preview.h"

namespace {

using namespace std::string_view_literals;

bool starts_as_jpeg_stream(const LoadedBytes& bytes) {
  return stream_matches(bytes, 0, "\xFF\xD8"sv);
}

// Plain TIFF in either byte order, and the raw formats whose header differs from it only in the
// number after the byte-order mark.
bool starts_as_tiff(const LoadedBytes& bytes) {
  constexpr std::string_view headers[] = {
      "II*\0"sv, "MM\0*"sv,  // TIFF; also DNG, NEF, CR2, ARW, PEF and most other raw files
      "IIU\0"sv,             // RW2
      "IIRO"sv,  "IIRS"sv,  "MMOR"sv,  // ORF
  };
  return std::ranges::any_of(
      headers, [&](std::string_view header) { return stream_matches(bytes, 0, header); });
}

bool starts_as_iso_media(const LoadedBytes& bytes) {
  return stream_matches(bytes, 4, "ftyp"sv);
}

bool starts_as_png(const LoadedBytes& bytes) {
  return stream_matches(bytes, 0, "\x89PNG\r\n\x1A\n"sv);
}

bool starts_as_webp(const LoadedBytes& bytes) {
  return stream_matches(bytes, 0, "RIFF"sv) && stream_matches(bytes, 8, "WEBP"sv);
}

bool starts_as_raf(const LoadedBytes& bytes) {
  return stream_matches(bytes, 0, "FUJIFILMCCD-RAW "sv);
}

// The file is the TIFF structure; its header was told apart by the number after the byte-order
// mark, which the raw variants change.
int locate_tiff_exif(ExifRecord& record, const LoadedBytes& bytes) {
  return decode_tiff_block(record, bytes, 0, bytes.size(), TiffDirectory::image, std::nullopt);
}

// HEIF and raw files keep the boxes and directories the reader walks in their first few KiB;
// more is read only as far as the walk goes.
constexpr std::uint32_t container_first_read = 8 << 10;

constexpr std::array formats = {
    PhotoFormat{.kind = PhotoContainer::jpeg,
                .starts_as = starts_as_jpeg_stream,
                .first_read = 0,
                .locate_exif = nullptr,
                .find_preview = nullptr,
                .find_thumbnail = find_exif_thumbnail,
                .heif_picture = false},
    PhotoFormat{.kind = PhotoContainer::tiff,
                .starts_as = starts_as_tiff,
                .first_read = container_first_read,
                .locate_exif = locate_tiff_exif,
                .find_preview = find_tiff_preview,
                .find_thumbnail = nullptr,
                .heif_picture = false},
    PhotoFormat{.kind = PhotoContainer::iso_media,
                .starts_as = starts_as_iso_media,
                .first_read = container_first_read,
                .locate_exif = locate_iso_media_exif,
                .find_preview = find_iso_media_preview,
                .find_thumbnail = nullptr,
                .heif_picture = true},
    PhotoFormat{.kind = PhotoContainer::png,
                .starts_as = starts_as_png,
                .first_read = 0,
                .locate_exif = locate_png_exif,
                .find_preview = nullptr,
                .find_thumbnail = nullptr,
                .heif_picture = false},
    PhotoFormat{.kind = PhotoContainer::webp,
                .starts_as = starts_as_webp,
                .first_read = 0,
                .locate_exif = locate_webp_exif,
                .find_preview = nullptr,
                .find_thumbnail = nullptr,
                .heif_picture = false},
    PhotoFormat{.kind = PhotoContainer::raf,
                .starts_as = starts_as_raf,
                .first_read = container_first_read,
                .locate_exif = locate_raf_exif,
                .find_preview = find_raf_preview,
                .find_thumbnail = nullptr,
                .heif_picture = false},
};

constexpr bool drawn = true;
constexpr bool undrawn = false;

// The first five are the dialog's names of old, which its caption lists; then the phone and
// screenshot formats, then the raw camera formats.
constexpr std::array file_names = {
    PhotoFileName{"jpg", PhotoContainer::jpeg, drawn},
    PhotoFileName{"jpeg", PhotoContainer::jpeg, drawn},
    PhotoFileName{"raw", PhotoContainer::tiff, undrawn},
    PhotoFileName{"tiff", PhotoContainer::tiff, undrawn},
    PhotoFileName{"tif", PhotoContainer::tiff, undrawn},
    PhotoFileName{"heic", PhotoContainer::iso_media, undrawn},
    PhotoFileName{"heif", PhotoContainer::iso_media, undrawn},
    PhotoFileName{"hif", PhotoContainer::iso_media, undrawn},
    PhotoFileName{"avif", PhotoContainer::iso_media, drawn},
    PhotoFileName{"png", PhotoContainer::png, drawn},
    PhotoFileName{"webp", PhotoContainer::webp, drawn},
    PhotoFileName{"dng", PhotoContainer::tiff, undrawn},
    PhotoFileName{"nef", PhotoContainer::tiff, undrawn},
    PhotoFileName{"cr2", PhotoContainer::tiff, undrawn},
    PhotoFileName{"cr3", PhotoContainer::iso_media, undrawn},
    PhotoFileName{"arw", PhotoContainer::tiff, undrawn},
    PhotoFileName{"orf", PhotoContainer::tiff, undrawn},
    PhotoFileName{"rw2", PhotoContainer::tiff, undrawn},
    PhotoFileName{"pef", PhotoContainer::tiff, undrawn},
    PhotoFileName{"raf", PhotoContainer::raf, undrawn},
};

}  // namespace

std::span<const PhotoFormat> photo_formats() {
  return formats;
}

const PhotoFormat* photo_format(PhotoContainer kind) {
  const auto found = std::ranges::find(formats, kind, &PhotoFormat::kind);
  return found == formats.end() ? nullptr : &*found;
}

std::span<const PhotoFileName> photo_file_names() {
  return file_names;
}

// The name only sizes the first read: a file of another kind under such a name is read right,
// only in more pieces.
ReadPlan read_plan_for(const AnsiText& file_name) {
  const qsizetype dot = file_name.lastIndexOf('.');
  if (dot < 0 || file_name.indexOf('/', dot) >= 0) return {};
  const QByteArray extension = file_name.mid(dot + 1).toLower();
  const std::string_view name(extension.constData(), static_cast<std::size_t>(extension.size()));
  const auto known = std::ranges::find(file_names, name, &PhotoFileName::extension);
  if (known == file_names.end()) return {};
  const std::uint32_t first_read = photo_format(known->kind)->first_read;
  if (first_read == 0) return {};
  ReadPlan plan;
  plan.head = first_read;
  plan.tail = 0;
  return plan;
}
