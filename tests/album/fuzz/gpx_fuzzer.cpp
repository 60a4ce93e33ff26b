// libFuzzer entry: any bytes as a GPX file. The reader must give points or an error without
// crashing, and what it gives must hold together: no segment empty or out of time order, the
// points counted as they are, none with a position outside the world, no points with an error.
// The size of the input bounds the work: no entity expands a file, no nesting grows without end.
#include <QByteArray>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "album/track/gpx_track.h"
#include "text/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > static_cast<std::size_t>(largest_data_file)) return 0;
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const GpxContent content = read_gpx(bytes);
  if (!content.error.isEmpty() && (!content.segments.empty() || content.points != 0)) std::abort();
  std::int64_t points = 0;
  for (const TrackSegment& segment : content.segments) {
    if (segment.empty()) std::abort();
    for (std::size_t i = 0; i < segment.size(); ++i) {
      const TrackPoint& p = segment[i];
      if (!(std::fabs(p.latitude) <= 90) || !(std::fabs(p.longitude) <= 180)) std::abort();
      if (i > 0 && segment[i - 1].time_ms > p.time_ms) std::abort();
    }
    points += static_cast<std::int64_t>(segment.size());
  }
  // Every point needs at least its element's name and two attributes in the file.
  if (points != content.points || points > static_cast<std::int64_t>(size) / 8) std::abort();
  return 0;
}
