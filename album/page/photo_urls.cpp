#include "album/page/photo_urls.h"

#include <QDir>
#include <QList>
#include <QUrl>

namespace {

QList<AnsiText> steps_of(const AnsiText& path) {
  QList<AnsiText> steps = path.split('/');
  steps.removeAll(AnsiText());
  return steps;
}

AnsiText encoded_steps(const QList<AnsiText>& steps, qsizetype from) {
  AnsiText url;
  for (qsizetype i = from; i < steps.size(); ++i) {
    if (!url.isEmpty()) url += '/';
    url += steps[i].toPercentEncoding();
  }
  return url;
}

}  // namespace

AnsiText relative_photo_url(const AnsiText& photo_path, const AnsiText& page_folder) {
#ifdef _WIN32
  const AnsiText relative =
      to_ansi(QDir(to_wide(page_folder)).relativeFilePath(to_wide(photo_path)));
  return QUrl::toPercentEncoding(to_wide(relative), "/");
#else
  const QList<AnsiText> photo = steps_of(photo_path);
  if (!photo_path.startsWith('/')) return encoded_steps(photo, 0);  // a bare name: beside it
  const QList<AnsiText> folder = steps_of(page_folder);
  qsizetype common = 0;
  while (common < folder.size() && common + 1 < photo.size() && folder[common] == photo[common]) {
    ++common;
  }
  AnsiText url;
  for (qsizetype i = common; i < folder.size(); ++i) url += "../";
  return url + encoded_steps(photo, common);
#endif
}
