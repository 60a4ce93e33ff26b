#include <QDir>
#include <QFileInfo>

#include "album/previews/running_program.h"

WideText running_program_folder() {
  // The kernel's link to the program file, which names the file itself.
  return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() + QDir::separator();
}
