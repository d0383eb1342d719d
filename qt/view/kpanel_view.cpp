#include "qt/view/kpanel_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "qt/platform/qt_device.h"

namespace {

constexpr int kWheelNotch = 120;    // angle delta of one wheel notch
constexpr int kNotchPixels = 60;    // scrolled by one notch
constexpr double kZoomStep = 1.25;  // scale change of one notch or key

}  // namespace

KPanelView::KPanelView(std::unique_ptr<KButton> panel, QWidget* parent) : QWidget(parent), panel_(std::move(panel)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

KPanelView::~KPanelView() = default;

void KPanelView::paintEvent(QPaintEvent*) {
  const QSize size = this->size().expandedTo(QSize(1, 1));
  if (backing_.size() != size) backing_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
  backing_.fill(Qt::white);
  {
    KQtDevice device(&backing_, size);
    panel_->OnDraw(&device);
  }
  QPainter widget(this);
  widget.drawImage(0, 0, backing_);
}

void KPanelView::Pan(int dx, int dy) {
  if (!panel_->view.CanMap()) return;
  panel_->view.Pan(dx, dy);
  update();
}

void KPanelView::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) {
    dragging_ = true;
    dragFrom_ = p;
  }
  if (event->button() != Qt::LeftButton || !panel_->view.CanMap()) return;
  const int cell = panel_->CellAt(panel_->view.ToWorldX(p.x()), panel_->view.ToWorldY(p.y()));
  if (cell >= 0 && onCellClicked) onCellClicked(cell);
}

void KPanelView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const QPoint p = event->position().toPoint();
  Pan(p.x() - dragFrom_.x(), p.y() - dragFrom_.y());
  dragFrom_ = p;
}

void KPanelView::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void KPanelView::wheelEvent(QWheelEvent* event) {
  // Fine-grained wheels and touchpads send parts of a notch: add them up.
  const QPoint delta = event->angleDelta();
  wheelRest_ += delta.y() != 0 ? delta.y() : delta.x();
  const int notches = wheelRest_ / kWheelNotch;
  wheelRest_ -= notches * kWheelNotch;
  if (notches == 0 || !panel_->view.CanMap()) return;
  if (event->modifiers() & Qt::ControlModifier) {
    const QPoint p = event->position().toPoint();
    // Wheel forward zooms in: fewer world units a pixel.
    panel_->view.ZoomAbout(p.x(), p.y(), std::pow(kZoomStep, -notches));
    update();
  } else if ((event->modifiers() & Qt::ShiftModifier) || delta.y() == 0) {
    Pan(notches * kNotchPixels, 0);
  } else {
    Pan(0, notches * kNotchPixels);
  }
}

void KPanelView::keyPressEvent(QKeyEvent* event) {
  const int w = width(), h = height();
  switch (event->key()) {
    case Qt::Key_Left: Pan(w / 5, 0); break;
    case Qt::Key_Right: Pan(-w / 5, 0); break;
    case Qt::Key_Up: Pan(0, h / 5); break;
    case Qt::Key_Down: Pan(0, -h / 5); break;
    case Qt::Key_PageUp: Pan(0, h * 4 / 5); break;
    case Qt::Key_PageDown: Pan(0, -h * 4 / 5); break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
    case Qt::Key_Minus:
      if (panel_->view.CanMap()) {
        panel_->view.ZoomAbout(w / 2, h / 2, event->key() == Qt::Key_Minus ? kZoomStep : 1 / kZoomStep);
        update();
      }
      break;
    case Qt::Key_Home:
      panel_->Extend();
      update();
      break;
    default: QWidget::keyPressEvent(event); return;
  }
}
