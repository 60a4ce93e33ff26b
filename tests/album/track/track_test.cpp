// Tracks: reading GPX, the photos' UTC times, placing them, and the page's track lists.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "album/make_album.h"
#include "album/page/track_page_lists.h"
#include "album/track/track_placing.h"
#include "album/track/track_time.h"
#include "album_test_support.h"
#include "fixture_photos.h"
#include "tests/platform_expectations.h"

namespace {

constexpr std::int64_t june_4_2024 = 19878 * ms_per_day;  // 2024-06-04 00:00 UTC

std::int64_t at(int hour, int minute, int second = 0) {
  return june_4_2024 + ((hour * 60 + minute) * 60 + second) * ms_per_second;
}

QByteArray gpx(const char* version, const QByteArray& body) {
  return QByteArray("<?xml version=\"1.0\"?>\n<gpx version=\"") + version +
         "\" xmlns=\"http://www.topografix.com/GPX/" + (version[2] == '0' ? "1/0" : "1/1") +
         "\">\n" + body + "</gpx>\n";
}

QByteArray point(const char* tag, double lat, double lon, const char* time) {
  QByteArray text = QByteArray("<") + tag + " lat=\"" + QByteArray::number(lat) + "\" lon=\"" +
                    QByteArray::number(lon) + "\"><ele>35</ele>";
  if (time != nullptr) text += QByteArray("<time>") + time + "</time>";
  return text + "</" + tag + ">\n";
}

TEST(GpxReading, ReadsSegmentsRoutesAndWaypointsOfBothVersions) {
  const QByteArray two_segments =
      "<trk><name>walk</name><trkseg>" + point("trkpt", 48.1, 2.1, "2024-06-04T08:00:00Z") +
      point("trkpt", 48.2, 2.2, "2024-06-04T08:01:00.500Z") + "</trkseg><trkseg>" +
      point("trkpt", 48.3, 2.3, "2024-06-04T10:00:00+02:00") + point("trkpt", 48.4, 2.4, nullptr) +
      "</trkseg></trk>";
  const QByteArray others =
      "<wpt lat=\"1\" lon=\"2\"><time>2024-06-04T07:00:00Z</time></wpt>"
      "<rte>" +
      point("rtept", 3, 4, "2024-06-04T09:00:00Z") + point("rtept", 5, 6, "2024-06-04T08:30:00Z") +
      "</rte><extensions><time>x</time></extensions>";
  const struct {
    const char* name;
    QByteArray document;
    std::vector<std::vector<std::int64_t>> segment_times;
    std::int64_t without_time;
    const char* error;
  } cases[] = {
      {"1.1", gpx("1.1", two_segments), {{at(8, 0), at(8, 1) + 500}, {at(8, 0)}}, 1, ""},
      {"1.0", gpx("1.0", others), {{at(7, 0)}, {at(8, 30), at(9, 0)}}, 0, ""},
      {"no namespace",
       "<gpx>" + point("wpt", 1, 2, "2024-06-04T07:00:00Z") + "</gpx>",
       {{at(7, 0)}},
       0,
       ""},
      {"bad XML",
       gpx("1.1", "<trk><trkseg>\n<trkpt lat=\"1\" lon=\"2\">\n</trk>"),
       {},
       0,
       "line 5: "},
      {"bad latitude",
       gpx("1.1", point("wpt", 91, 2, "2024-06-04T07:00:00Z")),
       {},
       0,
       "line 3: a point's lat \"91\" is no number within -90..90"},
      {"other document", "<html/>", {}, 0, "line 1: the document is <html>"},
      {"document type with entities",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [<!ENTITY p \"<wpt lat='1' lon='2'>"
       "<time>2024-06-04T07:00:00Z</time></wpt>\">]>\n<gpx>&p;&p;&p;</gpx>",
       {},
       0,
       "line 2: a document type declaration (<!DOCTYPE>) is refused"},
      {"nested too deep",
       gpx("1.1", "<extensions>" + QByteArray("<a>").repeated(100000)),
       {},
       0,
       "line 3: elements nested more than 40 levels deep"},
      {"time with other digits",
       gpx("1.1", point("wpt", 1, 2, "2024-06-04T07:00:00.\u0663\u0663\u0663Z") +
                      point("wpt", 1, 2, "2024-06-04T07:00:00.333Z")),
       {{at(7, 0) + 333}},
       1,
       ""},
      {"empty", "", {}, 0, "line 1: "},
  };
  for (const auto& c : cases) {
    const GpxContent content = read_gpx(c.document);
    EXPECT_TRUE(*c.error == '\0' ? content.error.isEmpty() : content.error.startsWith(c.error))
        << c.name << ": " << content.error.toStdString();
    std::vector<std::vector<std::int64_t>> times;
    for (const TrackSegment& segment : content.segments) {
      times.emplace_back();
      for (const TrackPoint& p : segment) times.back().push_back(p.time_ms);
    }
    EXPECT_EQ(times, c.segment_times) << c.name;
    EXPECT_EQ(content.without_time, c.without_time) << c.name;
  }
}

TEST(GpxReading, LogsEachFileAndLeavesOutOnlyTheBadOne) {
  QTemporaryDir dir;
  write_plain_file(dir.filePath("good.gpx"),
                   gpx("1.1", "<trk><trkseg>" + point("trkpt", 1, 2, "2024-06-04T08:00:00Z") +
                                  point("trkpt", 1, 2, nullptr) + "</trkseg></trk>"));
  write_plain_file(dir.filePath("bad.gpx"), "<gpx>\n<wpt>");
  QStringList log;
  struct Log : AlbumLog {
    QStringList* lines;
    void append_line(const WideText& line) override { lines->append(line); }
  } sink;
  sink.lines = &log;
  const TrackSet set =
      read_track_files(QStringList{dir.filePath("bad.gpx"), dir.filePath("good.gpx"),
                                   dir.filePath("none.gpx"), dir.path()},
                       sink);
  EXPECT_EQ(set.files, QStringList{dir.filePath("good.gpx")});
  EXPECT_EQ(set.points, 1);
  ASSERT_EQ(log.size(), 4);
  EXPECT_TRUE(log[0].startsWith("Track \"" + dir.filePath("bad.gpx") + "\" left out: line 2: "))
      << log[0].toStdString();
  EXPECT_EQ(log[1], "Track \"" + dir.filePath("good.gpx") +
                        "\": 1 points, 2024-06-04 08:00:00 to 2024-06-04 08:00:00 UTC (1 points "
                        "without a time skipped)");
  // The system's reasons, as for the other data files.
  EXPECT_EQ(log[2], "Track \"" + dir.filePath("none.gpx") +
                        "\" left out: " + system_reason(SystemFailure::no_such_file));
  EXPECT_EQ(log[3], "Track \"" + dir.path() + "\" left out: Is a directory");
}

TEST(TrackTime, ReadsOffsetsAndTimes) {
  EXPECT_EQ(parse_utc_offset("+02:00"), 7200);
  EXPECT_EQ(parse_utc_offset("-0530"), -19800);
  EXPECT_EQ(parse_utc_offset("+14"), 50400);
  for (const char* bad : {"", "02:00", "+15:00", "+02:60", "+2", "+02:00x"}) {
    EXPECT_EQ(parse_utc_offset(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(parse_exif_date_time("2024:06:04 08:01:02"), at(8, 1, 2));
  EXPECT_EQ(parse_exif_date_time("2024:02:30 08:01:02"), std::nullopt);
  EXPECT_EQ(parse_gpx_time(u"2024-06-04T08:01:02.250-01:00"), at(9, 1, 2) + 250);
  EXPECT_EQ(parse_gpx_time(u"2024-06-04 08:01:02"), std::nullopt);
  EXPECT_EQ(format_utc_offset(-19800), "-05:30");
  EXPECT_EQ(format_day(at(23, 59) - 2 * ms_per_day), "2024:06:02");
}

PhotoPosition photo(const char* date_time, const char* offset = "", const char* gps_date = "",
                    double gps_time = -1) {
  PhotoPosition p{"0", "0", date_time};
  p.offset_time = offset;
  p.gps_date = gps_date;
  p.gps_time_of_day = gps_time;
  return p;
}

TEST(PhotoTimes, FollowTheRulesInTheirOrder) {
  const ZoneOffsetAt zone_plus_one = [](std::int64_t) { return 3600; };
  // Two phone photos with GPS time show +02:00 and +02:07 (rounded to +02:00).
  const std::vector<PhotoPosition> with_gps = {
      photo("2024:06:04 10:00:00", "", "2024:06:04", 8 * 3600),
      photo("2024:06:04 10:07:00", "", "2024:06:04", 8 * 3600),
      photo("2024:06:04 10:30:00"),
      photo("2024:06:04 10:30:00", "-03:00"),
      photo(""),
  };
  const std::vector<PhotoPosition> without_gps = {photo("2024:06:04 10:30:00")};
  const struct {
    const char* name;
    std::vector<PhotoPosition> photos;
    TimeOptions options;
    std::vector<std::optional<std::int64_t>> utc;
    const char* rule_line;
  } cases[] = {
      {"tag, median",
       with_gps,
       {std::nullopt, 0, 300, zone_plus_one},
       {at(8, 0), at(8, 7), at(8, 30), at(13, 30), std::nullopt},
       "Photo times in UTC: the photo's own offset (OffsetTimeOriginal) for 1 photo; +02:00, the "
       "median offset of 2 photos with a GPS time stamp, for 3 photos."},
      {"given, shifted",
       with_gps,
       {-3600, 60, 300, zone_plus_one},
       {at(11, 1), at(11, 8), at(11, 31), at(11, 31), std::nullopt},
       "Photo times in UTC: the offset -01:00 given, for every photo; camera clock corrected by "
       "+60 s."},
      {"zone",
       without_gps,
       {std::nullopt, -30, 300, zone_plus_one},
       {at(9, 29, 30)},
       "Photo times in UTC: this computer's time zone for 1 photo; camera clock corrected by -30 "
       "s."},
  };
  for (const auto& c : cases) {
    const PhotoTimes times = photo_utc_times(c.photos, c.options);
    EXPECT_EQ(times.utc_ms, c.utc) << c.name;
    EXPECT_EQ(times.rule_line, c.rule_line) << c.name;
  }
  EXPECT_EQ(median_quarter_hour({7200 + 449, 3600, 9000}), 7200);
  EXPECT_EQ(median_quarter_hour({-7200 - 450}), -8100);
}

TEST(TrackPlacing, InterpolatesWithinSegmentsAndKeepsToTheGap) {
  const std::vector<TrackSegment> segments = {
      {{at(8, 0), 48.0, 2.0}, {at(8, 10), 48.1, 2.2}, {at(8, 20), 48.1, 2.4}},
      {{at(9, 0), 50.0, 3.0}, {at(9, 30), 51.0, 3.0}},
  };
  const TrackIndex index(segments);
  const struct {
    std::int64_t time;
    std::optional<TrackPlacement> expected;
  } cases[] = {
      {at(8, 5), TrackPlacement{48.05, 2.1, 300}},       // halfway
      {at(8, 10), TrackPlacement{48.1, 2.2, 0}},         // on a point
      {at(8, 10, 12), TrackPlacement{48.1, 2.204, 12}},  // just after it
      {at(7, 56), TrackPlacement{48.0, 2.0, 240}},       // before the track, within 5 minutes
      {at(7, 54, 59), std::nullopt},                     // 301 s before
      {at(8, 24), TrackPlacement{48.1, 2.4, 240}},       // after the first segment
      {at(8, 40), std::nullopt},                         // between segments, far from both
      {at(8, 57), TrackPlacement{50.0, 3.0, 180}},       // before the second
      {at(9, 35, 1), std::nullopt},                      // 301 s after the track
  };
  for (const auto& c : cases) {
    const std::optional<TrackPlacement> placed = index.place(c.time, 300 * ms_per_second);
    ASSERT_EQ(placed.has_value(), c.expected.has_value()) << format_time(c.time).toStdString();
    if (!placed) continue;
    EXPECT_NEAR(placed->latitude, c.expected->latitude, 1e-9);
    EXPECT_NEAR(placed->longitude, c.expected->longitude, 1e-9);
    EXPECT_EQ(placed->seconds_from_point, c.expected->seconds_from_point);
  }
}

// A day-long track and many short ones of a second device inside it, far away: a photo between
// the short ones lies on the long one, however many there are, and a wide gap changes nothing.
TEST(TrackPlacing, FindsTheCoveringSegmentAmongManyOverlapping) {
  std::vector<TrackSegment> segments = {{{at(8, 0), 10.0, 20.0}, {at(18, 0), 20.0, 20.0}}};
  for (int minute = 0; minute < 100; ++minute) {
    segments.push_back({{at(8, 10) + minute * 60000, 50.0, 60.0},
                        {at(8, 10) + minute * 60000 + 30000, 50.0, 60.0}});
  }
  segments.push_back({{at(10, 0) + 1000, 50.0, 60.0}});  // one point: covers nothing
  const TrackIndex index(segments);
  for (const std::int64_t gap : {300 * ms_per_second, 3600 * ms_per_second}) {
    const std::optional<TrackPlacement> placed = index.place(at(13, 0), gap);
    ASSERT_TRUE(placed.has_value());
    EXPECT_NEAR(placed->latitude, 15.0, 1e-9);
    EXPECT_NEAR(placed->longitude, 20.0, 1e-9);
    const std::optional<TrackPlacement> short_one = index.place(at(8, 10) + 15000, gap);
    ASSERT_TRUE(short_one.has_value());
    EXPECT_NEAR(short_one->latitude, 50.0, 1e-9);  // the latest starting of those that run
  }
}

TEST(TrackPageLists, SplitSegmentsIntoLocalDaysAndNameSources) {
  const std::vector<TrackSegment> segments = {
      {{at(22, 50) - ms_per_day, 9, 9}, {at(23, 0) - ms_per_day, 9, 9}},  // one point only
      {{at(21, 0), 48.123456, 2.5},
       {at(21, 30), 48.2, -2.000004},
       {at(22, 30), 48.3, 2.7},
       {at(23, 0), 48.4, 2.8}},
      {{at(6, 0), 1, 2}},
  };
  // At +02:00, 22:00 UTC is already the next day.
  EXPECT_EQ(build_track_pieces(segments, [](std::int64_t) { return 7200; }),
            "{\"day\":\"2024:06:04\",\"points\":[[48.12346,2.50000],[48.20000,-2.00000]]},"
            "{\"day\":\"2024:06:05\",\"points\":[[48.30000,2.70000],[48.40000,2.80000]]}");

  std::vector<PhotoRow> rows(2);
  rows[1].seconds_from_track = 12;
  EXPECT_EQ(build_position_sources(rows), "null,{\"track\":12}");
}

TEST(TrackAlbum, PlacesPhotosWithoutPositionAndFillsThePage) {
  QTemporaryDir dir;
  write_plain_file(dir.filePath("template.html"),
                   "[{vorn_filenames}] [{vorn_latlngs}] [{vorn_track}] [{vorn_position_sources}]");
  write_gps_photo(dir.filePath("a.jpg"), {'N', 48, 0, 0}, {'E', 2, 0, 0}, "2024:06:04 10:00:00");
  write_photo_without_gps(dir.filePath("b.jpg"), "2024:06:04 10:05:00");
  write_photo_without_gps(dir.filePath("c.jpg"), "2024:06:04 12:00:00");
  TrackSet tracks;
  tracks.segments = {{{at(8, 0), 48.0, 2.0}, {at(8, 10), 48.1, 2.2}}};
  tracks.files = {"walk.gpx"};
  tracks.points = 2;
  AlbumSettings settings{to_ansi(dir.filePath("template.html")),
                         [] { return QDateTime(QDate(2024, 1, 31), QTime(14, 25, 30)); }, false,
                         &tracks};
  settings.time.offset = 7200;
  struct Log : AlbumLog {
    QStringList lines;
    void append_line(const WideText& line) override { lines.append(line); }
  } log;
  const QList<AnsiText> photos = {to_ansi(dir.filePath("a.jpg")), to_ansi(dir.filePath("b.jpg")),
                                  to_ansi(dir.filePath("c.jpg"))};

  const AlbumResult result = make_album(photos, settings, log);

  EXPECT_EQ(result.photos_added, 2);
  EXPECT_TRUE(result.outcomes[1].placed);
  EXPECT_FALSE(result.outcomes[2].added);
  const QStringList expected_start = {
      "Begin to add photos...",
      "----------------------------------------------------------------",
      "",
      "Track: 2 points from 1 file(s). Photo times in UTC: the offset +02:00 given, for every "
      "photo.",
      "",
      "#1: a.jpg",
      "latitude=48, longitude=2, DateTime=2024:06:04 10:00:00, OK!",
      "",
      "#2: b.jpg",
      "Latitude and longitude not found! ",
      "Position from track: latitude=48.05, longitude=2.1 (300 s from a track point)",
      "",
      "#3: c.jpg",
      "Latitude and longitude not found! ",
      "",
  };
  EXPECT_EQ(log.lines.mid(0, expected_start.size()), expected_start);
  EXPECT_EQ(read_bytes(to_wide(result.page_path)),
            "\xEF\xBB\xBF[\"a.jpg\",\"b.jpg\"] [[48,2],[48.05,2.1]] "
            "[{\"day\":\"2024:06:04\",\"points\":[[48.00000,2.00000],[48.10000,2.20000]]}] "
            "[null,{\"track\":300}]");
}

}  // namespace
