#pragma once
// One-pixel lines painted into an image on several threads at once. Each
// thread paints the parts of every line that reach its own band of rows,
// clipped to the band, through a painter of its own on the same pixels;
// the bands do not overlap, so the threads never write the same pixel.
// Qt's raster engine draws a clipped one-pixel line with the very pixels of
// the unclipped one inside the clip, which makes the banded picture the
// same as one painted on one thread.
//
// Lines are handed over in order and drawn in that order within each band;
// Wait() returns once every line handed over is drawn. Between Wait() and
// the next Draw() the threads touch nothing, so the image may then be
// painted or read by others.
#include <QImage>
#include <QPen>
#include <QPolygon>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class QPainter;

class KBandPainter {
public:
  // Paints into the pixels of image (32-bit, not to be reallocated while
  // this lives) in bands horizontal strips of rows, one thread each.
  KBandPainter(QImage& image, int bands);
  ~KBandPainter();
  KBandPainter(const KBandPainter&) = delete;
  KBandPainter& operator=(const KBandPainter&) = delete;

  // Queues a polyline with a one-pixel pen (no transform, no antialiasing).
  void Draw(const QPolygon& line, const QPen& pen);
  // Waits until everything queued is drawn.
  void Wait();
  int Bands() const { return static_cast<int>(threads_.size()); }

private:
  struct Line {
    QPolygon points;
    QPen pen;
    QRect reach;  // the pixels the line may touch
  };
  void Run(int band, QRect rows);
  // Draws the parts of line that may reach rows.
  static void DrawWithin(QPainter& painter, const Line& line, QRect rows);

  uchar* bits_;
  QSize size_;
  qsizetype bytesPerLine_;
  QImage::Format format_;
  std::mutex mutex_;
  std::condition_variable queued_;  // a line was queued, or stopping
  std::condition_variable drawn_;   // a band drew all it had taken
  std::deque<Line> lines_;          // queued since the last Wait
  std::vector<std::size_t> next_;   // per band: the next line to draw
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};
