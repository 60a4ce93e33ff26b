#include <windows.h>

#include <QDir>
#include <QFileInfo>
#include <vector>

#include "album/previews/running_program.h"

WideText running_program_folder() {
  // A path that fills the buffer may have been cut short: try again with a larger one.
  std::vector<wchar_t> path(MAX_PATH);
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
             path.size() &&
         path.size() < 32768) {
    path.resize(path.size() * 2);
  }
  const QString file = QString::fromWCharArray(path.data(), static_cast<qsizetype>(length));
  return QDir::toNativeSeparators(QFileInfo(file).absolutePath()) + QDir::separator();
}
