// The floor of `trailbook-album --positions FOLDER` for the start-up benchmark: the same folder
// listing and the same two reads of each file (64 KiB from the start, 4 KiB from the end), with
// one line out per file, and nothing else: no Qt, no parsing.
//   two_reads_floor FOLDER
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: two_reads_floor FOLDER\n", stderr);
    return 2;
  }
  const std::string folder = argv[1];
  DIR* listing = opendir(folder.c_str());
  if (!listing) return 2;
  std::vector<std::string> names;
  while (const dirent* entry = readdir(listing)) {
    if (entry->d_name[0] != '.') names.emplace_back(entry->d_name);
  }
  closedir(listing);
  std::sort(names.begin(), names.end());

  static char head[64 << 10], tail[4 << 10];
  long bytes = 0;
  for (const std::string& name : names) {
    const std::string path = folder + '/' + name;
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) continue;
    struct stat status;
    if (fstat(file, &status) == 0) {
      bytes += pread(file, head, sizeof head, 0);
      const off_t end = std::max<off_t>(0, status.st_size - static_cast<off_t>(sizeof tail));
      bytes += pread(file, tail, sizeof tail, end);
    }
    close(file);
    std::printf("%s\t%ld\n", path.c_str(), bytes);
  }
  return 0;
}
