// Writes the generated seeds of the EXIF fuzz targets into the folder given: EXIF blocks that
// hold every tag the decoder reads, each GPS tag once with its values inside the block and once
// pointing outside it, each as a bare block, as a bare TIFF structure and inside a JPEG stream.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/exif/exif_test_data.h"

namespace {

std::vector<TestEntry> every_ifd0_tag() {
  return {ascii_entry(0x010E, "a description"),
          ascii_entry(0x010F, "Maker"),
          ascii_entry(0x0110, "Model"),
          ascii_entry(0x0131, "Software"),
          ascii_entry(0x0132, "2001:01:01 00:00:00"),
          ascii_entry(0x8298, "Rights"),
          short_entry(0x0102, {8, 8, 8}),
          short_entry(0x0112, {6})};
}

std::vector<TestEntry> every_exif_tag() {
  std::vector<TestEntry> entries = {
      ascii_entry(0x9003, "2024:05:17 10:11:12"),
      ascii_entry(0x9004, "2024:05:17 10:11:12"),
      ascii_entry(0x9291, "25"),
      ascii_entry(0x9011, "+02:00"),
      ascii_entry(0xA433, "Lens maker"),
      ascii_entry(0xA434, "Lens"),
      short_entry(0xA002, {4000}),
      long_entry(0xA003, {3000}),
      short_entry(0x9209, {0x19}),
      rational_entry(0xA432, {24, 1, 70, 1, 28, 10, 40, 10}),
  };
  for (std::uint16_t tag : {0x8822, 0x8827, 0x9207, 0xA210, 0xA405}) {
    entries.push_back(short_entry(tag, {3}));
  }
  for (std::uint16_t tag : {0x829A, 0x829D, 0x9201, 0x9204, 0x9206, 0x920A, 0xA20E, 0xA20F}) {
    entries.push_back(rational_entry(tag, {1, 250}));
  }
  return entries;
}

// Each GPS tag the decoder reads, with its values where it wants them.
std::vector<TestEntry> every_gps_tag() {
  return {letter_entry(1, 'S'),
          rational_entry(2, {48, 1, 51, 1, 30, 1}),
          letter_entry(3, 'W'),
          rational_entry(4, {2, 1, 17, 1, 40, 1}, 10),
          short_entry(5, {1}),
          rational_entry(6, {35, 1}),
          rational_entry(7, {10, 1, 11, 1, 12, 1}),
          rational_entry(11, {5, 2}),
          ascii_entry(0x001D, std::string_view("2024:05:17\0", 11))};
}

void write(const std::string& path, const Bytes& bytes) {
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

void write_forms(const std::string& folder, const std::string& name, const TestExif& exif) {
  const Bytes block = build_exif_block(exif);
  write(folder + "/" + name + ".exif", block);
  write(folder + "/" + name + ".tif", Bytes(block.begin() + 6, block.end()));
  write(folder + "/" + name + ".jpg", build_jpeg(block));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  for (bool little_endian : {true, false}) {
    const std::string order = little_endian ? "le" : "be";
    write_forms(folder, "photo-" + order, photo_exif("2024:05:17 10:11:12", little_endian));
    TestExif all{little_endian, every_ifd0_tag(), every_exif_tag(), every_gps_tag()};
    write_forms(folder, "every-tag-" + order, all);
    all.pointer_type = 13;
    write_forms(folder, "every-tag-ifd-pointers-" + order, all);
  }
  for (const TestEntry& entry : every_gps_tag()) {
    const std::string tag = std::to_string(entry.tag);
    write_forms(folder, "gps-" + tag + "-inside", TestExif{true, {}, {}, {{entry}}});
    // The same entry with its values claimed far past the block's end.
    TestEntry outside = entry;
    outside.count = entry.count < 5 ? 24 : entry.count;
    outside.value_field = 0x7FFFFFF0;
    write_forms(folder, "gps-" + tag + "-outside", TestExif{true, {}, {}, {{outside}}});
  }
  return 0;
}
