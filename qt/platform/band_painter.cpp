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

void KBandPainter::DrawWithin(QPainter& painter, const Line& line, QRect rows) {
  const QPolygon& points = line.points;
  if (points.size() < 2 || (line.reach.top() >= rows.top() && line.reach.bottom() <= rows.bottom())) {
    painter.drawPolyline(points);
    return;
  }
  // Qt's setup of a segment costs about as much as its pixels, clipped
  // away or not: only the runs of segments that may reach these rows are
  // drawn, each a polyline of its own. Qt rounds a polyline's first and last
  // segments apart from the others, so each run takes one segment more at
  // either end (drawing nothing here: it stays off these rows), and its
  // segments come out with the pixels they have within the whole line.
  const auto reaches = [&](qsizetype i) {
    const int a = points[i].y(), b = points[i + 1].y();
    return std::min(a, b) - 1 <= rows.bottom() && std::max(a, b) + 1 >= rows.top();
  };
  const qsizetype segments = points.size() - 1;
  // Qt draws a closed line's first point as a joint, which no part of the
  // line drawn alone would: the whole is drawn where its ends reach.
  if (points.first() == points.last() && (reaches(0) || reaches(segments - 1))) {
    painter.drawPolyline(points);
    return;
  }
  for (qsizetype i = 0; i < segments;) {
    if (!reaches(i)) {
      ++i;
      continue;
    }
    qsizetype end = i + 1;
    while (end < segments && reaches(end)) ++end;
    const qsizetype from = std::max<qsizetype>(0, i - 1), to = std::min(segments, end + 1);
    painter.drawPolyline(points.constData() + from, static_cast<int>(to - from + 1));
    i = end;
  }
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
      DrawWithin(painter, line, rows);
    }
    const std::size_t count = taken.size();
    taken.clear();
    lock.lock();
    next_[index] += count;
    drawn_.notify_all();
  }
}
