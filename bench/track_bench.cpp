// Times the track step: reading a GPX file of 100000 points, placing 10000 photos on it, and the
// page's track list. Prints the best of five runs of each, wall clock and processor time.
#include <QByteArray>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "album/page/track_page_lists.h"
#include "album/track/gpx_track.h"
#include "album/track/track_placing.h"
#include "album/track/track_time.h"

namespace {

constexpr int kPoints = 100000;
constexpr int kPhotos = 10000;
constexpr std::int64_t kStart = 19878 * ms_per_day;  // 2024-06-04 00:00 UTC
constexpr std::int64_t kStep = 5 * ms_per_second;    // a point every 5 s, as watches record

struct Timing {
  double wall_ms = 1e300;
  double cpu_ms = 1e300;
};

Timing best_of_five(const std::function<void()>& work) {
  Timing best;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu_start = std::clock();
    work();
    const double cpu = 1000.0 * static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
    const double wall =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (wall < best.wall_ms) best = {wall, cpu};
  }
  return best;
}

QByteArray gpx_of_points(int count) {
  QByteArray gpx =
      "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">"
      "<trk><trkseg>\n";
  for (int i = 0; i < count; ++i) {
    const std::int64_t t = kStart + i * kStep;
    gpx += "<trkpt lat=\"" + QByteArray::number(46.3 + i * 1e-6, 'f', 7) + "\" lon=\"" +
           QByteArray::number(14.1 + i * 2e-6, 'f', 7) + "\"><ele>512.4</ele><time>" +
           format_time(t).replace(u' ', u'T').toLatin1() + "Z</time></trkpt>\n";
  }
  return gpx + "</trkseg></trk></gpx>\n";
}

void report(const char* what, const Timing& t, double goal_ms) {
  std::printf("%-44s %8.1f ms (cpu %6.1f ms)  goal < %.0f ms%s\n", what, t.wall_ms, t.cpu_ms,
              goal_ms, t.cpu_ms < goal_ms ? "" : "  MISSED");
}

}  // namespace

int main() {
  const QByteArray gpx = gpx_of_points(kPoints);
  std::printf("GPX of %d points: %.1f MB\n", kPoints, gpx.size() / 1e6);

  GpxContent content;
  report("read_gpx, 100000 points", best_of_five([&] { content = read_gpx(gpx); }), 500);
  if (content.points != kPoints) {
    std::printf("read %lld points, expected %d\n", static_cast<long long>(content.points), kPoints);
    return 1;
  }

  std::vector<std::int64_t> photo_times;
  for (int i = 0; i < kPhotos; ++i) {
    // Spread over the track and a little beyond both ends.
    photo_times.push_back(kStart - 10 * 60 * ms_per_second +
                          (i * 7919LL % kPhotos) * (kPoints * kStep + 20 * 60 * ms_per_second) /
                              kPhotos);
  }
  int placed = 0;
  report("index and place 10000 photos", best_of_five([&] {
           const TrackIndex index(content.segments);
           placed = 0;
           for (const std::int64_t t : photo_times) {
             placed += index.place(t, 300 * ms_per_second).has_value() ? 1 : 0;
           }
         }),
         100);
  std::printf("placed: %d of %d\n", placed, kPhotos);

  // A second device's 10000 short segments inside the day-long track, as two recorders give.
  std::vector<TrackSegment> overlapping = content.segments;
  for (int i = 0; i < 10000; ++i) {
    const std::int64_t start = kStart + i * (kPoints * kStep / 10000);
    overlapping.push_back({{start, 10.0, 10.0}, {start + kStep, 10.0, 10.0}});
  }
  report("index and place 10000 photos, 10000 overlapping segments", best_of_five([&] {
           const TrackIndex index(overlapping);
           placed = 0;
           for (const std::int64_t t : photo_times) {
             placed += index.place(t, 300 * ms_per_second).has_value() ? 1 : 0;
           }
         }),
         100);
  std::printf("placed: %d of %d\n", placed, kPhotos);

  qsizetype bytes = 0;
  report("page track list, 100000 points", best_of_five([&] {
           bytes = build_track_pieces(content.segments, [](std::int64_t) { return 7200; }).size();
         }),
         500);
  std::printf("track list: %.1f MB\n", bytes / 1e6);
  return 0;
}
