#include "qt/view/kpanel_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "qt/platform/qt_device.h"

KPanelView::KPanelView(std::unique_ptr<KButton> panel, QWidget* parent) : QWidget(parent), panel_(std::move(panel)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
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

void KPanelView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !panel_->view.CanMap()) return;
  const QPoint p = event->position().toPoint();
  const int cell = panel_->CellAt(panel_->view.ToWorldX(p.x()), panel_->view.ToWorldY(p.y()));
  if (cell >= 0 && onCellClicked) onCellClicked(cell);
}
