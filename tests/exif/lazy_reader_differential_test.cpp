// The file reader that loads only what the locator looks at against the whole-buffer locator:
// over composed photos whose interesting bytes lie beyond the first reads, and over many random
// mutations of them, both must give the same code and the same record, through an in-memory file
// and through real files on disk.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <initializer_list>
#include <random>
#include <string>

#include "exif/file_exif_locator.h"
#include "exif/io/os_photo_file.h"
#include "exif/photo_exif_locator.h"
#include "exif/read_plan_hint.h"
#include "exif/tiff/exif_result_codes.h"
#include "exif/tiff/exif_segment_locator.h"
#include "tests/exif/container_test_data.h"
#include "tests/exif/exif_record_text.h"
#include "tests/exif/exif_test_data.h"
#include "tests/exif/memory_file.h"
#include "tests/exif/whole_photo_file.h"

namespace {

// The default first reads and far smaller ones, which make the reader load more in every way.
constexpr ReadPlan plans[] = {{}, {0, 0}, {5, 3}, {100, 10}, {4096, 512}};
// Scans that soon stop growing the pieces and read the rest through a small buffer, and far
// pieces so small that they are dropped and read again all the time.
constexpr ReadPlan streaming_plans[] = {
    {0, 0, 0, 1},
    {100, 10, 0, 7},
    {4096, 512, 5000, 333},
    {100, 10, 16 << 20, 64 << 10, {16, 64, 512, 1 << 20, 1 << 30}}};
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

// Photos whose directories and values lie far into large files, written as sparse files so that
// they cost no disk: only the pieces below hold bytes, the rest is a hole of zeros.
struct FarLayout {
  const char* name;
  std::uint64_t size;
  // TIFF offsets of IFD0, of the GPS directory (the Exif directory follows it 64 bytes on) and
  // of the values (the two coordinates' rationals, then DateTimeOriginal).
  std::uint32_t ifd0;
  std::uint32_t gps;
  std::uint32_t values;
  bool jpeg = false;  // a JPEG whose TIFF header lies in its APP1 segment
};

void put_le_at(Bytes& bytes, std::initializer_list<std::pair<std::uint32_t, int>> numbers) {
  for (const auto& [value, size] : numbers) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> 8 * i));
  }
}

// Directory entries of four numbers each: tag, type, count, value field.
Bytes directory(std::initializer_list<std::array<std::uint32_t, 4>> entries) {
  Bytes bytes;
  put_le_at(bytes, {{static_cast<std::uint32_t>(entries.size()), 2}});
  for (const auto& e : entries) put_le_at(bytes, {{e[0], 2}, {e[1], 2}, {e[2], 4}, {e[3], 4}});
  put_le_at(bytes, {{0, 4}});
  return bytes;
}

// Pieces of the file by stream offset: 48° 51' 30" S, 2° 17' 40" W, taken 2023:01:02 03:04:05.
std::vector<std::pair<std::uint64_t, Bytes>> far_pieces(const FarLayout& l) {
  const std::uint64_t tiff = l.jpeg ? tiff_start : 0;
  const std::uint32_t exif_at = l.gps + 64;
  Bytes header;
  if (l.jpeg) header = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x20, 'E', 'x', 'i', 'f', 0, 0};
  put_le_at(header, {{'I' | 'I' << 8, 2}, {42, 2}, {l.ifd0, 4}});
  if (l.jpeg)
    header.insert(header.begin() + 2, tiff_start - 12, 0);  // zeros where an APP0 segment would be
  Bytes values;
  put_le_at(values, {{48, 4}, {1, 4}, {51, 4}, {1, 4}, {30, 4}, {1, 4}});
  put_le_at(values, {{2, 4}, {1, 4}, {17, 4}, {1, 4}, {40, 4}, {1, 4}});
  const std::string_view date_time("2023:01:02 03:04:05\0", 20);
  values.insert(values.end(), date_time.begin(), date_time.end());
  std::vector<std::pair<std::uint64_t, Bytes>> pieces = {
      {0, header},
      {tiff + l.ifd0, directory({{0x8825, 4, 1, l.gps}, {0x8769, 4, 1, exif_at}})},
      {tiff + l.gps,
       directory({{1, 2, 2, 'S'}, {2, 5, 3, l.values}, {3, 2, 2, 'W'}, {4, 5, 3, l.values + 24}})},
      {tiff + exif_at, directory({{0x9003, 2, 20, l.values + 48}})},
      {tiff + l.values, values},
  };
  if (l.jpeg) pieces.push_back({l.size - 2, {0xFF, 0xD9}});
  return pieces;
}

QString write_sparse(const QString& path, std::uint64_t size,
                     const std::vector<std::pair<std::uint64_t, Bytes>>& pieces) {
  QFile out(path);
  EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.resize(static_cast<qint64>(size)));
  for (const auto& [at, bytes] : pieces) {
    out.seek(static_cast<qint64>(at));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  }
  return path;
}

// Counts what is read of a file on disk.
class CountedFile : public RandomAccessFile {
 public:
  explicit CountedFile(RandomAccessFile& file) : file_(file) {}
  std::int64_t size() const override { return file_.size(); }
  bool read_at(std::uint64_t offset, std::uint8_t* into, std::size_t count) override {
    ++reads;
    bytes_read += count;
    return file_.read_at(offset, into, count);
  }
  int reads = 0;
  std::uint64_t bytes_read = 0;

 private:
  RandomAccessFile& file_;
};

constexpr std::uint64_t MiB = 1 << 20;
// Far bytes cost a piece of a page or so each: well under this, whatever the offsets.
constexpr std::uint64_t far_bound = 2 * MiB;

// Far directories and values are read by their offset: one 300 MiB in costs a few small reads,
// and files up to 4 GiB are read. Where a buffer of the file is cheap, the result is the
// whole-file reading's; in every case it is the position and time the file was written with.
TEST(LazyReaderDifferential, FarDirectoriesAndValuesAreReadByOffset) {
  const FarLayout layouts[] = {
      {"IFD0 far", 48 * MiB, 40 * MiB, 40 * MiB + 64, 40 * MiB + 200},
      {"GPS directory far", 48 * MiB, 8, 47 * MiB, 47 * MiB + 300},
      {"GPS values far", 48 * MiB, 8, 200, 31 * MiB + 5},
      {"JPEG GPS far", 48 * MiB, 8, 30 * MiB, 30 * MiB + 100, true},
      {"each far and apart", 48 * MiB, 20 * MiB - 3, 47 * MiB + 11, 33 * MiB},
      {"IFD0 at the end of 300 MiB", 300 * MiB, 300 * MiB - 4096, 300 * MiB - 2048, 1000},
      {"IFD0 past 2 GiB", 2047 * MiB, 1023 * MiB, 1023 * MiB + 64, 1023 * MiB + 256},
      {"4 GiB less 4 KiB, IFD0 at 1900 MiB", 4096 * MiB - 4096, 1900 * MiB, 1900 * MiB + 64,
       1900 * MiB + 256},
      {"4 GiB less 4 KiB, GPS at its end", 4096 * MiB - 4096, 64, 4096 * MiB - 8192, 3000 * MiB},
      {"JPEG of 4 GiB less 2, GPS past 3 GiB", 4096 * MiB - 2, 8, 3500 * MiB, 3500 * MiB + 4096,
       true},
  };
  QTemporaryDir dir;
  for (const FarLayout& l : layouts) {
    const QString path = write_sparse(dir.filePath(QString(l.name) + (l.jpeg ? ".jpg" : ".tif")),
                                      l.size, far_pieces(l));
    // The whole-file reading, where a buffer of the file is cheap enough.
    if (l.size <= 48 * MiB) {
      const PhotoFile whole = read_photo_file(to_ansi(path));
      ASSERT_EQ(whole.status, PhotoFileStatus::read) << l.name;
      ExifRecord record;
      const int code = locate_photo_exif(record, LoadedBytes(whole.bytes.get(), whole.size));
      ASSERT_EQ(code, exif_decoded) << l.name;
      const Outcome expected{PhotoFileStatus::read, code, exif_record_text(record)};
      for (const ReadPlan plan : {ReadPlan{}, read_plan_for("a.tif"), ReadPlan{16, 4}}) {
        OsPhotoFile file;
        ASSERT_TRUE(file.open(to_ansi(path)));
        EXPECT_EQ(lazily(file, plan), expected) << l.name;
      }
    }
    OsPhotoFile file;
    ASSERT_TRUE(file.open(to_ansi(path)));
    CountedFile counted(file);
    ExifRecord record;
    const FileExifResult found = locate_exif_in_file(record, counted, read_plan_for(to_ansi(path)));
    ASSERT_EQ(found.status, PhotoFileStatus::read) << l.name;
    EXPECT_EQ(found.code, exif_decoded) << l.name;
    EXPECT_DOUBLE_EQ(record.latitude, -48.858333333333333) << l.name;
    EXPECT_DOUBLE_EQ(record.longitude, -2.2944444444444444) << l.name;
    EXPECT_EQ(record.date_time_original, "2023:01:02 03:04:05") << l.name;
    EXPECT_LE(found.peak_bytes_held, far_bound) << l.name;
    EXPECT_LE(counted.bytes_read, far_bound) << l.name;
    EXPECT_LE(counted.reads, 8) << l.name;
  }
}

// A walk through a chain far beyond the first reads, as a PNG's chunks before its EXIF chunk,
// reads ahead more each time: few reads, and bounded memory however long the chain.
TEST(LazyReaderDifferential, WalksThroughFarChunksInFewReads) {
  Bytes png = build_png("eXIf", build_tiff(photo_exif("2024:05:17 10:11:12")));
  constexpr std::uint32_t stride = 32 << 10;
  Bytes chunks(std::size_t{2048} * stride, 0);
  for (std::size_t at = 0; at < chunks.size(); at += stride) {
    const std::uint32_t length = stride - 12;
    for (int i = 0; i < 4; ++i) chunks[at + i] = static_cast<std::uint8_t>(length >> (24 - 8 * i));
    std::copy_n("IDAT", 4, chunks.begin() + static_cast<std::ptrdiff_t>(at) + 4);
  }
  png.insert(png.begin() + 8 + 25, chunks.begin(), chunks.end());  // after the signature and IHDR

  ExifRecord whole;
  const int code =
      locate_photo_exif(whole, LoadedBytes(png.data(), static_cast<std::uint32_t>(png.size())));
  ASSERT_EQ(code, exif_decoded);
  MemoryFile file(png.data(), static_cast<std::int64_t>(png.size()));
  ExifRecord record;
  const FileExifResult found = locate_exif_in_file(record, file);
  EXPECT_EQ(found.code, code);
  EXPECT_EQ(exif_record_text(record), exif_record_text(whole));
  EXPECT_LE(file.reads, 40);
  EXPECT_LE(found.peak_bytes_held, ReadPlan{}.far.memory + MiB);
}

// Thousands of far offsets cost bounded memory and reads. The whole-file reading decodes these;
// the lazy one gives up as unreadable once its limits are reached.
TEST(LazyReaderDifferential, ThousandsOfFarOffsetsAreReadWithinBounds) {
  // IFD0 of texts whose values each lie in a page of their own, 128 KiB apart: the decoder keeps
  // views of texts, so their pages stay in memory.
  auto texts = [] {
    Bytes ifd0;
    constexpr std::uint32_t count = 3000;
    put_le_at(ifd0, {{'I' | 'I' << 8, 2}, {42, 2}, {8, 4}, {count, 2}});
    for (std::uint32_t k = 0; k < count; ++k) {
      put_le_at(ifd0, {{0x010E, 2}, {2, 2}, {8, 4}, {(k + 1) << 17, 4}});
    }
    put_le_at(ifd0, {{0, 4}});
    return std::vector<std::pair<std::uint64_t, Bytes>>{{0, ifd0}};
  };
  // A GPS directory of latitudes whose rationals lie 48 KiB apart: each is read and let go.
  auto latitudes = [] {
    Bytes tiff;
    constexpr std::uint32_t count = 20000;
    put_le_at(tiff, {{'I' | 'I' << 8, 2}, {42, 2}, {8, 4}});
    put_le_at(tiff, {{1, 2}, {0x8825, 2}, {4, 2}, {1, 4}, {26, 4}, {0, 4}, {count, 2}});
    for (std::uint32_t k = 0; k < count; ++k) {
      put_le_at(tiff, {{2, 2}, {5, 2}, {3, 4}, {(k + 1) * (48u << 10), 4}});
    }
    put_le_at(tiff, {{0, 4}});
    return std::vector<std::pair<std::uint64_t, Bytes>>{{0, tiff}};
  };
  const struct {
    const char* name;
    std::uint64_t size;
    std::vector<std::pair<std::uint64_t, Bytes>> pieces;
  } cases[] = {
      {"texts.tif", 400 * MiB, texts()},
      {"latitudes.tif", 1000 * MiB, latitudes()},
  };
  QTemporaryDir dir;
  for (const auto& c : cases) {
    const QString path = write_sparse(dir.filePath(c.name), c.size, c.pieces);
    OsPhotoFile file;
    ASSERT_TRUE(file.open(to_ansi(path)));
    CountedFile counted(file);
    const ReadPlan plan = read_plan_for(to_ansi(path));
    ExifRecord record;
    const FileExifResult found = locate_exif_in_file(record, counted, plan);
    EXPECT_EQ(found.status, PhotoFileStatus::cannot_read) << c.name;
    EXPECT_LE(found.peak_bytes_held, plan.far.memory + MiB) << c.name;
    EXPECT_LE(counted.reads, static_cast<int>(plan.far.reads) + 8) << c.name;
    EXPECT_LE(counted.bytes_read, plan.far.bytes + MiB) << c.name;
  }
}

}  // namespace
