#include "qt/platform/band_painter.h"

#include <QPainter>
#include <algorithm>

KBandPainter::KBandPainter(QImage& image, int bands)
    // The caller's painter holds the image, so it is not shared: writing
    // through the constant bits changes no other copy.
    : bits_(const_cast<uchar*>(image.constBits())),
      size_(image.size()),
      bytesPerLine_(image.bytesPerLine()),
      format_(image.format()) {
  bands = std::clamp(bands, 1, std::max(1, size_.height()));
  next_.assign(static_cast<std::size_t>(bands), 0);
  for (int band = 0; band < bands; ++band) {
    const int top = size_.height() * band / bands, bottom = size_.height() * (band + 1) / bands;
    threads_.emplace_back([this, band, top, bottom] { Run(band, QRect(0, top, size_.width(), bottom - top)); });
  }
}

KBandPainter::~KBandPainter() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  queued_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

void KBandPainter::Draw(const QPolygon& line, const QPen& pen) {
  {
    std::lock_guard lock(mutex_);
    // A one-pixel line stays within its points' bounds; a pixel more each
    // way is room enough for any rounding.
    lines_.push_back({line, pen, line.boundingRect().adjusted(-1, -1, 1, 1)});
  }
  queued_.notify_all();
}

void KBandPainter::Wait() {
  std::unique_lock lock(mutex_);
  drawn_.wait(lock, [this] {
    return std::all_of(next_.begin(), next_.end(), [this](std::size_t n) { return n == lines_.size(); });
  });
  lines_.clear();
  std::fill(next_.begin(), next_.end(), 0);
}

void KBandPainter::Run(int band, QRect rows) {
  QImage pixels(bits_, size_.width(), size_.height(), bytesPerLine_, format_);
  QPainter painter(&pixels);
  painter.setClipRect(rows);
  std::vector<Line> taken;
  const auto index = static_cast<std::size_t>(band);
  std::unique_lock lock(mutex_);
  for (;;) {
    queued_.wait(lock, [&] { return stopping_ || next_[index] < lines_.size(); });
    if (next_[index] == lines_.size()) return;  // stopping with nothing left
    // Copies share the points and pens (reference counted), and a deque
    // keeps its elements in place while others are queued.
    taken.assign(lines_.begin() + static_cast<std::ptrdiff_t>(next_[index]), lines_.end());
    lock.unlock();
    for (const Line& line : taken) {
      if (!line.reach.intersects(rows)) continue;
      painter.setPen(line.pen);
      painter.drawPolyline(line.points);
    }
    const std::size_t count = taken.size();
    taken.clear();
    lock.lock();
    next_[index] += count;
    drawn_.notify_all();
  }
}
