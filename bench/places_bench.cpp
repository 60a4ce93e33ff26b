// Times the place names: loading the place data beside the program (reading, checking, the
// grid), naming 100000 photo positions, and the page's place lists of 100000 rows. The positions
// are trips: 200 walks of 500 photos, each from a place of the data and wandering up to some
// 30 km, one walk in ten out at sea. Prints the best of five runs, wall clock and processor time.
#include <sys/resource.h>

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <random>
#include <vector>

#include "album/page/place_lists.h"
#include "album/places/place_index.h"
#include "album/program_path.h"
#include "best_of_five.h"
#include "text/text_file.h"

namespace {

constexpr int kWalks = 200;
constexpr int kPhotosPerWalk = 500;

struct Position {
  double latitude, longitude;
};

std::vector<Position> trips(const PlaceData& data) {
  std::mt19937 random(20240604);
  std::uniform_real_distribution<double> step(-0.004, 0.004);  // up to some 400 m a photo
  std::vector<Position> positions;
  for (int walk = 0; walk < kWalks; ++walk) {
    const PlaceRecord& start = data.places[random() % data.places.size()];
    double latitude = start.latitude_e5 / 1e5, longitude = start.longitude_e5 / 1e5;
    if (walk % 10 == 9) latitude = std::fmod(latitude + 60, 180) - 90;  // most likely the sea
    for (int photo = 0; photo < kPhotosPerWalk; ++photo) {
      latitude = std::clamp(latitude + step(random), -90.0, 90.0);
      longitude = std::remainder(longitude + step(random), 360.0);
      positions.push_back({latitude, longitude});
    }
  }
  return positions;
}

}  // namespace

int main(int argc, char** argv) {
  const QCoreApplication app(argc, argv);  // for the program's folder
  const AnsiText path = argc > 1 ? AnsiText(argv[1]) : to_ansi(default_places_file());
  const DataFile file = read_data_file(path);
  if (!file.failure.isEmpty()) {
    std::printf("%s: %s\n", path.constData(), file.failure.toUtf8().constData());
    return 1;
  }
  std::printf("place data: %s, %.2f MB\n", path.constData(), file.bytes.size() / 1e6);

  // Each run loads an index of its own, so that none pays for freeing the one before.
  std::vector<std::optional<PlaceIndex>> loaded(5);
  int run = 0;
  report("load the place index (read, check, grid)",
         best_of_five([&] { loaded[run++].emplace(read_place_index(path)); }), 50);
  const std::optional<PlaceIndex>& index = loaded.front();
  std::printf("places: %u\n", index->size());

  const std::vector<Position> positions = trips(parse_place_data(file.bytes));
  int named = 0;
  report("name 100000 positions", best_of_five([&] {
           named = 0;
           for (const Position& p : positions) {
             named += index->place_at(p.latitude, p.longitude).has_value() ? 1 : 0;
           }
         }),
         200);
  std::printf("named: %d of %zu\n", named, positions.size());

  std::vector<PhotoRow> rows;
  for (const Position& p : positions) {
    PhotoRow row;
    row.latitude = AnsiText::number(p.latitude, 'f', 13);
    row.longitude = AnsiText::number(p.longitude, 'f', 13);
    rows.push_back(row);
  }
  qsizetype bytes = 0;
  report("page place lists, 100000 rows",
         best_of_five([&] { bytes = build_place_lists(rows, *index).size(); }), 0);
  std::printf("place lists: %.2f MB\n", bytes / 1e6);

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak memory: %.0f MiB\n", usage.ru_maxrss / 1024.0);
  return 0;
}
