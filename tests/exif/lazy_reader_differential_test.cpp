// The file reader that loads only what the locator looks at against the whole-buffer locator:
// over composed photos whose interesting bytes lie beyond the first reads, and over many random
// mutations of them, both must give the same code and the same record, through an in-memory file
// and through real files on disk.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <random>
#include <string>

#include "exif/exif_result_codes.h"
#include "exif/exif_segment_locator.h"
#include "exif/file_exif_locator.h"
#include "exif/os_photo_file.h"
#include "tests/exif/exif_record_text.h"
#include "tests/exif/exif_test_data.h"
#include "tests/exif/memory_file.h"
#include "tests/exif/whole_photo_file.h"

namespace {

// The default first reads and far smaller ones, which make the reader load more in every way.
constexpr ReadPlan plans[] = {{}, {0, 0}, {5, 3}, {100, 10}, {4096, 512}};
// Scans that soon stop growing the pieces and read the rest through a small buffer.
constexpr ReadPlan streaming_plans[] = {{0, 0, 0, 1}, {100, 10, 0, 7}, {4096, 512, 5000, 333}};
constexpr std::uint64_t default_first_reads = ReadPlan{}.head + ReadPlan{}.tail;

// Scan data that puts the end of a photo well beyond the default first reads.
constexpr std::size_t large_scan = 200 << 10;
// Stream offset of TIFF offset 0 in build_jpeg's photos: SOI, APP0, the APP1 marker and length,
// "Exif\0\0".
constexpr std::uint32_t tiff_start = 2 + 18 + 4 + 6;

struct Outcome {
  PhotoFileStatus status = PhotoFileStatus::read;
  int code = 0;
  std::string record;
};

bool operator==(const Outcome& a, const Outcome& b) {
  return a.status == b.status && a.code == b.code && a.record == b.record;
}

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
  return out << "status " << static_cast<int>(o.status) << " code " << o.code << o.record;
}

Outcome whole_buffer(const Bytes& bytes) {
  ExifRecord record;
  const int code =
      locate_exif_segment(record, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
  return {PhotoFileStatus::read, code, exif_record_text(record)};
}

Outcome lazily(RandomAccessFile& file, ReadPlan plan) {
  ExifRecord record;
  const FileExifResult found = locate_exif_in_file(record, file, plan);
  return {found.status, found.code, exif_record_text(record)};
}

void put_le(Bytes& bytes, std::size_t at, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> 8 * i);
}

Bytes photo(std::size_t scan = large_scan, bool little_endian = true) {
  return build_jpeg(build_exif_block(photo_exif("2024:05:17 10:11:12", little_endian)), scan);
}

Bytes with_trailer(Bytes bytes, const Bytes& trailer) {
  bytes.insert(bytes.end(), trailer.begin(), trailer.end());
  return bytes;
}

// Filler of `size` bytes without any FF byte, so that it holds no marker.
Bytes filler(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 % 0xFF);
  return bytes;
}

// A photo whose EXIF block points at values and directories written at stream offsets far from
// the APP1 segment: the GPS directory at gps_at(size), the two coordinates' rationals and the
// DateTimeOriginal text at values_at(size), for the photo's size.
template <typename GpsAt, typename ValuesAt>
Bytes photo_with_distant_values(GpsAt gps_at_of, ValuesAt values_at_of) {
  const std::string_view date_time("2023:01:02 03:04:05\0", 20);
  auto compose = [&](std::size_t gps_at, std::size_t values_at) {
    const TestExif exif{
        true,
        {raw_entry(0x8825, 4, 1, static_cast<std::uint32_t>(gps_at - tiff_start))},
        std::vector<TestEntry>{
            raw_entry(0x9003, 2, 20, static_cast<std::uint32_t>(values_at + 48 - tiff_start))},
        {}};
    return build_jpeg(build_exif_block(exif), large_scan);
  };
  const std::size_t size = compose(tiff_start, tiff_start).size();
  const std::size_t gps_at = gps_at_of(size);
  const std::size_t values_at = values_at_of(size);
  Bytes bytes = compose(gps_at, values_at);
  // GPS directory: S, latitude, W, longitude, no next directory.
  const std::uint32_t entries[4][4] = {
      {1, 2, 2, 'S'},
      {2, 5, 3, static_cast<std::uint32_t>(values_at - tiff_start)},
      {3, 2, 2, 'W'},
      {4, 5, 3, static_cast<std::uint32_t>(values_at + 24 - tiff_start)}};
  put_le(bytes, gps_at, 4, 2);
  for (int k = 0; k < 4; ++k) {
    const std::size_t e = gps_at + 2 + 12 * k;
    put_le(bytes, e, entries[k][0], 2);
    put_le(bytes, e + 2, entries[k][1], 2);
    put_le(bytes, e + 4, entries[k][2], 4);
    put_le(bytes, e + 8, entries[k][3], 4);
  }
  put_le(bytes, gps_at + 2 + 48, 0, 4);
  const std::uint32_t rationals[12] = {48, 1, 51, 1, 30, 1, 2, 1, 17, 1, 40, 1};
  for (int i = 0; i < 12; ++i) put_le(bytes, values_at + 4 * i, rationals[i], 4);
  std::copy(date_time.begin(), date_time.end(), bytes.begin() + values_at + 48);
  return bytes;
}

// What the whole-buffer locator gives, so that each case is known to reach what it is meant to:
// the code, and the DateTimeOriginal text (on success the latitude is 48° 51' 30" S).
struct Case {
  const char* name;
  Bytes bytes;
  bool loads_more;  // whether the default first reads are not enough
  int code = exif_decoded;
  const char* date_time = "2024:05:17 10:11:12";
};

std::vector<Case> composed_cases() {
  Bytes no_end = photo();
  no_end.resize(no_end.size() - 2);
  Bytes late_app1{0xFF, 0xD8};
  const Bytes filled = filler(100 << 10);
  late_app1.insert(late_app1.end(), filled.begin(), filled.end());
  const Bytes rest = photo();
  late_app1.insert(late_app1.end(), rest.begin() + 2, rest.end());
  Bytes no_app1 = photo();
  no_app1[21] = 0xE2;  // the APP1 marker becomes APP2
  Bytes end_in_trailer = with_trailer(filler(30 << 10), {0xFF, 0xD9});
  end_in_trailer = with_trailer(end_in_trailer, filler(10 << 10));
  Bytes huge_offsets = photo();
  put_le(huge_offsets, tiff_start + 4, 0xFFFFFFF0, 4);  // IFD0 far beyond the stream

  return {
      {"small photo", photo(16), false},
      {"large photo", photo(), false},
      {"large big-endian photo", photo(large_scan, false), false},
      {"short zero trailer", with_trailer(photo(), Bytes(100, 0)), false},
      {"zero trailer longer than the tail", with_trailer(photo(), Bytes(20 << 10, 0)), true},
      {"last FF D9 inside a trailer", with_trailer(photo(), end_in_trailer), true},
      {"no FF D9 at all", no_end, true, exif_not_jpeg, ""},
      {"no APP1 before the end", no_app1, true, exif_missing, ""},
      {"APP1 after 100 KiB", late_app1, true},
      {"IFD0 offset past the end", huge_offsets, false, exif_corrupt, ""},
      {"GPS directory and values in the tail",
       photo_with_distant_values([](auto size) { return size - 400; },
                                 [](auto size) { return size - 200; }),
       false, exif_decoded, "2023:01:02 03:04:05"},
      {"GPS directory and values mid-file",
       photo_with_distant_values([](auto size) { return size / 2; },
                                 [](auto size) { return size / 2 + 100; }),
       true, exif_decoded, "2023:01:02 03:04:05"},
      {"GPS directory in the tail, values mid-file",
       photo_with_distant_values([](auto size) { return size - 300; },
                                 [](auto size) { return size / 3; }),
       true, exif_decoded, "2023:01:02 03:04:05"},
  };
}

// Random changes of the kinds that move the scans and the decoder: bytes in the EXIF block and
// at the end set to marker bytes or anything, 32-bit offsets made huge or pointed anywhere, the
// file cut short, or a trailer appended.
Bytes mutated(Bytes bytes, std::mt19937& random) {
  auto below = [&](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  auto somewhere = [&]() {
    switch (below(3)) {
      case 0:
        return below(std::min<std::size_t>(bytes.size(), 700));
      case 1:
        return bytes.size() - 1 - below(std::min<std::size_t>(bytes.size(), 64));
      default:
        return below(bytes.size());
    }
  };
  constexpr std::uint8_t telling[] = {0xFF, 0xD8, 0xD9, 0xE1, 0x00, 'I', 'M', 42};
  switch (below(4)) {
    case 0:
      for (std::size_t k = below(4) + 1; k > 0; --k) {
        bytes[somewhere()] =
            below(2) ? telling[below(std::size(telling))] : static_cast<std::uint8_t>(below(256));
      }
      break;
    case 1: {
      const std::size_t at = below(std::min<std::size_t>(bytes.size() - 4, 700));
      const auto value = below(2) ? static_cast<std::uint32_t>(0xFFFFFFFF - below(64))
                                  : static_cast<std::uint32_t>(below(bytes.size()));
      put_le(bytes, at, value, 4);
      break;
    }
    case 2:
      bytes.resize(below(bytes.size()));
      break;
    default: {
      Bytes trailer = filler(below(12 << 10) + 1);
      if (below(2)) put_le(trailer, below(trailer.size() - 1), 0xD9FF, 2);
      bytes.insert(bytes.end(), trailer.begin(), trailer.end());
    }
  }
  return bytes;
}

void expect_same_in_memory(const Bytes& bytes, const std::string& name) {
  const Outcome expected = whole_buffer(bytes);
  for (const ReadPlan plan : plans) {
    MemoryFile file(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    EXPECT_EQ(lazily(file, plan), expected)
        << name << ", first reads " << plan.head << "+" << plan.tail;
    // However the file is scanned, no byte is read twice.
    EXPECT_LE(file.bytes_read, bytes.size()) << name;
  }
  for (const ReadPlan plan : streaming_plans) {
    MemoryFile file(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    EXPECT_EQ(lazily(file, plan), expected)
        << name << ", scans through " << plan.scan_piece << " bytes past " << plan.scan_memory;
  }
}

// A file of any size that starts as a JPEG but holds no end marker (or no APP1 marker) is
// scanned whole, but within the plan's memory: the pieces stop growing at its bound.
TEST(LazyReaderDifferential, ScansHugeFilesInBoundedMemory) {
  // Zeros after a start marker; optionally an end marker at the very end, so that the forward
  // scan for APP1 has to cross the whole file.
  class ZeroFile : public RandomAccessFile {
   public:
    ZeroFile(std::int64_t size, bool end_marker) : size_(size), end_marker_(end_marker) {}
    std::int64_t size() const override { return size_; }
    bool read_at(std::uint64_t offset, std::uint8_t* into, std::size_t count) override {
      largest_read = std::max(largest_read, count);
      std::fill_n(into, count, 0);
      const auto put = [&](std::uint64_t at, std::uint8_t byte) {
        if (at >= offset && at < offset + count) into[at - offset] = byte;
      };
      put(0, 0xFF);
      put(1, 0xD8);
      if (end_marker_) {
        put(static_cast<std::uint64_t>(size_) - 2, 0xFF);
        put(static_cast<std::uint64_t>(size_) - 1, 0xD9);
      }
      return true;
    }
    std::size_t largest_read = 0;

   private:
    std::int64_t size_;
    bool end_marker_;
  };
  const ReadPlan plan{64 << 10, 4 << 10, 1 << 20, 64 << 10};
  for (const bool end_marker : {false, true}) {
    ZeroFile file(64 << 20, end_marker);
    ExifRecord record;
    const FileExifResult found = locate_exif_in_file(record, file, plan);
    EXPECT_EQ(found.status, PhotoFileStatus::read);
    EXPECT_EQ(found.code, end_marker ? exif_missing : exif_not_jpeg);
    // Pieces at most double, so no read reaches the bound of the plan.
    EXPECT_LE(file.largest_read, plan.scan_memory) << end_marker;
  }
}

TEST(LazyReaderDifferential, ComposedPhotosLoadOnlyWhatTheyNeed) {
  for (const Case& c : composed_cases()) {
    ExifRecord record;
    EXPECT_EQ(
        locate_exif_segment(record, c.bytes.data(), static_cast<std::uint32_t>(c.bytes.size())),
        c.code)
        << c.name;
    EXPECT_EQ(record.date_time_original, c.date_time) << c.name;
    if (c.code == exif_decoded) {
      EXPECT_DOUBLE_EQ(record.latitude, -48.858333333333333) << c.name;
    }

    expect_same_in_memory(c.bytes, c.name);
    MemoryFile file(c.bytes.data(), static_cast<std::int64_t>(c.bytes.size()));
    lazily(file, {});
    if (c.loads_more) {
      EXPECT_GT(file.reads, 2) << c.name;
    } else {
      EXPECT_EQ(file.reads, c.bytes.size() > default_first_reads ? 2 : 1) << c.name;
      EXPECT_LE(file.bytes_read, default_first_reads) << c.name;
    }
  }
}

TEST(LazyReaderDifferential, MutatedPhotos) {
  std::mt19937 random(20240517);
  for (const Case& c : composed_cases()) {
    for (int m = 0; m < 60; ++m) {
      expect_same_in_memory(mutated(c.bytes, random),
                            std::string(c.name) + " mutant " + std::to_string(m));
    }
  }
}

// Real files through the operating system's reads, against the whole-file read.
TEST(LazyReaderDifferential, FilesOnDisk) {
  QTemporaryDir dir;
  std::mt19937 random(7);
  int number = 0;
  for (const Case& c : composed_cases()) {
    for (int m = 0; m < 4; ++m) {
      const Bytes bytes = m == 0 ? c.bytes : mutated(c.bytes, random);
      const QString path = dir.filePath(QString::number(number++) + ".jpg");
      QFile out(path);
      ASSERT_TRUE(out.open(QIODevice::WriteOnly));
      out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
      out.close();

      const PhotoFile whole = read_photo_file(to_ansi(path));
      ASSERT_EQ(whole.status, PhotoFileStatus::read) << c.name;
      ExifRecord record;
      const int code = locate_exif_segment(record, whole.bytes.get(), whole.size);
      const Outcome expected{PhotoFileStatus::read, code, exif_record_text(record)};
      for (const ReadPlan plan : {ReadPlan{}, ReadPlan{16, 4}}) {
        OsPhotoFile file;
        ASSERT_TRUE(file.open(to_ansi(path))) << c.name;
        EXPECT_EQ(lazily(file, plan), expected) << c.name << " variant " << m;
      }
    }
  }
}

TEST(LazyReaderDifferential, FileThatShrinksWhileReadIsUnreadable) {
  const Case late = composed_cases()[8];
  ASSERT_TRUE(late.loads_more);
  // Cut after the first reads, before the reader loads the APP1 segment.
  MemoryFile file(late.bytes.data(), static_cast<std::int64_t>(late.bytes.size()));
  file.shrink_after(2, 50 << 10);
  EXPECT_EQ(lazily(file, {}).status, PhotoFileStatus::cannot_read);

  // Cut on disk between opening and reading.
  QTemporaryDir dir;
  QFile out(dir.filePath("cut.jpg"));
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(reinterpret_cast<const char*>(late.bytes.data()),
            static_cast<qint64>(late.bytes.size()));
  out.close();
  OsPhotoFile opened;
  ASSERT_TRUE(opened.open(to_ansi(out.fileName())));
  ASSERT_TRUE(out.resize(1000));
  EXPECT_EQ(lazily(opened, {}).status, PhotoFileStatus::cannot_read);
}

}  // namespace
