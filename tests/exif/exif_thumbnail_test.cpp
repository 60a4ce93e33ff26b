// The EXIF thumbnail of IFD1: where it lies, in either byte order, and none where its framing
// is hostile.
#include "exif/exif_thumbnail.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "exif/file_exif_locator.h"
#include "exif/tiff/exif_record.h"
#include "tests/exif/container_test_data.h"
#include "tests/exif/exif_test_data.h"
#include "tests/exif/memory_file.h"

namespace {

void put(Bytes& out, std::size_t at, std::uint32_t value, int size, bool little_endian) {
  if (out.size() < at + size) out.resize(at + size, 0);
  for (int k = 0; k < size; ++k) {
    out[at + k] = static_cast<std::uint8_t>(value >> (8 * (little_endian ? k : size - 1 - k)));
  }
}

struct ThumbnailLayout {
  bool little_endian = true;
  std::uint16_t orientation = 1;
  std::uint32_t length = 40;  // the length IFD1 gives
  std::uint32_t offset = 56;  // the TIFF offset IFD1 gives; the thumbnail is stored at 56
  bool starts_as_jpeg = true;
};

// A JPEG whose EXIF block holds IFD0 (Orientation) at 8, IFD1 at 26 and a 40-byte thumbnail at
// TIFF offset 56, then `scan_size` bytes of scan data.
Bytes jpeg_with_thumbnail(const ThumbnailLayout& layout, std::size_t scan_size = 64) {
  const bool le = layout.little_endian;
  Bytes tiff = le ? Bytes{'I', 'I', 42, 0} : Bytes{'M', 'M', 0, 42};
  put(tiff, 4, 8, 4, le);
  put(tiff, 8, 1, 2, le);  // IFD0: Orientation
  put(tiff, 10, 0x0112, 2, le);
  put(tiff, 12, 3, 2, le);
  put(tiff, 14, 1, 4, le);
  put(tiff, 18, layout.orientation, 2, le);
  put(tiff, 22, 26, 4, le);
  put(tiff, 26, 2, 2, le);  // IFD1: JPEGInterchangeFormat and its length
  put(tiff, 28, 0x0201, 2, le);
  put(tiff, 30, 4, 2, le);
  put(tiff, 32, 1, 4, le);
  put(tiff, 36, layout.offset, 4, le);
  put(tiff, 40, 0x0202, 2, le);
  put(tiff, 42, 4, 2, le);
  put(tiff, 44, 1, 4, le);
  put(tiff, 48, layout.length, 4, le);
  put(tiff, 52, 0, 4, le);
  tiff.resize(96, 0x44);
  if (layout.starts_as_jpeg) {
    tiff[56] = 0xFF;
    tiff[57] = 0xD8;
  }
  Bytes block(6 + tiff.size(), 0);
  std::copy_n("Exif", 4, block.begin());
  std::copy(tiff.begin(), tiff.end(), block.begin() + 6);
  return build_jpeg(block, scan_size);
}

// build_jpeg puts SOI and an 18-byte APP0 segment before the APP1 segment.
constexpr std::uint64_t tiff_start = 2 + 18 + 4 + 6;

std::optional<ExifThumbnail> thumbnail_of(const Bytes& jpeg) {
  return find_exif_thumbnail(LoadedBytes(jpeg.data(), static_cast<std::uint32_t>(jpeg.size())));
}

TEST(ExifThumbnail, IsFoundInsideTheBlockOnly) {
  const struct {
    const char* name;
    ThumbnailLayout layout;
    bool found;
  } cases[] = {
      {"little-endian", {}, true},
      {"big-endian", {.little_endian = false}, true},
      {"turned photo", {.orientation = 6}, true},
      {"past the block's end", {.length = 41}, false},
      {"offset past the block", {.offset = 0xFFFFFFF0}, false},
      {"zero length", {.length = 0}, false},
      {"no JPEG", {.starts_as_jpeg = false}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<ExifThumbnail> found = thumbnail_of(jpeg_with_thumbnail(c.layout));
    ASSERT_EQ(found.has_value(), c.found);
    if (!c.found) continue;
    EXPECT_EQ(found->offset, tiff_start + 56);
    EXPECT_EQ(found->length, 40u);
    EXPECT_EQ(found->orientation, c.layout.orientation);
  }
}

TEST(ExifThumbnail, CostsNoReadBeyondTheFirstLoad) {
  const Bytes jpeg = jpeg_with_thumbnail({}, 4 << 20);
  MemoryFile file(jpeg.data(), static_cast<std::int64_t>(jpeg.size()));
  const ReadPlan plan;
  ASSERT_TRUE(find_exif_thumbnail_in_file(file, plan).has_value());
  EXPECT_EQ(file.bytes_read, std::uint64_t{plan.head} + plan.tail);
}

// The read of a photo's position notes its kind and thumbnail as a search of the whole file finds
// them, without reading one byte more than it reads without noting them.
TEST(ExifThumbnail, IsNotedByThePositionsReadAtNoFurtherCost) {
  const struct {
    const char* name;
    Bytes photo;
    PhotoContainer kind;
    bool searched;
  } cases[] = {
      {"small JPEG", jpeg_with_thumbnail({}), PhotoContainer::jpeg, true},
      {"camera-sized JPEG", jpeg_with_thumbnail({.orientation = 6}, 4 << 20), PhotoContainer::jpeg,
       true},
      {"big-endian JPEG", jpeg_with_thumbnail({.little_endian = false}), PhotoContainer::jpeg,
       true},
      {"thumbnail of zero length", jpeg_with_thumbnail({.length = 0}), PhotoContainer::jpeg, true},
      {"TIFF", build_tiff(photo_exif("2019:07:14 09:00:00")), PhotoContainer::tiff, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto size = static_cast<std::int64_t>(c.photo.size());
    MemoryFile plain(c.photo.data(), size), noting(c.photo.data(), size);
    ExifRecord plain_record, noting_record;
    PhotoFileFacts facts;
    const FileExifResult plain_result = locate_exif_in_file(plain_record, plain);
    const FileExifResult noting_result = locate_exif_in_file(noting_record, noting, {}, &facts);
    EXPECT_EQ(noting_result.code, plain_result.code);
    EXPECT_EQ(noting.bytes_read, plain.bytes_read);
    EXPECT_EQ(facts.kind, c.kind);
    ASSERT_EQ(facts.thumbnail_searched, c.searched);
    const std::optional<ExifThumbnail> whole = thumbnail_of(c.photo);
    ASSERT_EQ(facts.thumbnail.has_value(), c.searched && whole.has_value());
    if (!facts.thumbnail) continue;
    EXPECT_EQ(facts.thumbnail->offset, whole->offset);
    EXPECT_EQ(facts.thumbnail->length, whole->length);
    EXPECT_EQ(facts.thumbnail->orientation, whole->orientation);
  }
}

}  // namespace
