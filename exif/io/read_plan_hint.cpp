#include "exif/io/read_plan_hint.h"

#include <array>
#include <string_view>

namespace {

constexpr std::uint32_t container_first_read = 8 << 10;

constexpr std::array<std::string_view, 16> container_extensions = {
    "heic", "heif", "hif", "avif", "cr3", "tif", "tiff", "dng",
    "nef",  "cr2",  "arw", "orf",  "rw2", "pef", "raf",  "raw",
};

}  // namespace

ReadPlan read_plan_for(const AnsiText& file_name) {
  const qsizetype dot = file_name.lastIndexOf('.');
  if (dot < 0 || file_name.indexOf('/', dot) >= 0) return {};
  const QByteArray extension = file_name.mid(dot + 1).toLower();
  const std::string_view name(extension.constData(), static_cast<std::size_t>(extension.size()));
  for (std::string_view known : container_extensions) {
    if (name == known) {
      ReadPlan plan;
      plan.head = container_first_read;
      plan.tail = 0;
      return plan;
    }
  }
  return {};
}
