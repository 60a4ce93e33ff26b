#include "album/photo_patterns.h"

#include <QRegularExpression>
#include <algorithm>
#include <vector>

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
  return QStringLiteral("Photos");
}

bool is_photo_file_name(const WideText& file_name) {
  static const std::vector<QRegularExpression> expressions = [] {
    std::vector<QRegularExpression> list;
    for (const QString& pattern : photo_name_patterns()) {
      list.push_back(QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive));
    }
    return list;
  }();
  return std::ranges::any_of(expressions, [&](const QRegularExpression& expression) {
    return expression.match(file_name).hasMatch();
  });
}
