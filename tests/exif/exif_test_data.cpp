#include "tests/exif/exif_test_data.h"

namespace {

void put(Bytes& out, std::size_t at, Word w, bool little_endian) {
  for (int i = 0; i < w.size; ++i) {
    const int shift = 8 * (little_endian ? i : w.size - 1 - i);
    out[at + i] = static_cast<std::uint8_t>(w.value >> shift);
  }
}

std::size_t payload_size(const TestEntry& e) {
  std::size_t size = 0;
  for (Word w : e.values) size += w.size;
  return size;
}

std::size_t directory_size(const std::vector<TestEntry>& entries) {
  return 2 + 12 * entries.size() + 4;
}

}  // namespace

TestEntry ascii_entry(std::uint16_t tag, std::string_view bytes) {
  TestEntry e{tag, 2, static_cast<std::uint32_t>(bytes.size()), {}, {}};
  for (char c : bytes) e.values.push_back({static_cast<std::uint8_t>(c), 1});
  return e;
}

TestEntry short_entry(std::uint16_t tag, std::vector<std::uint16_t> values) {
  TestEntry e{tag, 3, static_cast<std::uint32_t>(values.size()), {}, {}};
  for (auto v : values) e.values.push_back({v, 2});
  return e;
}

TestEntry long_entry(std::uint16_t tag, std::vector<std::uint32_t> values) {
  TestEntry e{tag, 4, static_cast<std::uint32_t>(values.size()), {}, {}};
  for (auto v : values) e.values.push_back({v, 4});
  return e;
}

TestEntry rational_entry(std::uint16_t tag, std::vector<std::uint32_t> pairs, std::uint16_t type) {
  TestEntry e{tag, type, static_cast<std::uint32_t>(pairs.size() / 2), {}, {}};
  for (auto v : pairs) e.values.push_back({v, 4});
  return e;
}

TestEntry raw_entry(std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                    std::uint32_t value_field) {
  return {tag, type, count, {}, value_field};
}

TestEntry letter_entry(std::uint16_t tag, char letter) {
  return {tag, 2, 2, {{static_cast<std::uint8_t>(letter), 1}, {0, 1}}, {}};
}

Bytes build_exif_block(const TestExif& exif) {
  std::vector<std::vector<TestEntry>> directories{exif.ifd0};
  for (auto [tag, sub] : {std::pair{0x8769, &exif.exif}, std::pair{0x8825, &exif.gps}}) {
    if (!*sub) continue;
    directories[0].push_back(raw_entry(tag, exif.pointer_type, 1, 0));  // pointer, set below
    directories.push_back(**sub);
  }
  std::vector<std::size_t> starts;  // TIFF offsets
  std::size_t end = 8;
  for (const auto& d : directories) {
    starts.push_back(end);
    end += directory_size(d);
  }
  const std::size_t pointers = directories.size() - 1;
  for (std::size_t i = 0; i < pointers; ++i) {
    directories[0][directories[0].size() - pointers + i].value_field = starts[i + 1];
  }

  std::size_t data = end;
  for (const auto& d : directories) {
    for (const auto& e : d) data += payload_size(e) > 4 ? payload_size(e) : 0;
  }
  Bytes out(6 + data, 0);
  const bool le = exif.little_endian;
  const Bytes header{'E', 'x', 'i', 'f', 0, 0};
  std::copy(header.begin(), header.end(), out.begin());
  out[6] = out[7] = le ? 'I' : 'M';
  put(out, 8, {42, 2}, le);
  put(out, 10, {8, 4}, le);

  std::size_t next_data = end;
  for (std::size_t d = 0; d < directories.size(); ++d) {
    std::size_t at = 6 + starts[d];
    put(out, at, {static_cast<std::uint32_t>(directories[d].size()), 2}, le);
    at += 2;
    for (const TestEntry& e : directories[d]) {
      put(out, at, {e.tag, 2}, le);
      put(out, at + 2, {e.type, 2}, le);
      put(out, at + 4, {e.count, 4}, le);
      std::size_t values_at = at + 8;
      if (payload_size(e) > 4) {
        values_at = 6 + next_data;
        put(out, at + 8, {static_cast<std::uint32_t>(next_data), 4}, le);
        next_data += payload_size(e);
      }
      for (Word w : e.values) {
        put(out, values_at, w, le);
        values_at += w.size;
      }
      if (e.value_field) put(out, at + 8, {*e.value_field, 4}, le);
      at += 12;
    }
  }
  return out;
}

Bytes build_jpeg(const Bytes& block, std::size_t scan_size) {
  Bytes jpeg{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
  const std::size_t length = block.size() + 2;
  jpeg.insert(jpeg.end(), {0xFF, 0xE1, static_cast<std::uint8_t>(length >> 8),
                           static_cast<std::uint8_t>(length)});
  jpeg.insert(jpeg.end(), block.begin(), block.end());
  jpeg.insert(jpeg.end(), {0xFF, 0xDA});
  for (std::size_t i = 0; i < scan_size; ++i) jpeg.push_back(static_cast<std::uint8_t>(i % 0xF0));
  jpeg.insert(jpeg.end(), {0xFF, 0xD9});
  return jpeg;
}

std::vector<TestEntry> southern_gps() {
  return {letter_entry(1, 'S'), rational_entry(2, {48, 1, 51, 1, 30, 1}), letter_entry(3, 'E'),
          rational_entry(4, {2, 1, 17, 1, 40, 1})};
}

TestExif photo_exif(std::string_view date_time, bool little_endian) {
  return {little_endian,
          {ascii_entry(0x010F, std::string_view("Maker\0", 6)),
           ascii_entry(0x0132, std::string_view("2001:01:01 00:00:00\0", 20))},
          std::vector<TestEntry>{ascii_entry(0x9003, date_time)},
          southern_gps()};
}
