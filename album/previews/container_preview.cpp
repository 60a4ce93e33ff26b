#include "album/previews/container_preview.h"

#include "album/previews/embedded_jpeg_preview.h"
#include "album/previews/heif_preview.h"
#include "exif/embedded_preview.h"
#include "exif/file_exif_locator.h"
#include "exif/io/os_photo_file.h"
#include "exif/io/stream_reads.h"
#include "exif/photo_formats.h"
#include "exif/read_plan_hint.h"

namespace {

// Enough of a file's start to tell its kind.
constexpr std::size_t kind_bytes = 16;

PhotoContainer kind_of(RandomAccessFile& file) {
  std::uint8_t head[kind_bytes];
  const std::size_t count =
      static_cast<std::size_t>(std::clamp<std::int64_t>(file.size(), 0, kind_bytes));
  if (!file.read_at(0, head, count)) return PhotoContainer::unknown;
  return photo_container_kind(LoadedBytes(head, static_cast<std::uint32_t>(count)));
}

// The photo's EXIF orientation, 1 when it has none.
int orientation_of(RandomAccessFile& file, const ReadPlan& plan) {
  ExifRecord record;
  const FileExifResult result = locate_exif_in_file(record, file, plan);
  const bool known =
      result.status == PhotoFileStatus::read && record.orientation >= 1 && record.orientation <= 8;
  return known ? record.orientation : 1;
}

std::optional<QByteArray> jpeg_preview(RandomAccessFile& file, const EmbeddedPreview& preview,
                                       const ReadPlan& plan, WideText& refused) {
  // The caller's fallbacks report their own failure, unless the preview was refused for its size.
  WideText error;
  bool too_large = false;
  QByteArray bytes =
      embedded_jpeg_preview(file, preview, orientation_of(file, plan), error, too_large);
  if (too_large) refused = error;
  if (bytes.isEmpty()) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<QByteArray> container_preview_bytes(const AnsiText& path, WideText& error,
                                                  WideText& refused) {
  OsPhotoFile file;
  if (!file.open(path)) return std::nullopt;
  const PhotoFormat* format = photo_format(kind_of(file));
  if (!format || !format->find_preview) return std::nullopt;
  const ReadPlan plan = read_plan_for(path);
  const std::optional<EmbeddedPreview> preview = find_embedded_preview_in_file(file, plan);
  if (preview && preview->type == four_cc("jpeg")) {
    std::optional<QByteArray> bytes = jpeg_preview(file, *preview, plan, refused);
    if (bytes || !format->heif_picture) return bytes;
  }
  if (!format->heif_picture) return std::nullopt;
  return heif_preview(file, error);
}
