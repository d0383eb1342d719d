#include "qt/picture/kpicture_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "qt/platform/qt_device.h"
#include "qt/platform/kview_keys.h"

namespace {
constexpr int kWheelNotch = 120;
constexpr int kMaxNotches = 10;
}  // namespace

KPictureView::KPictureView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(200, 150);
}

KPictureView::~KPictureView() = default;

void KPictureView::SetPicture(std::unique_ptr<KViewPicture> picture) {
  picture_ = std::move(picture);
  Fit();
}

void KPictureView::Fit() {
  fitted_ = false;
  moved_ = false;
  if (picture_ && width() > 0 && height() > 0) {
    view_ = picture_->Fit({width(), height()});
    fitted_ = true;
  }
  Refresh();
}

void KPictureView::Refresh() {
  dirty_ = true;
  update();
}

void KPictureView::Zoom(QPoint at, int notches) {
  notches = std::clamp(notches, -kMaxNotches, kMaxNotches);
  if (notches == 0 || !view_.CanMap()) return;
  const double factor = std::pow(view_.zoomFactor, -notches);
  if (!std::isfinite(view_.scaleX * factor) || view_.scaleX * factor <= 0) return;
  // The world point under the cursor stays under it.
  view_.ZoomAbout(at.x(), at.y(), factor);
  moved_ = true;
  Refresh();
}


void KPictureView::paintEvent(QPaintEvent*) {
  const QSize size = this->size().expandedTo(QSize(1, 1));
  if (backing_.size() != size) {
    backing_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
    dirty_ = true;
  }
  if (dirty_) {
    backing_.fill(Qt::white);
    if (picture_) {
      KQtDevice device(&backing_, size);
      picture_->Draw(device, view_);
      device.Flush();
    }
    dirty_ = false;
  }
  QPainter(this).drawImage(0, 0, backing_);
}

void KPictureView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!moved_ || !fitted_) return Fit();
  // After zooming or panning the view keeps its scale and top-left corner.
  view_.width = width();
  view_.height = height();
  view_.right = view_.left + view_.width * view_.scaleX;
  view_.bottom = view_.top - view_.height * view_.scaleY;
  Refresh();
}

void KPictureView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) {
    panning_ = true;
    panFrom_ = event->position().toPoint();
  }
}

void KPictureView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (panning_ && view_.CanMap()) {
    view_.Pan(p.x() - panFrom_.x(), p.y() - panFrom_.y());
    panFrom_ = p;
    moved_ = true;
    Refresh();
  }
  Hovered(p);
}

void KPictureView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) panning_ = false;
}

void KPictureView::wheelEvent(QWheelEvent* event) {
  wheelRest_ += event->angleDelta().y();
  const int notches = wheelRest_ / kWheelNotch;
  wheelRest_ -= notches * kWheelNotch;
  if (notches != 0) Zoom(event->position().toPoint(), notches);
}

void KPictureView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Home) return Fit();
  const unsigned key = VirtualKeyOf(event->key());
  if (key == 0 || !view_.CanMap() || view_.OnKey(key) == 0) return QWidget::keyPressEvent(event);
  moved_ = true;
  Refresh();
}
