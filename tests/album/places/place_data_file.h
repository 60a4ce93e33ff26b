#pragma once
// Place data files composed in code (the layout of album/places/place_data.h), for the tests.
#include <QByteArray>
#include <cmath>
#include <cstdint>
#include <vector>

struct TestPlace {
  double latitude;
  double longitude;
  std::uint32_t population;
  const char* name;
  std::uint16_t country = 0;
};

inline void append_u32(QByteArray& bytes, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(value >> shift & 0xFF);
}

// The file of these places and countries, each name a text of its own.
inline QByteArray place_data_file(const std::vector<TestPlace>& places,
                                  const std::vector<const char*>& countries = {"Testland"}) {
  QByteArray texts;
  const auto add_text = [&texts](const char* text) {
    const auto offset = static_cast<std::uint32_t>(texts.size());
    texts += static_cast<char>(QByteArray(text).size());
    texts += text;
    return offset;
  };
  QByteArray country_offsets;
  for (const char* country : countries) append_u32(country_offsets, add_text(country));
  QByteArray records;
  for (const TestPlace& place : places) {
    append_u32(records, static_cast<std::uint32_t>(std::lround(place.latitude * 1e5)));
    append_u32(records, static_cast<std::uint32_t>(std::lround(place.longitude * 1e5)));
    append_u32(records, place.population);
    append_u32(records, add_text(place.name));
    records += static_cast<char>(place.country & 0xFF);
    records += static_cast<char>(place.country >> 8);
  }
  QByteArray file = "TBPLACES";
  append_u32(file, 1);
  append_u32(file, static_cast<std::uint32_t>(places.size()));
  append_u32(file, static_cast<std::uint32_t>(countries.size()));
  append_u32(file, static_cast<std::uint32_t>(texts.size()));
  return file + country_offsets + records + texts;
}
