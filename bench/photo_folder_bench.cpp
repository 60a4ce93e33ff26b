// Files per second over a folder of camera-sized photos on warm cache: read_photo_position,
// which reads only the parts of a file it needs, against the plain way of reading each file
// whole and running the marker scans over it. The reader must be at least ten times as fast.
//
//   bench_photo_folder FOLDER [SECONDS]     (scripts/bench_exif.sh makes the folder and runs it)
#include <QByteArray>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "exif/photo_position.h"
#include "exif/tiff/exif_record.h"
#include "exif/tiff/exif_result_codes.h"
#include "exif/tiff/exif_segment_locator.h"
#include "tests/exif/whole_photo_file.h"

namespace {

constexpr double required_speed_up = 10.0;

using Clock = std::chrono::steady_clock;

// Every photo of the folder (not hidden files), in name order.
std::vector<AnsiText> photo_names(const std::filesystem::path& folder, std::uintmax_t& bytes) {
  std::vector<AnsiText> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_regular_file() || name.starts_with('.') || !name.ends_with(".jpg")) continue;
    names.push_back(AnsiText::fromStdString(entry.path().string()));
    bytes += entry.file_size();
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool whole_file_read(const AnsiText& name) {
  const PhotoFile file = read_photo_file(name);
  ExifRecord record;
  return file.status == PhotoFileStatus::read &&
         locate_exif_segment(record, file.bytes.get(), file.size) == exif_decoded;
}

bool reader(const AnsiText& name) {
  PhotoPosition position;
  return read_photo_position(position, name) == 1;
}

// Files per second of whole passes over all photos, repeated for at least `seconds`.
double files_per_second(const std::vector<AnsiText>& names, double seconds,
                        const std::function<bool(const AnsiText&)>& read) {
  std::size_t files = 0;
  const Clock::time_point start = Clock::now();
  std::chrono::duration<double> elapsed{};
  do {
    for (const AnsiText& name : names) {
      if (!read(name)) {
        std::fprintf(stderr, "not read as a photo with EXIF: %s\n", name.constData());
        std::exit(2);
      }
    }
    files += names.size();
    elapsed = Clock::now() - start;
  } while (elapsed.count() < seconds);
  return static_cast<double>(files) / elapsed.count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER [SECONDS]\n", argv[0]);
    return 2;
  }
  const double seconds = argc > 2 ? std::atof(argv[2]) : 2.0;
  std::uintmax_t bytes = 0;
  const std::vector<AnsiText> names = photo_names(argv[1], bytes);
  if (names.empty()) {
    std::fprintf(stderr, "no .jpg files in %s\n", argv[1]);
    return 2;
  }
  std::printf("%zu photos, %.2f MB each on average, one thread, warm cache\n", names.size(),
              static_cast<double>(bytes) / names.size() / 1e6);

  files_per_second(names, 0.0, whole_file_read);  // brings every file into the page cache
  const double whole = files_per_second(names, seconds, whole_file_read);
  const double lazy = files_per_second(names, seconds, reader);
  const double speed_up = lazy / whole;
  std::printf("whole-file read + marker scans: %10.0f files/s\n", whole);
  std::printf("read_photo_position:            %10.0f files/s\n", lazy);
  std::printf("speed-up: %.1fx (goal: at least %.0fx) %s\n", speed_up, required_speed_up,
              speed_up >= required_speed_up ? "met" : "NOT MET");
  return speed_up >= required_speed_up ? 0 : 1;
}
