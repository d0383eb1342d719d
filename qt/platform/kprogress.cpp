#include "qt/platform/kprogress.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kStep = 0.001;
constexpr int kSide = 100;  // pixels; a small square window
const QColor kDisc(0, 0, 255);
const QColor kPie(255, 0, 0);

}  // namespace

KProgress::KProgress(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
  setFixedSize(kSide, kSide);
  setWindowTitle("Progress");
}

void KProgress::SetLabel(const QString& label) {
  label_ = label;
  update();
}

void KProgress::SetTotal(std::int64_t total) { total_ = total; }

void KProgress::SetPos(std::int64_t pos) {
  SetFraction(total_ > 0 ? static_cast<double>(pos) / static_cast<double>(total_) : 1.0);
}

bool KProgress::SetFraction(double f) {
  if (std::isnan(f)) return false;
  f = std::clamp(f, 0.0, 1.0);
  if (f < shown_) shown_ = 0;
  if (f - shown_ < kStep) return false;
  shown_ = f;
  if (isVisible()) repaint();
  return true;
}

void KProgress::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF disc = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kDisc);
  painter.drawEllipse(disc);
  painter.setBrush(kPie);
  // Clockwise from twelve o'clock; a whole turn (5760 sixteenths of a
  // degree) is the full disc.
  if (shown_ > 0) painter.drawPie(disc, 90 * 16, -qRound(shown_ * 5760));
  painter.setPen(Qt::white);
  const QRect middle = rect();
  painter.drawText(middle, Qt::AlignCenter, QString::asprintf("%1.0f%%", 100 * shown_));
  if (!label_.isEmpty())
    painter.drawText(middle.adjusted(0, 0, 0, -height() / 3), Qt::AlignCenter,
                     painter.fontMetrics().elidedText(label_, Qt::ElideMiddle, width() * 3 / 4));
}
