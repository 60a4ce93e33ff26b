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
#include "best_of_five.h"

namespace {

constexpr int kPoints = 100000;
constexpr int kPhotos = 10000;
constexpr std::int64_t kStart = 19878 * ms_per_day;  // 2024-06-04 00:00 UTC
constexpr std::int64_t kStep = 5 * ms_per_second;    // a point every 5 s, as watches record

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
