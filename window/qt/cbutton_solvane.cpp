#include "window/qt/cbutton_solvane.h"

#include <QPainter>

#include "platform/qt/qt_device.h"
#include "render/emblem.h"

CButtonSolvane::CButtonSolvane(QWidget* parent) : QPushButton(parent) {}

CButtonSolvane::~CButtonSolvane() = default;

void CButtonSolvane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  KQtDevice device(&painter, size());
  // Integer halves of the client size, as a device context gives them.
  DrawEmblem(device, width() / 2, height() / 2, scaleX, scaleY);
  device.Flush();
}
