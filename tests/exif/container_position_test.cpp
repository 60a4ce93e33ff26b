// Photos of every container kind: the position and capture time come out of each, hostile
// framing gives -3 after reading little, and the reader that loads only what it needs answers
// as the whole file does.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string_view>

#include "exif/file_exif_locator.h"
#include "exif/photo_exif_locator.h"
#include "exif/photo_position.h"
#include "exif/read_plan_hint.h"
#include "exif/tiff/exif_result_codes.h"
#include "tests/exif/container_test_data.h"
#include "tests/exif/exif_record_text.h"
#include "tests/exif/memory_file.h"

namespace {

using namespace std::string_view_literals;

constexpr const char* south = "-48.8583333333333";
constexpr const char* east = "2.29444444444444";
constexpr const char* taken = "2024:05:17 10:11:12";

TestExif composed_exif(bool little_endian = true) {
  return photo_exif(taken, little_endian);
}
Bytes exif_block() {
  return build_exif_block(composed_exif());
}
Bytes with_header(Bytes tiff, std::string_view header) {
  std::copy(header.begin(), header.end(), tiff.begin());
  return tiff;
}
Bytes appended(Bytes bytes, std::size_t count) {
  bytes.resize(bytes.size() + count, 0x5A);
  return bytes;
}
// A JPEG segment of `marker` holding `payload`.
Bytes segment(std::uint8_t marker, std::string_view payload) {
  const std::size_t length = payload.size() + 2;
  Bytes out(length + 2);
  out[0] = 0xFF;
  out[1] = marker;
  out[2] = static_cast<std::uint8_t>(length >> 8);
  out[3] = static_cast<std::uint8_t>(length);
  std::copy(payload.begin(), payload.end(), out.begin() + 4);
  return out;
}
// A JPEG with `before` between SOI and the APP0 segment that precedes the EXIF one.
Bytes jpeg_with_first(const Bytes& before) {
  Bytes jpeg = build_jpeg(exif_block());
  jpeg.insert(jpeg.begin() + 2, before.begin(), before.end());
  return jpeg;
}

// A PNG text chunk of `type` with the EXIF block as a "Raw profile type exif" in hexadecimal,
// lines of 72 digits, compressed with zlib in zTXt and compressed iTXt chunks.
Bytes png_with_profile(std::string_view type, const Bytes& payload) {
  QByteArray text = "\nexif\n" + QByteArray::number(payload.size()).rightJustified(8) + '\n';
  const QByteArray hex =
      QByteArray(reinterpret_cast<const char*>(payload.data()), payload.size()).toHex();
  for (qsizetype at = 0; at < hex.size(); at += 72) text += hex.mid(at, 72) + '\n';
  QByteArray data("Raw profile type exif\0", 22);
  if (type == "zTXt") data += '\0' + qCompress(text).mid(4);  // without Qt's length prefix
  if (type == "iTXt") data += QByteArray("\1\0en\0\0", 6) + qCompress(text).mid(4);
  if (type == "tEXt") data += text;
  return build_png(type, Bytes(data.begin(), data.end()));
}

Bytes file_bytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray all = file.readAll();
  return Bytes(all.begin(), all.end());
}
QString sample(const char* name) {
  return QStringLiteral(TRAILBOOK_EXIF_SAMPLES "/") + QLatin1String(name);
}

int whole_code(const Bytes& bytes, ExifRecord& record) {
  return locate_photo_exif(record,
                           LoadedBytes(bytes.data(), static_cast<std::uint32_t>(bytes.size())));
}

TEST(ContainerPositionTest, ReadsEachKind) {
  HeifLayout in_idat;
  in_idat.in_idat = true;
  HeifLayout version0;
  version0.iloc_version = 0;
  HeifLayout version2;
  version2.iloc_version = 2;
  HeifLayout bare_tiff;
  bare_tiff.header_offset = 0;

  const struct {
    const char* name;
    Bytes bytes;
    const char* latitude;
    const char* longitude;
    const char* date_time;
  } cases[] = {
      // Made by scripts/make_container_photos.sh with ImageMagick, heif-enc and exiftool.
      {"photo.jpg", file_bytes(sample("photo.jpg")), "46.35", "14.08", "2024:05:18 08:10:00"},
      {"photo.tif", file_bytes(sample("photo.tif")), "46.35", "14.08", "2024:05:18 08:11:00"},
      {"photo-be.tif", file_bytes(sample("photo-be.tif")), "46.35", "14.08", "2024:05:18 08:12:00"},
      {"photo.png", file_bytes(sample("photo.png")), "46.35", "14.08", "2024:05:18 08:13:00"},
      {"photo.webp", file_bytes(sample("photo.webp")), "46.35", "14.08", "2024:05:18 08:14:00"},
      {"photo.heic", file_bytes(sample("photo.heic")), "46.35", "14.08", "2024:05:18 08:15:00"},
      {"photo.avif", file_bytes(sample("photo.avif")), "46.35", "14.08", "2024:05:18 08:16:00"},
      // Composed: raw variants of the TIFF header, framings the tools above do not write.
      {"raw.dng", build_tiff(composed_exif()), south, east, taken},
      {"raw.rw2", with_header(build_tiff(composed_exif()), "IIU\0"sv), south, east, taken},
      {"raw.orf", with_header(build_tiff(composed_exif()), "IIRO"sv), south, east, taken},
      {"raw-be.orf", with_header(build_tiff(composed_exif(false)), "MMOR"sv), south, east, taken},
      {"raw.cr3", build_cr3(composed_exif()), south, east, taken},
      {"raw-be.cr3", build_cr3(composed_exif(false)), south, east, taken},
      {"raw.raf", build_raf(build_jpeg(exif_block())), south, east, taken},
      {"idat.heic", build_heif(exif_block(), in_idat), south, east, taken},
      {"iloc0.heic", build_heif(exif_block(), version0), south, east, taken},
      {"iloc2.heic", build_heif(exif_block(), version2), south, east, taken},
      {"bare.heic", build_heif(build_tiff(composed_exif()), bare_tiff), south, east, taken},
      {"prefixed.png", build_png("eXIf", exif_block()), south, east, taken},
      {"profile.png", png_with_profile("zTXt", exif_block()), south, east, taken},
      {"profile-itxt.png", png_with_profile("iTXt", build_tiff(composed_exif())), south, east,
       taken},
      {"profile-text.png", png_with_profile("tEXt", exif_block()), south, east, taken},
      {"prefixed.webp", build_webp(exif_block()), south, east, taken},
      {"bare.webp", build_webp(build_tiff(composed_exif())), south, east, taken},
      // JPEGs whose first FF E1 pair is not the EXIF segment: an XMP segment, or the bytes inside
      // an APP2 segment (followed by a length the plain scan accepts, or one it rejects).
      {"xmp-first.jpg",
       jpeg_with_first(segment(0xE1, "http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>"sv)), south, east,
       taken},
      {"ffe1-inside.jpg", jpeg_with_first(segment(0xE2, "ICC\xFF\xE1\x00\x10 profile data"sv)),
       south, east, taken},
      {"ffe1-short.jpg", jpeg_with_first(segment(0xE2, "ICC\xFF\xE1\x00\x02"sv)), south, east,
       taken},
  };
  QTemporaryDir dir;
  for (const auto& c : cases) {
    ASSERT_FALSE(c.bytes.empty()) << c.name;
    QFile file(dir.filePath(QLatin1String(c.name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(c.bytes.data()), static_cast<qint64>(c.bytes.size()));
    file.close();
    PhotoPosition position;
    EXPECT_EQ(read_photo_position(position, to_ansi(file.fileName())), 1) << c.name;
    EXPECT_EQ(position.latitude, c.latitude) << c.name;
    EXPECT_EQ(position.longitude, c.longitude) << c.name;
    EXPECT_EQ(position.date_time, c.date_time) << c.name;
  }
}

// Files of camera size (a few MB of picture) read lazily: the same answer as the whole file, and
// no more than the first reads; hostile framing gives a failure code, also after little reading.
TEST(ContainerPositionTest, LargeAndHostileFilesReadLittle) {
  constexpr std::size_t picture = 4 << 20;
  constexpr std::size_t meta_at = 20;  // build_heif's meta box follows its 20-byte ftyp box
  HeifLayout large;
  large.image_bytes = picture;
  HeifLayout far_header;
  far_header.header_offset = 0xFFFFFF00;

  Bytes huge_meta = build_heif(exif_block(), large);  // meta claims a 64-bit size of 2^62
  const Bytes big_size{0, 0, 0, 1, 'm', 'e', 't', 'a', 0x40, 0, 0, 0, 0, 0, 0, 0};
  std::copy(big_size.begin(), big_size.end(), huge_meta.begin() + meta_at);
  Bytes meta_to_end = build_heif(exif_block(), large);  // size 0: runs to the file's end
  std::fill_n(meta_to_end.begin() + meta_at, 4, 0);
  Bytes tiny_boxes = build_heif(exif_block());
  tiny_boxes.resize(meta_at);  // only ftyp, then a million empty boxes before meta
  for (int k = 0; k < 1 << 20; ++k)
    tiny_boxes.insert(tiny_boxes.end(), {0, 0, 0, 8, 'f', 'r', 'e', 'e'});
  const Bytes meta = build_heif(exif_block());
  tiny_boxes.insert(tiny_boxes.end(), meta.begin() + meta_at, meta.end());
  Bytes far_extent = appended(build_heif(exif_block()), picture);
  Bytes tiff_far_ifd = appended(build_tiff(composed_exif()), picture);
  tiff_far_ifd[4] = tiff_far_ifd[5] = tiff_far_ifd[6] = 0xFF;  // IFD0 offset beyond the end
  Bytes png_huge_chunk = appended(build_png("tEXt", Bytes(8, 'a')), picture);
  png_huge_chunk[33] = png_huge_chunk[34] = 0xFF;  // the tEXt chunk's length
  // A profile whose zlib data (some KiB) inflates to 32 MiB of hexadecimal digits.
  QByteArray bomb("Raw profile type exif\0\0", 23);
  bomb += qCompress("\nexif\n 2000000\n" + QByteArray(32 << 20, '0'), 9).mid(4);
  Bytes raf_outside = appended(build_raf(build_jpeg(exif_block())), picture);
  raf_outside[84] = 0x7F;

  const struct {
    const char* name;
    Bytes bytes;
    int code;
  } cases[] = {
      {"large.heic", build_heif(exif_block(), large), exif_decoded},
      {"large.cr3", build_cr3(composed_exif(), picture), exif_decoded},
      {"large.dng", appended(build_tiff(composed_exif()), picture), exif_decoded},
      {"large.raf", appended(build_raf(build_jpeg(exif_block(), picture)), 1000), exif_decoded},
      {"large.webp", build_webp(appended(build_tiff(composed_exif()), 0)), exif_decoded},
      {"meta 2^62 bytes.heic", huge_meta, exif_missing},
      {"meta to the end.heic", meta_to_end, exif_decoded},
      {"a million boxes.heic", tiny_boxes, exif_missing},
      {"item header beyond.heic", appended(build_heif(exif_block(), far_header), picture),
       exif_corrupt},
      {"ifd0 beyond.dng", tiff_far_ifd, exif_corrupt},
      {"chunk beyond.png", png_huge_chunk, exif_missing},
      {"inflates to 32 MiB.png", build_png("zTXt", Bytes(bomb.begin(), bomb.end())), exif_corrupt},
      {"profile too short.png", build_png("zTXt", Bytes(bomb.begin(), bomb.begin() + 40)),
       exif_corrupt},
      {"jpeg beyond.raf", raf_outside, exif_corrupt},
  };
  constexpr ReadPlan plans[] = {{}, {0, 0}, {7, 3}, {200, 30}};
  for (const auto& c : cases) {
    ExifRecord whole;
    ASSERT_EQ(whole_code(c.bytes, whole), c.code) << c.name;
    for (ReadPlan plan : plans) {
      MemoryFile file(c.bytes.data(), static_cast<std::int64_t>(c.bytes.size()));
      ExifRecord lazy;
      const FileExifResult found = locate_exif_in_file(lazy, file, plan);
      EXPECT_EQ(found.status, PhotoFileStatus::read) << c.name;
      EXPECT_EQ(found.code, c.code) << c.name;
      EXPECT_EQ(exif_record_text(lazy), exif_record_text(whole)) << c.name;
      // With the default first reads, nothing more is read: the boxes and directories on the way
      // lie in the first 64 KiB, the embedded JPEG's end marker in the last 4 KiB.
      if (plan.head == ReadPlan{}.head) {
        EXPECT_LE(file.bytes_read, ReadPlan{}.head + ReadPlan{}.tail) << c.name;
      }
    }
  }
}

// A file named as a HEIF or raw photo is read from a first read of a few KiB; a JPEG under such a
// name, or a file whose EXIF data lies further on, reads more and gives the same answer.
TEST(ContainerPositionTest, PhotosNamedAsHeifOrRawStartWithAFewKiB) {
  constexpr std::size_t picture = 4 << 20;
  HeifLayout large;
  large.image_bytes = picture;
  const struct {
    const char* name;
    Bytes bytes;
    std::uint64_t most_read;
  } cases[] = {
      {"large.HEIC", build_heif(exif_block(), large), 8 << 10},
      {"large.cr3", build_cr3(composed_exif(), picture), 8 << 10},
      {"large.dng", appended(build_tiff(composed_exif()), picture), 8 << 10},
      {"large.raf", appended(build_raf(build_jpeg(exif_block(), picture)), 1000), picture + 9000},
      {"jpeg.nef", build_jpeg(exif_block(), picture), picture + 9000},
      {"large.jpg", build_jpeg(exif_block(), picture), ReadPlan{}.head + ReadPlan{}.tail},
  };
  for (const auto& c : cases) {
    ExifRecord whole, lazy;
    const int code = whole_code(c.bytes, whole);
    MemoryFile file(c.bytes.data(), static_cast<std::int64_t>(c.bytes.size()));
    const FileExifResult found = locate_exif_in_file(lazy, file, read_plan_for(c.name));
    EXPECT_EQ(code, exif_decoded) << c.name;
    EXPECT_EQ(found.code, code) << c.name;
    EXPECT_EQ(exif_record_text(lazy), exif_record_text(whole)) << c.name;
    EXPECT_LE(file.bytes_read, c.most_read) << c.name;
  }
}

}  // namespace
