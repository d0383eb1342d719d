#include "window/qt/kview.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/qt/qt_device.h"

KView::KView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

KView::~KView() = default;

void KView::EnsureBacking() {
  const QSize size = this->size().expandedTo(QSize(1, 1));
  if (device_ && backing_.size() == size) return;
  // A resize keeps the view as it is; only the very first paint fits.
  device_.reset();
  backing_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
  device_ = std::make_unique<KQtDevice>(&backing_, size);
}

void KView::paintEvent(QPaintEvent*) {
  EnsureBacking();
  if (QPainter* painter = device_->painter()) painter->fillRect(backing_.rect(), Qt::white);
  window_.OnDraw(device_.get());
  device_->Flush();
  QPainter widget(this);
  widget.drawImage(0, 0, backing_);
}
