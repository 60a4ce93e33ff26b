#include "cli/program_folder.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

WideText program_folder() {
  const QFileInfo program(QCoreApplication::applicationFilePath());
  const WideText resolved = program.canonicalPath();
  return resolved.isEmpty() ? program.absolutePath() : resolved;
}

WideText default_template_file() {
  return program_folder() + u"/templates/template.html"_s;
}
