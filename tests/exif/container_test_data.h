#pragma once
// Composes photo containers around an EXIF block for tests and fuzz seeds: the layouts the
// Debian tools do not write (CR3, RAF, raw TIFF variants, HEIF items in "idat") and the edge
// cases of each framing.
#include <cstdint>
#include <string_view>

#include "tests/exif/exif_test_data.h"

// The TIFF structure of build_exif_block, without "Exif\0\0".
Bytes build_tiff(const TestExif& exif);

// One ISO base media box: 32-bit size, type, body.
Bytes iso_box(std::string_view type, const Bytes& body);
// A full box: version and 24 flag bits before the body.
Bytes iso_full_box(std::string_view type, std::uint8_t version, const Bytes& body);

// How build_heif stores the Exif item.
struct HeifLayout {
  bool in_idat = false;             // in "meta"'s "idat" box (construction method 1), not "mdat"
  std::uint32_t header_offset = 6;  // the item's offset field; 6 skips "Exif\0\0"
  std::size_t image_bytes = 64;     // "mdat" bytes of picture after the Exif item
  std::uint8_t iloc_version = 1;
};

// ftyp "heic", meta (hdlr, iinf with an image item and the Exif item, iloc, maybe idat), mdat.
// `payload` is what follows the item's offset field: "Exif\0\0" and the TIFF structure by default.
Bytes build_heif(const Bytes& payload, HeifLayout layout = {});

// ftyp "crx ", moov with Canon's uuid box holding CMT1 (IFD0), CMT2 (Exif), CMT4 (GPS) and a
// THMB box with a 40-byte JPEG-looking picture 16 bytes into it; with `preview`, then the top-level
// uuid box with a PRVW box, a 60-byte picture 20 bytes into it; then mdat.
Bytes build_cr3(const TestExif& exif, std::size_t image_bytes = 64, bool preview = false);

// The PNG signature, IHDR, a chunk of `type` with `payload`, IDAT, IEND (CRCs left zero).
Bytes build_png(std::string_view type, const Bytes& payload);
// RIFF/WEBP with VP8X, a VP8 chunk and an EXIF chunk.
Bytes build_webp(const Bytes& payload);
// The RAF header pointing at `jpeg`, which follows it.
Bytes build_raf(const Bytes& jpeg);
