#pragma once
// The photo file on disk: the only place that knows the operating system's file calls.
#include <cstdint>
#include <memory>

#include "exif/io/random_access_file.h"
#include "text/text_types.h"

class OsPhotoFile : public RandomAccessFile {
 public:
  OsPhotoFile();
  OsPhotoFile(const OsPhotoFile&) = delete;
  OsPhotoFile& operator=(const OsPhotoFile&) = delete;
  ~OsPhotoFile() override;

  // Opens a regular file for reading and finds its size, with one open and one status call. A
  // directory, a pipe or a device counts as not openable, and opening one never blocks.
  bool open(const AnsiText& file_name);

  std::int64_t size() const override { return size_; }
  // Its modification time when opened, in milliseconds since 1970 UTC.
  std::int64_t modified_ms() const { return modified_ms_; }
  bool read_at(std::uint64_t offset, std::uint8_t* into, std::size_t count) override;

 private:
  std::int64_t size_ = -1;
  std::int64_t modified_ms_ = 0;
#ifdef _WIN32
  std::unique_ptr<class QFile> file_;  // Windows goes through Qt
#else
  int descriptor_ = -1;
#endif
};
