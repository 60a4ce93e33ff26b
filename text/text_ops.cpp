#include "text/text_ops.h"

#include <algorithm>

WideText format_int(std::int32_t value) {
  return QString::number(value);
}

WideText format_timestamp(const QDateTime& local_time) {
  const QDate date = local_time.date();
  const QTime time = local_time.time();
  return QString::asprintf("%04d%02d%02d%02d%02d%02d", date.year(), date.month(), date.day(),
                           time.hour(), time.minute(), time.second());
}

QDateTime current_local_time() {
  return QDateTime::currentDateTime();
}

namespace {

qsizetype last_separator(const WideText& path) {
#ifdef _WIN32
  // Windows takes '/' as well as '\\'; Qt and the program's own joins write '/'.
  return std::max({path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'), path.lastIndexOf(u':')});
#else
  // On Unix ':' is an ordinary file-name character.
  return path.lastIndexOf(u'/');
#endif
}

}  // namespace

AnsiText ansi_folder_of(const AnsiText& path) {
#ifdef _WIN32
  return to_ansi(folder_of(to_wide(path)));
#else
  return path.first(path.lastIndexOf('/') + 1);
#endif
}

AnsiText ansi_name_of(const AnsiText& path) {
#ifdef _WIN32
  return to_ansi(name_of(to_wide(path)));
#else
  return path.sliced(path.lastIndexOf('/') + 1);
#endif
}

WideText folder_of(const WideText& path) {
  return path.left(last_separator(path) + 1);
}

WideText name_of(const WideText& path) {
  return path.mid(last_separator(path) + 1);
}
