#include "album/program_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "text/text_ops.h"

namespace {

WideText& overridden_path() {
  static WideText path;
  return path;
}

}  // namespace

WideText resolve_program_file(const WideText& path) {
  const QFileInfo info(path);
  // canonicalFilePath() is empty for a file that does not exist; keep the path as given then.
  const QString resolved = info.canonicalFilePath();
  return QDir::toNativeSeparators(resolved.isEmpty() ? info.absoluteFilePath() : resolved);
}

WideText program_file_path() {
  if (!overridden_path().isEmpty()) return overridden_path();
  return resolve_program_file(QCoreApplication::applicationFilePath());
}

WideText program_folder() {
  return folder_of(program_file_path());
}

WideText program_data_path(const WideText& relative) {
  return program_folder() + QDir::toNativeSeparators(relative);
}

WideText default_template_file() {
  return program_data_path(QStringLiteral("templates/template.html"));
}

WideText default_places_file() {
  return program_data_path(QStringLiteral("places/places.dat"));
}

void override_program_file_path(const WideText& path) {
  overridden_path() = QDir::toNativeSeparators(path);
}
