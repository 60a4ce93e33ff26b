// The embedded preview of raw files and the thumbnail item of HEIF files: where each lies, the
// largest JPEG preview winning, and no preview where there is none or the framing is hostile.
#include "exif/embedded_preview.h"

#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>

#include "exif/io/stream_reads.h"
#include "tests/exif/container_test_data.h"
#include "tests/exif/memory_file.h"

namespace {

void put_le(Bytes& out, std::uint64_t at, std::uint32_t value, int size) {
  if (out.size() < at + size) out.resize(at + size, 0);
  for (int k = 0; k < size; ++k) out[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
}

// A JPEG-looking blob of `size` bytes at `at`.
void put_jpeg(Bytes& out, std::uint64_t at, std::uint32_t size) {
  if (out.size() < at + size) out.resize(at + size, 0x33);
  out[at] = 0xFF;
  out[at + 1] = 0xD8;
}

struct Entry {
  std::uint16_t tag, type;
  std::uint32_t count, value;
};

// A little-endian TIFF with each directory at the given offset; `next` links each to the next.
// Every entry's value sits in its value field.
Bytes raw_tiff(const std::vector<std::pair<std::uint32_t, std::vector<Entry>>>& directories,
               bool chained = true) {
  Bytes out{'I', 'I', 42, 0};
  put_le(out, 4, directories.front().first, 4);
  for (std::size_t i = 0; i < directories.size(); ++i) {
    const auto& [at, entries] = directories[i];
    put_le(out, at, static_cast<std::uint32_t>(entries.size()), 2);
    for (std::size_t k = 0; k < entries.size(); ++k) {
      const std::uint64_t e = at + 2 + 12 * k;
      put_le(out, e, entries[k].tag, 2);
      put_le(out, e + 2, entries[k].type, 2);
      put_le(out, e + 4, entries[k].count, 4);
      put_le(out, e + 8, entries[k].value, 4);
    }
    const bool last = i + 1 == directories.size();
    put_le(out, at + 2 + 12 * entries.size(), chained && !last ? directories[i + 1].first : 0, 4);
  }
  return out;
}

Bytes file_bytes(const char* name) {
  QFile file(QStringLiteral(TRAILBOOK_EXIF_SAMPLES "/") + QLatin1String(name));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray all = file.readAll();
  return Bytes(all.begin(), all.end());
}

std::optional<EmbeddedPreview> preview_of(const Bytes& bytes) {
  return find_embedded_preview(LoadedBytes(bytes.data(), static_cast<std::uint32_t>(bytes.size())));
}

TEST(EmbeddedPreview, FindsTheBestPreviewOfEachKind) {
  // IFD0: the EXIF thumbnail (500 bytes) and a SubIFDs list; IFD1: an old-style JPEG strip of
  // 3000 bytes; SubIFD 1: a reduced JPEG of 9000 bytes; SubIFD 2: the lossless full image,
  // larger still, which is no preview.
  Bytes raw = raw_tiff(
      {{8, {{0x0201, 4, 1, 10000}, {0x0202, 4, 1, 500}, {0x014A, 4, 2, 400}}},
       {200, {{0x0103, 3, 1, 6}, {0x0111, 4, 1, 20000}, {0x0117, 4, 1, 3000}}},
       {300, {{0x00FE, 4, 1, 1}, {0x0103, 3, 1, 7}, {0x0111, 4, 1, 30000}, {0x0117, 4, 1, 9000}}},
       {600,
        {{0x00FE, 4, 1, 0}, {0x0103, 3, 1, 7}, {0x0111, 4, 1, 40000}, {0x0117, 4, 1, 20000}}}});
  put_le(raw, 400, 300, 4);  // the SubIFDs list: 300 and 600
  put_le(raw, 404, 600, 4);
  put_le(raw, 2 + 12 * 3 + 8 + 0, 200, 4);  // IFD0's next directory is IFD1
  put_le(raw, 302 + 12 * 4, 0, 4);
  put_jpeg(raw, 10000, 500);
  put_jpeg(raw, 20000, 3000);
  put_jpeg(raw, 30000, 9000);
  put_jpeg(raw, 40000, 20000);
  // Only the EXIF thumbnail, in a big-endian header variant; and a directory chain that loops.
  Bytes thumbnail_only = raw_tiff({{8, {{0x0201, 4, 1, 100}, {0x0202, 4, 1, 50}}}});
  put_jpeg(thumbnail_only, 100, 50);
  thumbnail_only[2] = 'U';  // RW2's header
  // RW2 keeps its larger preview as the bytes of an entry in IFD0.
  Bytes rw2 = raw_tiff({{8, {{0x002E, 7, 400, 200}, {0x0201, 4, 1, 100}, {0x0202, 4, 1, 50}}}});
  rw2[2] = 'U';
  put_jpeg(rw2, 100, 50);
  put_jpeg(rw2, 200, 400);
  Bytes looped = raw_tiff({{8, {{0x0201, 4, 1, 100}, {0x0202, 4, 1, 60}}},
                           {40, {{0x0201, 4, 1, 100}, {0x0202, 4, 1, 70}}}});
  put_le(looped, 40 + 2 + 24, 8, 4);  // the second directory leads back to the first
  put_jpeg(looped, 100, 70);
  // A strip that does not start a JPEG stream, and one beyond the file, are no preview.
  Bytes not_jpeg = raw_tiff({{8,
                              {{0x0103, 3, 1, 6},
                               {0x0111, 4, 1, 100},
                               {0x0117, 4, 1, 50},
                               {0x0201, 4, 1, 200},
                               {0x0202, 4, 1, 0x7FFFFFFF}}}});
  not_jpeg.resize(300, 0x44);

  const Bytes jpeg = build_jpeg(build_exif_block(photo_exif("2024:05:17 10:11:12")));
  const Bytes raf = build_raf(jpeg);
  const Bytes heic = file_bytes("photo.heic");
  const Bytes cr3 = build_cr3(photo_exif(""), 64, false);
  const Bytes cr3_preview = build_cr3(photo_exif(""), 64, true);
  // Offsets of the pictures: after THMB's box header and 8 bytes, after PRVW's and 12 bytes.
  const std::uint64_t thumbnail_at =
      std::search(cr3.begin(), cr3.end(), "THMB", "THMB" + 4) - cr3.begin() + 4 + 8;
  const std::uint64_t preview_at =
      std::search(cr3_preview.begin(), cr3_preview.end(), "PRVW", "PRVW" + 4) -
      cr3_preview.begin() + 4 + 12;
  const struct {
    const char* name;
    Bytes bytes;
    std::optional<EmbeddedPreview> preview;
  } cases[] = {
      {"raw.nef", raw, EmbeddedPreview{30000, 9000, four_cc("jpeg")}},
      {"thumbnail.rw2", thumbnail_only, EmbeddedPreview{100, 50, four_cc("jpeg")}},
      {"preview.rw2", rw2, EmbeddedPreview{200, 400, four_cc("jpeg")}},
      {"looped.dng", looped, EmbeddedPreview{100, 70, four_cc("jpeg")}},
      {"no-jpeg.dng", not_jpeg, std::nullopt},
      {"raw.raf", raf, EmbeddedPreview{raf.size() - jpeg.size(), jpeg.size(), four_cc("jpeg")}},
      {"thumbnail.cr3", cr3, EmbeddedPreview{thumbnail_at, 40, four_cc("jpeg")}},
      {"preview.cr3", cr3_preview, EmbeddedPreview{preview_at, 60, four_cc("jpeg")}},
      {"photo.jpg", jpeg, std::nullopt},
      {"photo.png", file_bytes("photo.png"), std::nullopt},
      {"photo.avif", file_bytes("photo.avif"), std::nullopt},  // written without a thumbnail
  };
  for (const auto& c : cases) {
    const std::optional<EmbeddedPreview> found = preview_of(c.bytes);
    ASSERT_EQ(found.has_value(), c.preview.has_value()) << c.name;
    if (!found) continue;
    EXPECT_EQ(found->offset, c.preview->offset) << c.name;
    EXPECT_EQ(found->length, c.preview->length) << c.name;
    EXPECT_EQ(found->type, c.preview->type) << c.name;
  }

  // heif-enc wrote an 8 x 6 HEVC thumbnail: a piece of "mdat" apart from the main image.
  const std::optional<EmbeddedPreview> thumbnail = preview_of(heic);
  ASSERT_TRUE(thumbnail.has_value());
  EXPECT_EQ(thumbnail->type, four_cc("hvc1"));
  EXPECT_GT(thumbnail->length, 0u);
  EXPECT_LE(thumbnail->offset + thumbnail->length, heic.size());

  // Read lazily from a file, with tiny first reads: the same answer.
  MemoryFile file(raw.data(), static_cast<std::int64_t>(raw.size()));
  const std::optional<EmbeddedPreview> lazily = find_embedded_preview_in_file(file, {16, 4});
  ASSERT_TRUE(lazily.has_value());
  EXPECT_EQ(lazily->offset, 30000u);
}

}  // namespace
