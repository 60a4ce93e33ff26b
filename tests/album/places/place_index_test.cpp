#include "album/places/place_index.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "places/place_data_file.h"
#include "text/app_error.h"

namespace {

constexpr double kKmPerDegree = 6371.0088 * 3.14159265358979 / 180;

PlaceIndex index_of(const std::vector<TestPlace>& places) {
  return PlaceIndex(parse_place_data(place_data_file(places)));
}

std::string name_at(const PlaceIndex& index, double latitude, double longitude) {
  const std::optional<std::uint32_t> place = index.place_at(latitude, longitude);
  return place ? index.name(*place).toByteArray().toStdString() : "(none)";
}

TEST(PlaceIndex, FindsPlacesAcross180DegreesAndOverThePoles) {
  const PlaceIndex index = index_of({{-16.5, 179.99, 5000, "East"},
                                     {-16.0, -179.97, 5000, "West"},
                                     {89.95, 0.0, 1000, "Pole station"},
                                     {-89.0, 45.0, 1000, "South"}});
  const struct {
    double latitude, longitude;
    const char* name;
  } cases[] = {
      {-16.5, -179.99, "East"},  {-16.5, 180.0, "East"},         {-16.5, -180.0, "East"},
      {-16.0, 179.98, "West"},   {89.95, 180.0, "Pole station"}, {90.0, -77.0, "Pole station"},
      {-89.1, -135.0, "(none)"}, {-89.1, 44.0, "South"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(name_at(index, c.latitude, c.longitude), c.name) << c.latitude << "," << c.longitude;
  }
}

TEST(PlaceIndex, ReachesTwentyFiveKilometresAndNoPositionOffEarth) {
  const PlaceIndex index = index_of({{0.0, 0.0, 1000, "Origin"}, {60.0, 10.0, 1000, "North"}});
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double latitude, longitude;
    const char* name;
  } cases[] = {
      {24.9 / kKmPerDegree, 0, "Origin"},
      {25.1 / kKmPerDegree, 0, "(none)"},
      {0, -24.9 / kKmPerDegree, "Origin"},
      // At 60 degrees a degree of longitude is half as long.
      {60.0, 10.0 + 2 * 24.9 / kKmPerDegree, "North"},
      {60.0, 10.0 - 2 * 25.1 / kKmPerDegree, "(none)"},
      {nan, 0, "(none)"},
      {0, nan, "(none)"},
      {90.001, 0, "(none)"},
      {0, 180.001, "(none)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(name_at(index, c.latitude, c.longitude), c.name) << c.latitude << "," << c.longitude;
  }
}

// A village at 1 km from the photo against a larger place farther away.
TEST(PlaceIndex, PrefersALargerPlaceOnlyWhenItIsAlmostAsNear) {
  const struct {
    double larger_km;
    std::uint32_t population;
    const char* name;
  } cases[] = {
      {1.10, 10000, "Town"},      {1.20, 10000, "Village"},    {1.40, 1000000, "Town"},
      {1.50, 1000000, "Village"}, {1.50, 20000000, "Village"}, {1.40, 0, "Village"},
      {0.99, 500, "Town"},
  };
  for (const auto& c : cases) {
    // North and south of the photo at 45 N, 0, where a degree of latitude has a known length.
    const PlaceIndex index =
        index_of({{45.0 + 1.0 / kKmPerDegree, 0, 1000, "Village"},
                  {45.0 - c.larger_km / kKmPerDegree, 0, c.population, "Town"}});
    EXPECT_EQ(name_at(index, 45.0, 0), c.name) << c.larger_km << " km, " << c.population;
  }
}

// Spots whose names are known, in the place data the build makes.
TEST(PlaceIndex, NamesKnownSpotsFromThePlaceData) {
  const PlaceIndex index = read_place_index(TRAILBOOK_PLACE_DATA);
  ASSERT_GT(index.size(), 100000u);
  const struct {
    const char* spot;
    double latitude, longitude;
    const char* name;
    const char* country;
  } cases[] = {
      {"Lavrica, a village 7 km from Ljubljana", 46.0000, 14.5573, "Lavrica", "Slovenia"},
      {"halfway between Lavrica and Ljubljana", 46.02555, 14.53122, "Ljubljana", "Slovenia"},
      {"a boat on Lake Bled", 46.3627, 14.0937, "Bled", "Slovenia"},
      {"the middle of Lake Geneva", 46.45, 6.55, "Évian-les-Bains", "France"},
      {"Nova Gorica station, by the border", 45.9557, 13.6390, "Nova Gorica", "Slovenia"},
      {"Gorizia, across the border", 45.9405, 13.6200, "Gorizia", "Italy"},
      {"the middle of Lake Superior", 47.7, -87.5, nullptr, nullptr},
      {"the Atlantic", 40.0, -40.0, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<std::uint32_t> place = index.place_at(c.latitude, c.longitude);
    if (c.name == nullptr) {
      EXPECT_FALSE(place) << c.spot << ": " << index.name(*place).toByteArray().toStdString();
      continue;
    }
    ASSERT_TRUE(place) << c.spot;
    EXPECT_EQ(index.name(*place), QByteArrayView(c.name)) << c.spot;
    EXPECT_EQ(index.country(*place), QByteArrayView(c.country)) << c.spot;
  }
}

TEST(ParsePlaceData, RefusesEveryDamagedFile) {
  const QByteArray good = place_data_file({{46.0, 14.5, 1000, "Lavrica"}}, {"Slovenia"});
  const auto changed = [&good](qsizetype at, std::uint32_t value) {
    QByteArray bytes = good;
    QByteArray number;
    append_u32(number, value);
    return bytes.replace(at, 4, number);
  };
  // The place's record starts at 24 + 4 (one country); its texts at 24 + 4 + 18.
  const struct {
    QByteArray bytes;
    const char* says;
  } cases[] = {
      {QByteArray(), "no place data file"},
      {QByteArray(good).replace(0, 8, "TBPLACEZ"), "no place data file"},
      {changed(8, 2), "version 2"},
      {good.chopped(1), "damaged"},
      {changed(12, 0xFFFFFFFF), "damaged"},  // counts that would wrap 32 bits
      {changed(24, 1000), "country 0"},
      {changed(28, static_cast<std::uint32_t>(-9000001)), "outside the world"},
      {changed(32, 18000001), "outside the world"},
      {changed(40, 10), "place 0 lies outside its texts"},  // a length that runs past the end
      {QByteArray(good).replace(44, 1, "\x01"), "country 1 of 1"},
  };
  EXPECT_EQ(parse_place_data(good).places.size(), 1u);
  for (const auto& c : cases) {
    try {
      parse_place_data(c.bytes);
      ADD_FAILURE() << "accepted: " << c.says;
    } catch (const AppError& error) {
      EXPECT_TRUE(error.message().contains(QLatin1String(c.says))) << error.message().toStdString();
    }
  }
}

}  // namespace
