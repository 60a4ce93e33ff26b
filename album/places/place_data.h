#pragma once
// The place data file, places/places.dat beside the program, as scripts/place_data.mjs makes it
// from GeoNames' populated places. All numbers are little-endian:
//   header     "TBPLACES", then version, place count, country count, text size (32 bits each)
//   countries  per country the offset of its name in the texts (32 bits)
//   places     per place 18 bytes: latitude and longitude in 1e-5 degrees (signed 32 bits),
//              population (32 bits, 0 when unknown), offset of its name (32 bits), its
//              country's number (16 bits)
//   texts      each text is its length in bytes (one byte), then its UTF-8 bytes
// The file is checked whole before anything of it is used: a damaged file is refused, never
// read past its end.
#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <vector>

inline constexpr std::uint32_t place_data_version = 1;

struct PlaceRecord {
  std::int32_t latitude_e5 = 0;   // 1e-5 degrees, -9000000 .. 9000000
  std::int32_t longitude_e5 = 0;  // 1e-5 degrees, -18000000 .. 18000000
  std::uint32_t population = 0;
  std::uint32_t name = 0;  // offset of its text
  std::uint16_t country = 0;
};

struct PlaceData {
  std::vector<PlaceRecord> places;
  std::vector<std::uint32_t> countries;  // offset of each country's name
  QByteArray texts;

  // The UTF-8 bytes of the text at `offset`, one that parse_place_data checked.
  QByteArrayView text(std::uint32_t offset) const;
};

// The file's contents. Throws AppError saying what is wrong: no place data file, another
// version, sizes that do not match the counts, more than a million places, a place outside the
// world, an offset or a country number out of bounds.
PlaceData parse_place_data(QByteArrayView bytes);
