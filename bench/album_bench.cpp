// Times the add-photos command core with 100000 photos: the whole command through a fake
// window over fixture files, then each stage on a table filled in memory.
#include <sys/resource.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "album/add_photos.h"
#include "album/make_album.h"
#include "album/page/album_page.h"
#include "album/photo_ordering.h"
#include "album/photo_table.h"
#include "tests/album/fake_album_host.h"
#include "tests/album/fixture_photos.h"
#include "text/number_format.h"

namespace {

constexpr int kPhotos = static_cast<int>(max_album_photos);
constexpr int kDistinctFiles = 500;

const char kTemplate[] =
    "<html><script>\n"
    "var center = [{vorn_lat_long_photo_1}];\n"
    "var names = [{vorn_filenames}];\n"
    "var times = [{vorn_datetimes}];\n"
    "var trail = [{vorn_latlngs}];\n"
    "var spots = [{vorn_latlngs_short}];\n"
    "</script></html>\n";

// Wall-clock and processor time of one piece of work, as "W ms (cpu C ms)": on a busy
// machine the processor time is the steadier figure.
std::string timing_of(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  const std::clock_t cpu_start = std::clock();
  work();
  const double cpu_ms = 1000.0 * static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
  const double wall_ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  char text[64];
  std::snprintf(text, sizeof text, "%.0f ms (cpu %.0f ms)", wall_ms, cpu_ms);
  return text;
}

// A small deterministic generator, so every run times the same data.
std::uint32_t next_random(std::uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return state >> 8;
}

AnsiText date_time_text(std::uint32_t& state) {
  return AnsiText(QString::asprintf("2019:%02u:%02u %02u:%02u:%02u", 1 + next_random(state) % 12,
                                    1 + next_random(state) % 28, next_random(state) % 24,
                                    next_random(state) % 60, next_random(state) % 60)
                      .toLatin1());
}

// 100000 photos along a trail, one in ten taken at the spot of the photo before it.
void fill_table_in_memory(std::vector<PhotoRow>& table) {
  std::uint32_t state = 12345;
  table.clear();
  double latitude = 45.0, longitude = 6.0;
  for (int i = 0; i < kPhotos; ++i) {
    if (next_random(state) % 10 != 0) {
      latitude += (static_cast<double>(next_random(state) % 2001) - 1000.0) * 1e-6;
      longitude += (static_cast<double>(next_random(state) % 2001) - 1000.0) * 1e-6;
    }
    const PhotoPosition position{number_to_text(latitude), number_to_text(longitude),
                                 date_time_text(state)};
    table.push_back(make_photo_row("IMG_" + AnsiText::number(i) + ".JPG", position));
  }
}

long peak_memory_kib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void time_whole_command(const QTemporaryDir& dir) {
  QStringList picks;
  for (int i = 0; i < kDistinctFiles; ++i) {
    const QString path = dir.filePath(QString("IMG_%1.JPG").arg(i));
    write_gps_photo(path, {'N', 45, static_cast<std::uint32_t>(i % 60), 0},
                    {'E', 6, static_cast<std::uint32_t>(i / 60), static_cast<std::uint32_t>(i % 7)},
                    QString::asprintf("2019:07:%02d 10:00:00", 1 + i % 28).toLatin1().constData());
    picks.append(path);
  }
  FakeAlbumHost host;
  for (int i = 0; i < kPhotos; ++i) host.files_to_pick.append(picks[i % kDistinctFiles]);
  std::int32_t added = 0;
  const std::string time =
      timing_of([&] { added = add_photos(host, dir.filePath("template.html")); });
  std::printf("whole command, %d files (%d distinct, shared spots): %s, %d photos in page\n",
              kPhotos, kDistinctFiles, time.c_str(), added);
}

void time_stages(const QTemporaryDir& dir) {
  std::vector<PhotoRow> table;
  table.reserve(kPhotos);
  std::printf("fill 100000 rows in memory: %s\n",
              timing_of([&] { fill_table_in_memory(table); }).c_str());
  std::printf("sort_photo_rows: %s\n", timing_of([&] { sort_photo_rows(table); }).c_str());
  std::printf("separate_shared_positions (one in ten shared): %s\n",
              timing_of([&] { separate_shared_positions(table); }).c_str());
  FakeAlbumHost host;
  const AnsiText page = to_ansi(dir.filePath("stages.html"));
  AlbumPageInput input;
  input.rows = table;
  input.page_path = page;
  const std::string write_time = timing_of([&] {
    input.album_template = load_album_template(to_ansi(dir.filePath("template.html")));
    write_album_page(input, host);
  });
  std::printf("write_album_page: %s, %lld bytes\n", write_time.c_str(),
              static_cast<long long>(QFileInfo(to_wide(page)).size()));

  // All photos at one spot: one group of 100000.
  for (PhotoRow& row : table) {
    row.latitude_short = "45.00000";
    row.longitude_short = "6.00000";
  }
  std::printf("separate_shared_positions (all at one spot): %s\n",
              timing_of([&] { separate_shared_positions(table); }).c_str());
}

}  // namespace

int main() {
  QTemporaryDir dir;
  write_plain_file(dir.filePath("template.html"), kTemplate);
  time_whole_command(dir);
  time_stages(dir);
  std::printf("peak memory: %ld MiB\n", peak_memory_kib() / 1024);
  return 0;
}
