#include "qt/view/kview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <ctime>

#include "qt/platform/idle_cores.h"
#include "qt/platform/qt_device.h"
#include "qt/platform/kview_keys.h"

namespace {
constexpr int kWheelNotch = 120;  // angle delta of one wheel notch
// Beyond this many, threads that each go through every line gain little.
constexpr int kMaxPaintThreads = 4;

using Kind = KInputOutcome::Kind;

// Whether the picture of the document may be out of date, or the host's
// view of the document and the mode (onChanged).
bool ChangesDocumentOrView(KInputOutcome outcome) {
  switch (outcome.kind) {
    case Kind::kRepaint:
    case Kind::kCurveFinished:
    case Kind::kCurveModified:
    case Kind::kCommand:
      return true;
    default:
      return false;
  }
}

// Processor time of this process: what a paint costs, the threads that
// paint its lines included, whatever else the machine runs.
double ProcessMilliseconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// One for the process, asked on the GUI thread only: the window it judges
// by runs from one paint (or the first view made) to the next.
KIdleCores& IdleCores() {
  static KIdleCores cores;
  return cores;
}

KDevicePoint PointOf(const QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  return {p.x(), p.y()};
}
}  // namespace

KView::KView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  host_.onStatus = [this](const QString& text) { Status(text); };
  // Layer changes from the class dialog repaint at once.
  host_.onLayersChanged = [this] { Refresh(); };
  window_.SetHost(&host_);
  // The first paint judges the machine by the time from here, the reading
  // of a document included.
  IdleCores();
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, [this] {
    dirty_ = true;
    update();
  });
}

KView::~KView() = default;

void KView::EnsureBacking() {
  const QSize size = this->size().expandedTo(QSize(1, 1));
  if (device_ && backing_.size() == size) return;
  // A resize keeps the view as it is; only the very first paint fits.
  device_.reset();
  backing_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
  device_ = std::make_unique<KQtDevice>(&backing_, size);
  dirty_ = true;
}

int KView::IdleCoreThreads() { return IdleCores().Threads(kMaxPaintThreads); }

void KView::PaintBacking() {
  const double start = ProcessMilliseconds();
  // Big drawings are mostly lines: idle cores paint a band of them each.
  device_->PaintLinesInBands(paintThreads_ > 0 ? paintThreads_ : IdleCoreThreads());
  if (QPainter* painter = device_->painter()) painter->fillRect(backing_.rect(), Qt::white);
  window_.OnDraw(device_.get());
  device_->Flush();
  paintMs_ = ProcessMilliseconds() - start;
  backingView_ = window_.view;
  dirty_ = false;
  moved_ = false;
  settle_.stop();
}

void KView::DrawMovedPicture(QPainter& painter) const {
  // Both views are unrotated, so the map from old pixels to new ones is a
  // scale and a shift, fixed by two corners.
  const KViewTransform& now = window_.view;
  double x0, y0, x1, y1;
  now.ToDevice(backingView_.ToWorldX(0), backingView_.ToWorldY(0), x0, y0);
  now.ToDevice(backingView_.ToWorldX(backing_.width()), backingView_.ToWorldY(backing_.height()), x1, y1);
  painter.fillRect(rect(), Qt::white);
  const QRectF target(QPointF(x0, y0), QPointF(x1, y1));
  if (target.isValid() && target.width() < 1e6 && target.height() < 1e6)
    painter.drawImage(target, backing_, QRectF(backing_.rect()));
}

void KView::ViewMoved() {
  if (paintMs_ < slowPaintMs_ || dirty_ || !backingView_.CanMap()) {
    dirty_ = true;
  } else {
    moved_ = true;
    settle_.start();
  }
  update();
}

void KView::paintEvent(QPaintEvent*) {
  EnsureBacking();
  if (dirty_) PaintBacking();
  QPainter widget(this);
  if (moved_)
    DrawMovedPicture(widget);
  else
    widget.drawImage(0, 0, backing_);
  KQtDevice overlay(&widget, size());
  window_.DrawOverlay(overlay);
  overlay.Flush();
}

void KView::Refresh() {
  dirty_ = true;
  update();
  // The document may have changed under the view: panels beside it follow.
  if (onChanged) onChanged();
}

bool KView::Undo() {
  const bool undone = window_.Undo();
  if (undone) After(KInputOutcome::Of(Kind::kRepaint));
  return undone;
}

bool KView::Redo() {
  const bool redone = window_.Redo();
  if (redone) After(KInputOutcome::Of(Kind::kRepaint));
  return redone;
}

void KView::After(KInputOutcome outcome, bool viewOnly) {
  if (ChangesDocumentOrView(outcome)) {
    if (viewOnly)
      ViewMoved();
    else
      dirty_ = true;
    if (onChanged) onChanged();
  }
  const std::string& notice = window_.Input().Notice();
  if (!notice.empty()) Status(QString::fromLocal8Bit(notice.c_str()));
  update();
}

void KView::Status(const QString& text) {
  if (onStatus) onStatus(text);
}

void KView::StatusAt(KDevicePoint point) {
  const std::string& notice = window_.Input().Notice();
  if (!notice.empty()) return Status(QString::fromLocal8Bit(notice.c_str()));
  if (const char* command = window_.Input().OnMouseMoveStep(point)) return Status(QString::fromLocal8Bit(command));
  if (window_.view.CanMap()) Status(QString::fromLocal8Bit(window_.GetRemark(point).c_str()));
}

void KView::mousePressEvent(QMouseEvent* event) {
  const KDevicePoint point = PointOf(event);
  switch (event->button()) {
    case Qt::LeftButton: {
      const bool snap = event->modifiers().testFlag(Qt::ShiftModifier);
      const KInputOutcome outcome = window_.Input().OnLButtonDown(point, snap);
      if (outcome.kind == Kind::kPicked) {
        const KEntry* entry = window_.PickedEntry();
        Status(entry ? QString::fromLocal8Bit(QuarvelWindow::Describe(*entry).c_str()) : "Nothing picked");
        if (onPicked) onPicked();
        update();
        return;
      }
      return After(outcome);
    }
    case Qt::MiddleButton:
      panning_ = true;
      panFrom_ = event->position().toPoint();
      return;
    case Qt::RightButton:
      return After(window_.Input().OnRButtonDown(point, &host_));
    default:
      return;
  }
}

void KView::mouseMoveEvent(QMouseEvent* event) {
  const KDevicePoint point = PointOf(event);
  if (panning_) {
    const QPoint p = event->position().toPoint();
    window_.view.Pan(p.x() - panFrom_.x(), p.y() - panFrom_.y());
    panFrom_ = p;
    ViewMoved();
    return;
  }
  const KInputOutcome outcome = window_.Input().OnMouseMove(point);
  StatusAt(point);
  if (outcome.kind != Kind::kNothing) After(outcome);
}

void KView::mouseReleaseEvent(QMouseEvent* event) {
  const KDevicePoint point = PointOf(event);
  if (event->button() == Qt::MiddleButton) {
    panning_ = false;
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  // Steps run on a click when no mode is chosen.
  After(window_.viewState == kCmdNone ? window_.Input().OnLButtonUpStep(point, &host_)
                                      : window_.Input().OnLButtonUp());
}

void KView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  After(window_.Input().OnLButtonDblClk());
}

void KView::wheelEvent(QWheelEvent* event) {
  const QPoint p = event->position().toPoint();
  // Fine-grained wheels and touchpads send parts of a notch: add them up.
  wheelRest_ += event->angleDelta().y();
  const int notches = wheelRest_ / kWheelNotch;
  wheelRest_ -= notches * kWheelNotch;
  if (notches == 0) return;
  // The wheel only zooms: the document stays as it is.
  After(window_.Input().OnWheel({p.x(), p.y()}, notches), true);
}

void KView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Undo)) {
    Undo();
  } else if (event->matches(QKeySequence::Redo) ||
             (event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier)) {
    Redo();
  } else {
    QWidget::keyPressEvent(event);
  }
}

void KView::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  const unsigned key = VirtualKeyOf(event->key());
  if (key == 0) return QWidget::keyReleaseEvent(event);
  After(window_.Input().OnKeyUp(key));
}
