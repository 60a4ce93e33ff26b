#include "tests/exif/container_test_data.h"

namespace {

void put_be(Bytes& out, std::uint64_t value, int size) {
  for (int k = size - 1; k >= 0; --k) out.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
}
void put_le(Bytes& out, std::uint64_t value, int size) {
  for (int k = 0; k < size; ++k) out.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
}
void put_text(Bytes& out, std::string_view text) {
  out.insert(out.end(), text.begin(), text.end());
}
Bytes joined(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}
Bytes filler(std::size_t size) {
  Bytes out(size);
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<std::uint8_t>(i * 7 % 251);
  return out;
}

// `size` bytes that start as a JPEG stream does.
Bytes picture(std::size_t size) {
  Bytes out = filler(size);
  out[0] = 0xFF;
  out[1] = 0xD8;
  out[2] = 0xFF;
  return out;
}

Bytes heif_item_info(std::uint16_t id, std::string_view type) {
  Bytes body;
  put_be(body, id, 2);
  put_be(body, 0, 2);  // protection index
  put_text(body, type);
  body.push_back(0);  // empty name
  return iso_full_box("infe", 2, body);
}

// The meta box with the Exif item (id 2) at `offset` (in the file, or in idat).
Bytes heif_meta(const Bytes& item, std::uint32_t offset, const HeifLayout& layout) {
  Bytes hdlr(4, 0);
  put_text(hdlr, "pict");
  hdlr.resize(hdlr.size() + 13, 0);
  Bytes iinf;
  put_be(iinf, 2, 2);
  iinf = joined({iinf, heif_item_info(1, "hvc1"), heif_item_info(2, "Exif")});
  Bytes iloc{0x44, 0x00};  // 4-byte offsets and lengths, no base offset
  put_be(iloc, 2, layout.iloc_version < 2 ? 2 : 4);
  for (std::uint16_t id : {1, 2}) {
    put_be(iloc, id, layout.iloc_version < 2 ? 2 : 4);
    if (layout.iloc_version >= 1) put_be(iloc, id == 2 && layout.in_idat ? 1 : 0, 2);
    put_be(iloc, 0, 2);  // data reference: this file
    put_be(iloc, 1, 2);  // one extent
    put_be(iloc, id == 2 ? offset : 0, 4);
    put_be(iloc, id == 2 ? item.size() : 1, 4);
  }
  Bytes parts = joined({iso_full_box("hdlr", 0, hdlr), iso_full_box("iinf", 0, iinf),
                        iso_full_box("iloc", layout.iloc_version, iloc)});
  if (layout.in_idat) parts = joined({parts, iso_box("idat", item)});
  return iso_full_box("meta", 0, parts);
}

Bytes ftyp(std::string_view brand) {
  Bytes body;
  put_text(body, brand);
  put_be(body, 0, 4);
  put_text(body, brand);
  return iso_box("ftyp", body);
}

}  // namespace

Bytes build_tiff(const TestExif& exif) {
  const Bytes block = build_exif_block(exif);
  return Bytes(block.begin() + 6, block.end());
}

Bytes iso_box(std::string_view type, const Bytes& body) {
  Bytes out;
  put_be(out, body.size() + 8, 4);
  put_text(out, type);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes iso_full_box(std::string_view type, std::uint8_t version, const Bytes& body) {
  Bytes full{version, 0, 0, 0};
  full.insert(full.end(), body.begin(), body.end());
  return iso_box(type, full);
}

Bytes build_heif(const Bytes& payload, HeifLayout layout) {
  Bytes item;
  put_be(item, layout.header_offset, 4);
  item.insert(item.end(), payload.begin(), payload.end());
  const Bytes head = ftyp("heic");
  if (layout.in_idat) {
    return joined({head, heif_meta(item, 0, layout), iso_box("mdat", filler(layout.image_bytes))});
  }
  // The meta box's size does not depend on the offset it holds.
  const std::size_t mdat_body = head.size() + heif_meta(item, 0, layout).size() + 8;
  return joined({head, heif_meta(item, static_cast<std::uint32_t>(mdat_body), layout),
                 iso_box("mdat", joined({item, filler(layout.image_bytes)}))});
}

Bytes build_cr3(const TestExif& exif, std::size_t image_bytes, bool preview) {
  TestExif image{exif.little_endian, exif.ifd0, std::nullopt, std::nullopt};
  TestExif sub_exif{exif.little_endian, exif.exif.value_or(std::vector<TestEntry>{}), {}, {}};
  TestExif gps{exif.little_endian, exif.gps.value_or(std::vector<TestEntry>{}), {}, {}};
  const Bytes canon_uuid{0x85, 0xC0, 0xB6, 0x87, 0x82, 0x0F, 0x11, 0xE0,
                         0x81, 0x11, 0xF4, 0xCE, 0x46, 0x2B, 0x6A, 0x48};
  const Bytes other_uuid(16, 0x11);
  const Bytes metadata = joined(
      {canon_uuid, iso_box("CNCV", filler(30)), iso_box("CMT1", build_tiff(image)),
       iso_box("CMT2", build_tiff(sub_exif)), iso_box("CMT3", filler(40)),
       iso_box("CMT4", build_tiff(gps)), iso_box("THMB", joined({Bytes(8, 0), picture(40)}))});
  const Bytes moov = joined({iso_box("uuid", joined({other_uuid, filler(8)})),
                             iso_box("uuid", metadata), iso_box("trak", filler(20))});
  const Bytes preview_uuid{0xEA, 0xF4, 0x2B, 0x5E, 0x1C, 0x98, 0x4B, 0x88,
                           0xB9, 0xFB, 0xB7, 0xDC, 0x40, 0x6E, 0x4D, 0x16};
  const Bytes previews =
      preview ? iso_box("uuid", joined({preview_uuid, Bytes(8, 0),
                                        iso_box("PRVW", joined({Bytes(12, 0), picture(60)}))}))
              : Bytes{};
  return joined(
      {ftyp("crx "), iso_box("moov", moov), previews, iso_box("mdat", filler(image_bytes))});
}

Bytes build_png(std::string_view type, const Bytes& payload) {
  Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  const auto chunk = [&](std::string_view chunk_type, const Bytes& data) {
    put_be(out, data.size(), 4);
    put_text(out, chunk_type);
    out.insert(out.end(), data.begin(), data.end());
    put_be(out, 0, 4);
  };
  chunk("IHDR", Bytes{0, 0, 0, 1, 0, 0, 0, 1, 8, 2, 0, 0, 0});
  chunk(type, payload);
  chunk("IDAT", filler(30));
  chunk("IEND", {});
  return out;
}

Bytes build_webp(const Bytes& payload) {
  Bytes chunks;
  const auto chunk = [&](std::string_view type, const Bytes& data) {
    put_text(chunks, type);
    put_le(chunks, data.size(), 4);
    chunks.insert(chunks.end(), data.begin(), data.end());
    if (data.size() % 2 == 1) chunks.push_back(0);
  };
  chunk("VP8X", Bytes{0x08, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  chunk("VP8 ", filler(33));
  chunk("EXIF", payload);
  Bytes out;
  put_text(out, "RIFF");
  put_le(out, chunks.size() + 4, 4);
  put_text(out, "WEBP");
  return joined({out, chunks});
}

Bytes build_raf(const Bytes& jpeg) {
  Bytes out;
  put_text(out, "FUJIFILMCCD-RAW 0201FF383501");
  put_text(out, "X-T99");
  out.resize(84, 0);
  const std::size_t jpeg_offset = 84 + 8 + 56;  // the header runs on before the JPEG
  put_be(out, jpeg_offset, 4);
  put_be(out, jpeg.size(), 4);
  out.resize(jpeg_offset, 0);
  return joined({out, jpeg});
}
