#include "album/page/photo_urls.h"

#include <QDir>
#include <QUrl>

#include "album/page/path_steps.h"
#include "text/text_ops.h"

namespace {

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
  const PathSteps photo = path_steps(photo_path);
  if (photo.root.isEmpty()) return encoded_steps(photo.names, 0);  // a bare name: beside it
  const PathSteps folder = path_steps(page_folder);
  // Another drive or share (Windows only) has no way there from the page: its file URL.
  if (!folder.root.isEmpty() && !same_step(photo.root, folder.root)) {
    return QUrl::fromLocalFile(QDir::fromNativeSeparators(to_wide(photo_path))).toEncoded();
  }
  qsizetype common = 0;
  while (common < folder.names.size() && common + 1 < photo.names.size() &&
         same_step(folder.names[common], photo.names[common])) {
    ++common;
  }
  AnsiText url;
  for (qsizetype i = common; i < folder.names.size(); ++i) url += "../";
  return url + encoded_steps(photo.names, common);
}
