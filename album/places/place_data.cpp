#include "album/places/place_data.h"

#include "text/app_error.h"

namespace {

constexpr char kMagic[] = "TBPLACES";
constexpr qsizetype kHeaderSize = 24;
constexpr qsizetype kPlaceSize = 18;
constexpr std::int32_t kMaxLatitude = 9000000;
constexpr std::int32_t kMaxLongitude = 18000000;
// Some eight times the places GeoNames lists with 1000 people or more: an index of more would
// take memory that no album should.
constexpr std::uint32_t kMaxPlaces = 1 << 20;

std::uint32_t read_u32(const char* at) {
  const auto* b = reinterpret_cast<const unsigned char*>(at);
  return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
         std::uint32_t{b[3]} << 24;
}

std::uint16_t read_u16(const char* at) {
  const auto* b = reinterpret_cast<const unsigned char*>(at);
  return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

[[noreturn]] void damaged(const QString& what) {
  throw AppError(QStringLiteral("the file is damaged: %1").arg(what));
}

// Whether a whole text, its length byte and its bytes, lies at `offset` within the texts.
bool is_text_at(const QByteArray& texts, std::uint32_t offset) {
  if (offset >= static_cast<std::uint64_t>(texts.size())) return false;
  const auto length = static_cast<unsigned char>(texts[offset]);
  return std::uint64_t{offset} + 1 + length <= static_cast<std::uint64_t>(texts.size());
}

}  // namespace

QByteArrayView PlaceData::text(std::uint32_t offset) const {
  return QByteArrayView(texts).sliced(offset + 1, static_cast<unsigned char>(texts[offset]));
}

PlaceData parse_place_data(QByteArrayView bytes) {
  if (bytes.size() < kHeaderSize || !bytes.startsWith(QByteArrayView(kMagic, 8))) {
    throw AppError(QStringLiteral("the file is no place data file"));
  }
  const char* data = bytes.data();
  const std::uint32_t version = read_u32(data + 8);
  if (version != place_data_version) {
    throw AppError(QStringLiteral("the file is of version %1, and this program reads version %2")
                       .arg(version)
                       .arg(place_data_version));
  }
  const std::uint32_t place_count = read_u32(data + 12);
  const std::uint32_t country_count = read_u32(data + 16);
  const std::uint32_t text_size = read_u32(data + 20);
  // In 64 bits, so that no count can wrap the sum around to the file's size.
  const std::uint64_t expected = std::uint64_t{kHeaderSize} + std::uint64_t{country_count} * 4 +
                                 std::uint64_t{place_count} * kPlaceSize + text_size;
  if (expected != static_cast<std::uint64_t>(bytes.size())) {
    damaged(QStringLiteral("%1 bytes where its counts make %2").arg(bytes.size()).arg(expected));
  }
  if (place_count > kMaxPlaces) damaged(QStringLiteral("%1 places").arg(place_count));
  if (country_count > 0xFFFF) damaged(QStringLiteral("%1 countries").arg(country_count));

  PlaceData result;
  const char* countries = data + kHeaderSize;
  const char* places = countries + qsizetype{country_count} * 4;
  result.texts = QByteArray(places + qsizetype{place_count} * kPlaceSize, text_size);

  result.countries.resize(country_count);
  for (std::uint32_t i = 0; i < country_count; ++i) {
    result.countries[i] = read_u32(countries + qsizetype{i} * 4);
    if (!is_text_at(result.texts, result.countries[i])) {
      damaged(QStringLiteral("the name of country %1 lies outside its texts").arg(i));
    }
  }
  result.places.resize(place_count);
  for (std::uint32_t i = 0; i < place_count; ++i) {
    const char* at = places + qsizetype{i} * kPlaceSize;
    PlaceRecord& place = result.places[i];
    place.latitude_e5 = static_cast<std::int32_t>(read_u32(at));
    place.longitude_e5 = static_cast<std::int32_t>(read_u32(at + 4));
    place.population = read_u32(at + 8);
    place.name = read_u32(at + 12);
    place.country = read_u16(at + 16);
    if (place.latitude_e5 < -kMaxLatitude || place.latitude_e5 > kMaxLatitude ||
        place.longitude_e5 < -kMaxLongitude || place.longitude_e5 > kMaxLongitude) {
      damaged(QStringLiteral("place %1 lies outside the world").arg(i));
    }
    if (!is_text_at(result.texts, place.name)) {
      damaged(QStringLiteral("the name of place %1 lies outside its texts").arg(i));
    }
    if (place.country >= country_count) {
      damaged(QStringLiteral("place %1 has country %2 of %3")
                  .arg(i)
                  .arg(place.country)
                  .arg(country_count));
    }
  }
  return result;
}
