#include "album/photo_patterns.h"

#include <algorithm>

#include "exif/photo_formats.h"

namespace {

// The dialog's caption names its patterns of old, which the table lists first.
constexpr qsizetype caption_patterns = 5;

}  // namespace

const QStringList& photo_name_patterns() {
  // The reader tells a file's kind by its first bytes; these names only pick the files offered.
  static const QStringList patterns = [] {
    QStringList list;
    for (const PhotoFileName& name : photo_file_names()) {
      list.append(QStringLiteral("*.") + QLatin1StringView(name.extension));
    }
    return list;
  }();
  return patterns;
}

WideText photo_dialog_title() {
  return QStringLiteral("Open photo files:");
}

WideText photo_dialog_caption() {
  return QStringLiteral("Photos(") + photo_name_patterns().first(caption_patterns).join(u';') +
         u')';
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
