#include "tests/exif/whole_photo_file.h"

#include <QFile>
#include <QFileInfo>
#include <new>

PhotoFile read_photo_file(const AnsiText& file_name) {
  PhotoFile result;
  const WideText path = to_wide(file_name);
  if (path.isEmpty() || !QFileInfo(path).isFile()) return result;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return result;

  result.status = PhotoFileStatus::cannot_read;
  const qint64 size = file.size();
  if (size < 0 || size > largest_photo_file) return result;
  std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[size]);
  if (!bytes) return result;
  if (file.read(reinterpret_cast<char*>(bytes.get()), size) != size) return result;

  result.status = PhotoFileStatus::read;
  result.bytes = std::move(bytes);
  result.size = static_cast<std::uint32_t>(size);
  return result;
}
