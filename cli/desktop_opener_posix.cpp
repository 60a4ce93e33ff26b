#include "cli/desktop_opener.h"

#include <QProcess>

using namespace Qt::Literals::StringLiterals;

WideText desktop_open_target(const WideText& file) {
  return file;
}

bool open_with_desktop(const WideText& file) {
  WideText opener = qEnvironmentVariable("TRAILBOOK_OPENER");
  if (opener.isEmpty()) opener = u"xdg-open"_s;
  return QProcess::startDetached(opener, {desktop_open_target(file)});
}
