#include "app/app_icon.h"

QIcon trailbook_icon() {
  // The resources live in a static library; naming them here keeps the linker from dropping them.
  Q_INIT_RESOURCE(icons);
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/trailbook-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}
