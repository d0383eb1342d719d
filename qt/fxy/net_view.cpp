#include "qt/fxy/net_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>
#include <cmath>

#include "qt/platform/qt_device.h"
#include "qt/platform/kview_keys.h"

namespace {
constexpr int kWheelNotch = 120;
constexpr int kMaxNotches = 10;

std::string Coordinate(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", v);
  // The status line always shows a point, whatever the locale says.
  for (char* c = text; *c; ++c)
    if (*c == ',') *c = '.';
  return text;
}
}  // namespace

KNetView::KNetView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(200, 150);
}

KNetView::~KNetView() = default;

void KNetView::SetPicture(std::unique_ptr<KNetPicture> picture) {
  picture_ = std::move(picture);
  Fit();
}

void KNetView::Fit() {
  fitted_ = false;
  moved_ = false;
  if (picture_ && width() > 0 && height() > 0) {
    view_ = picture_->Fit({width(), height()});
    fitted_ = true;
  }
  Refresh();
}

void KNetView::Refresh() {
  dirty_ = true;
  update();
}

void KNetView::Zoom(QPoint at, int notches) {
  notches = std::clamp(notches, -kMaxNotches, kMaxNotches);
  if (notches == 0 || !view_.CanMap()) return;
  const double factor = std::pow(view_.zoomFactor, -notches);
  const double s = view_.scaleX * factor;
  if (!std::isfinite(s) || s <= 0) return;
  // The world point under the cursor stays under it.
  const double wx = view_.ToWorldX(at.x()), wy = view_.ToWorldY(at.y());
  view_.scaleX = view_.scaleY = s;
  view_.left = wx - at.x() * s;
  view_.bottom = wy - (view_.height - at.y()) * s;
  view_.right = view_.left + view_.width * s;
  view_.top = view_.bottom + view_.height * s;
  moved_ = true;
  Refresh();
}

QString KNetView::DescribeAt(QPoint at) const {
  if (!picture_ || !view_.CanMap()) return {};
  const double x = view_.ToWorldX(at.x()), y = view_.ToWorldY(at.y());
  std::string text = "x " + Coordinate(x) + "   y " + Coordinate(y);
  int i, j;
  if (picture_->NodeAt(x, y, i, j)) {
    const KNodeGrid& g = picture_->grid();
    text += "   z " + (g.Inside(i, j) ? KNetPicture::FormatValue(g.Value(i, j)) : std::string("none")) +
            "   node (" + std::to_string(i) + ", " + std::to_string(j) + ")";
  }
  return QString::fromStdString(text);
}

void KNetView::paintEvent(QPaintEvent*) {
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

void KNetView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!moved_ || !fitted_) return Fit();
  // After zooming or panning the view keeps its scale and top-left corner.
  view_.width = width();
  view_.height = height();
  view_.right = view_.left + view_.width * view_.scaleX;
  view_.bottom = view_.top - view_.height * view_.scaleY;
  Refresh();
}

void KNetView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) {
    panning_ = true;
    panFrom_ = event->position().toPoint();
  }
}

void KNetView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (panning_ && view_.CanMap()) {
    view_.Pan(p.x() - panFrom_.x(), p.y() - panFrom_.y());
    panFrom_ = p;
    moved_ = true;
    Refresh();
  }
  if (onStatus) onStatus(DescribeAt(p));
}

void KNetView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) panning_ = false;
}

void KNetView::wheelEvent(QWheelEvent* event) {
  wheelRest_ += event->angleDelta().y();
  const int notches = wheelRest_ / kWheelNotch;
  wheelRest_ -= notches * kWheelNotch;
  if (notches != 0) Zoom(event->position().toPoint(), notches);
}

void KNetView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Home) return Fit();
  const unsigned key = VirtualKeyOf(event->key());
  if (key == 0 || !view_.CanMap() || view_.OnKey(key) == 0) return QWidget::keyPressEvent(event);
  moved_ = true;
  Refresh();
}
