#include "album/track/gpx_track.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

#include "album/track/track_time.h"
#include "text/number_format.h"
#include "text/text_file.h"
#include "text/text_ops.h"

namespace {

constexpr QStringView gpx_10 = u"http://www.topografix.com/GPX/1/0";
constexpr QStringView gpx_11 = u"http://www.topografix.com/GPX/1/1";

// Deeper than any GPX writer nests (a point's extensions take a few levels): a file of unclosed
// elements must fail at once rather than have the XML reader keep millions of open ones.
constexpr int most_element_depth = 40;

class GpxReader {
 public:
  explicit GpxReader(const QByteArray& bytes) : xml_(bytes) {}

  GpxContent read() {
    if (!read_root_element()) {
      if (!xml_.hasError()) fail(QStringLiteral("no XML element found"));
    } else if (!is_gpx(u"gpx")) {
      fail(QStringLiteral("the document is <%1>, not <gpx> of GPX 1.0 or 1.1")
               .arg(xml_.qualifiedName()));
    } else {
      read_gpx_children();
    }
    if (xml_.hasError() && content_.error.isEmpty()) {
      content_.error = QStringLiteral("line %1: %2").arg(xml_.lineNumber()).arg(xml_.errorString());
    }
    if (!content_.error.isEmpty()) {
      content_.segments.clear();
      content_.points = 0;
    }
    return std::move(content_);
  }

 private:
  // An element of GPX 1.0 or 1.1 (or of no namespace, as some writers leave it out).
  bool is_gpx(QStringView name) const {
    const QStringView ns = xml_.namespaceUri();
    return xml_.name() == name && (ns == gpx_11 || ns == gpx_10 || ns.isEmpty());
  }

  // GPX needs no document type. Refusing one refuses its internal entities too, which let a few
  // kilobytes expand into millions of points.
  bool read_root_element() {
    while (!xml_.atEnd()) {
      const QXmlStreamReader::TokenType token = xml_.readNext();
      if (token == QXmlStreamReader::StartElement) return true;
      if (token == QXmlStreamReader::DTD) {
        fail(QStringLiteral("a document type declaration (<!DOCTYPE>) is refused; GPX needs none"));
        return false;
      }
    }
    return false;
  }

  // Passes over the current element and everything inside it.
  void skip_element() {
    int depth = 1;
    while (depth > 0 && !xml_.atEnd()) {
      const QXmlStreamReader::TokenType token = xml_.readNext();
      if (token == QXmlStreamReader::EndElement) --depth;
      if (token == QXmlStreamReader::StartElement && ++depth > most_element_depth) {
        fail(QStringLiteral("elements nested more than %1 levels deep").arg(most_element_depth));
      }
    }
  }

  void fail(const WideText& message) {
    if (content_.error.isEmpty()) {
      content_.error = QStringLiteral("line %1: %2").arg(xml_.lineNumber()).arg(message);
    }
    xml_.raiseError(message);
  }

  void read_gpx_children() {
    while (xml_.readNextStartElement()) {
      if (is_gpx(u"trk")) {
        read_parent(u"trkseg", u"trkpt");
      } else if (is_gpx(u"rte")) {
        add_segment(read_points(u"rtept"));
      } else if (is_gpx(u"wpt")) {
        TrackSegment one;
        read_point(one);
        add_segment(std::move(one));
      } else {
        skip_element();
      }
    }
  }

  // A <trk>: each <trkseg> is a segment.
  void read_parent(QStringView segment_name, QStringView point_name) {
    while (xml_.readNextStartElement()) {
      if (is_gpx(segment_name)) {
        add_segment(read_points(point_name));
      } else {
        skip_element();
      }
    }
  }

  TrackSegment read_points(QStringView point_name) {
    TrackSegment segment;
    while (xml_.readNextStartElement()) {
      if (is_gpx(point_name)) {
        read_point(segment);
      } else {
        skip_element();
      }
    }
    return segment;
  }

  std::optional<double> coordinate(QStringView name, double limit) {
    const QStringView text = xml_.attributes().value(name.toString());
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > limit) {
      fail(QStringLiteral("a point's %1 \"%2\" is no number within -%3..%3")
               .arg(name)
               .arg(text.left(40))
               .arg(limit));
      return std::nullopt;
    }
    return value;
  }

  // A point element: lat and lon attributes, a <time> child (others, <ele> too, are passed over).
  void read_point(TrackSegment& segment) {
    const std::optional<double> latitude = coordinate(u"lat", 90);
    const std::optional<double> longitude = latitude ? coordinate(u"lon", 180) : std::nullopt;
    if (!longitude) return;
    std::optional<std::int64_t> time;
    while (xml_.readNextStartElement()) {
      if (is_gpx(u"time")) {
        time = parse_gpx_time(xml_.readElementText());
      } else {
        skip_element();
      }
    }
    if (xml_.hasError()) return;
    if (!time) {
      ++content_.without_time;
      return;
    }
    segment.push_back({*time, *latitude, *longitude});
    ++content_.points;
  }

  void add_segment(TrackSegment segment) {
    if (segment.empty() || xml_.hasError()) return;
    std::stable_sort(segment.begin(), segment.end(), [](const TrackPoint& a, const TrackPoint& b) {
      return a.time_ms < b.time_ms;
    });
    content_.segments.push_back(std::move(segment));
  }

  QXmlStreamReader xml_;
  GpxContent content_;
};

WideText time_span(const TrackSet& set, std::size_t first_segment) {
  std::int64_t first = INT64_MAX, last = INT64_MIN;
  for (std::size_t i = first_segment; i < set.segments.size(); ++i) {
    first = std::min(first, set.segments[i].front().time_ms);
    last = std::max(last, set.segments[i].back().time_ms);
  }
  return format_time(first) + QStringLiteral(" to ") + format_time(last) + QStringLiteral(" UTC");
}

}  // namespace

GpxContent read_gpx(const QByteArray& bytes) {
  return GpxReader(bytes).read();
}

TrackSet read_track_files(const QList<AnsiText>& paths, AlbumLog& log) {
  TrackSet set;
  for (const AnsiText& native_path : paths) {
    const WideText path = to_wide(native_path);
    const DataFile file = read_data_file(native_path);
    GpxContent content =
        file.failure.isEmpty() ? read_gpx(file.bytes) : GpxContent{{}, 0, 0, file.failure};
    if (!content.error.isEmpty()) {
      log.append_line(QStringLiteral("Track \"%1\" left out: %2").arg(path, content.error));
      continue;
    }
    if (content.segments.empty()) {
      log.append_line(QStringLiteral("Track \"%1\" left out: no point with a time (%2 without)")
                          .arg(path)
                          .arg(content.without_time));
      continue;
    }
    const std::size_t first_segment = set.segments.size();
    for (TrackSegment& segment : content.segments) set.segments.push_back(std::move(segment));
    set.files.append(path);
    set.points += content.points;
    WideText line = QStringLiteral("Track \"%1\": %2 points, %3")
                        .arg(path)
                        .arg(content.points)
                        .arg(time_span(set, first_segment));
    if (content.without_time > 0) {
      line += QStringLiteral(" (%1 points without a time skipped)").arg(content.without_time);
    }
    log.append_line(line);
  }
  return set;
}

TrackSet read_track_files(const QStringList& paths, AlbumLog& log) {
  QList<AnsiText> native_paths;
  for (const WideText& path : paths) native_paths.append(to_ansi(path));
  return read_track_files(native_paths, log);
}
