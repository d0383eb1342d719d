#include "qt/view/cbutton_solvane.h"

#include <QPainter>

#include "qt/platform/qt_device.h"
#include "render/drawing/emblem.h"

CButtonSolvane::CButtonSolvane(QWidget* parent) : QPushButton(parent) {}

CButtonSolvane::~CButtonSolvane() = default;

void CButtonSolvane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  KQtDevice device(&painter, size());
  // Integer halves of the client size, as a device context gives them.
  DrawEmblem(device, width() / 2, height() / 2, scaleX, scaleY);
  device.Flush();
}
