#include "album/photo_patterns.h"

#include <algorithm>

const QStringList& photo_name_patterns() {
  // The reader tells a file's kind by its first bytes; these names only pick the files offered.
  static const QStringList patterns = {
      "*.jpg", "*.jpeg", "*.raw", "*.tiff", "*.tif", "*.heic", "*.heif",
      "*.hif", "*.avif", "*.png", "*.webp", "*.dng", "*.nef",  "*.cr2",
      "*.cr3", "*.arw",  "*.orf", "*.rw2",  "*.pef", "*.raf",
  };
  return patterns;
}

WideText photo_dialog_title() {
  return QStringLiteral("Open photo files:");
}

WideText photo_dialog_caption() {
  return QStringLiteral("Photos(*.jpg;*.jpeg;*.raw;*.tiff;*.tif)");
}

bool is_photo_file_name(const WideText& file_name) {
  // Every pattern is "*." and a suffix: a name matches when it ends with one, in any letter case.
  static const QStringList suffixes = [] {
    QStringList list;
    for (const QString& pattern : photo_name_patterns()) list.append(pattern.mid(1));
    return list;
  }();
  return std::ranges::any_of(suffixes, [&](const QString& suffix) {
    return file_name.endsWith(suffix, Qt::CaseInsensitive);
  });
}
