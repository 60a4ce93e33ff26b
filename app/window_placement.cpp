#include "app/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

QPoint centred_position(const QRect& work_area, const QSize& frame) {
  return {work_area.left() + std::max(0, (work_area.width() - frame.width()) / 2),
          work_area.top() + std::max(0, (work_area.height() - frame.height()) / 2)};
}

void centre_on_work_area(QWidget& window) {
  QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  // Before the window is mapped the frame is not known yet and equals the client geometry.
  window.move(centred_position(screen->availableGeometry(), window.frameGeometry().size()));
}
