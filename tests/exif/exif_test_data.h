#pragma once
// Builds EXIF blocks and JPEG streams for tests, benchmarks and fuzz seeds.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// One number of `size` bytes, written in the block's byte order.
struct Word {
  std::uint32_t value;
  int size;
};

struct TestEntry {
  std::uint16_t tag;
  std::uint16_t type;
  std::uint32_t count;
  std::vector<Word> values;                  // laid out inline or in the data area
  std::optional<std::uint32_t> value_field;  // replaces the laid-out value field
};

TestEntry ascii_entry(std::uint16_t tag, std::string_view bytes);  // count = bytes.size()
TestEntry short_entry(std::uint16_t tag, std::vector<std::uint16_t> values);
TestEntry long_entry(std::uint16_t tag, std::vector<std::uint32_t> values);
// Pairs of numerator and denominator.
TestEntry rational_entry(std::uint16_t tag, std::vector<std::uint32_t> pairs,
                         std::uint16_t type = 5);
TestEntry raw_entry(std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                    std::uint32_t value_field);
// GPSLatitudeRef/GPSLongitudeRef and the like: the letter is the first byte of the value field.
TestEntry letter_entry(std::uint16_t tag, char letter);

// IFD0, then the Exif and GPS directories (their pointers are appended to IFD0 when present),
// then the values that do not fit in a value field.
struct TestExif {
  bool little_endian = true;
  std::vector<TestEntry> ifd0;
  std::optional<std::vector<TestEntry>> exif;
  std::optional<std::vector<TestEntry>> gps;
  std::uint16_t pointer_type =
      4;  // of the two pointers: LONG, or IFD (13) as TIFF writers store them
};

// "Exif\0\0", the TIFF header and the directories.
Bytes build_exif_block(const TestExif& exif);
// SOI, an APP0 segment, the APP1 segment with `block`, a little scan data of `scan_size` bytes
// that holds no marker, EOI.
Bytes build_jpeg(const Bytes& block, std::size_t scan_size = 16);

// A GPS directory for 48° 51' 30" S, 2° 17' 40" E, and a photo with it taken at `date_time`.
std::vector<TestEntry> southern_gps();
TestExif photo_exif(std::string_view date_time, bool little_endian = true);
