#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Top-left corner that centres a window frame of `frame` on `work_area`, but never above or
// left of the work area's corner (a window larger than the area starts at its corner).
QPoint centred_position(const QRect& work_area, const QSize& frame);

// Moves a top-level window to the centre of the work area (screen minus task bars) of its screen.
void centre_on_work_area(QWidget& window);
