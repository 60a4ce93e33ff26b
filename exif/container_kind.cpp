#include "exif/container_kind.h"

#include <string_view>

#include "exif/io/stream_reads.h"

namespace {

using namespace std::string_view_literals;

// Plain TIFF in either byte order, and the raw formats whose header differs from it only in the
// number after the byte-order mark.
constexpr std::string_view tiff_headers[] = {
    "II*\0"sv, "MM\0*"sv,            // TIFF; also DNG, NEF, CR2, ARW, PEF and most other raw files
    "IIU\0"sv,                       // RW2
    "IIRO"sv,  "IIRS"sv,  "MMOR"sv,  // ORF
};

}  // namespace

PhotoContainer photo_container_kind(const LoadedBytes& bytes) {
  if (stream_matches(bytes, 0, "\xFF\xD8"sv)) return PhotoContainer::jpeg;
  for (std::string_view header : tiff_headers) {
    if (stream_matches(bytes, 0, header)) return PhotoContainer::tiff;
  }
  if (stream_matches(bytes, 4, "ftyp"sv)) return PhotoContainer::iso_media;
  if (stream_matches(bytes, 0, "\x89PNG\r\n\x1A\n"sv)) return PhotoContainer::png;
  if (stream_matches(bytes, 0, "RIFF"sv) && stream_matches(bytes, 8, "WEBP"sv)) {
    return PhotoContainer::webp;
  }
  if (stream_matches(bytes, 0, "FUJIFILMCCD-RAW "sv)) return PhotoContainer::raf;
  return PhotoContainer::unknown;
}
