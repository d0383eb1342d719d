#include "qt/platform/band_painter.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <random>

namespace {

// Lines painted in bands, each band drawing only the runs of segments that
// reach its rows, make the picture one painter makes of the whole lines:
// open and closed lines, short steps that wander across band borders and
// long ones that leave the image.
TEST(BandPainter, RunsOfSegmentsPaintWhatWholeLinesPaint) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> start(-40, 340), shortStep(-3, 3), longStep(-90, 90);
  std::vector<QPolygon> lines;
  for (int n = 0; n < 3000; ++n) {
    QPolygon line;
    int x = start(random), y = start(random);
    for (int i = 0; i < 30; ++i) {
      line << QPoint(x, y);
      x += n % 3 == 0 ? longStep(random) : shortStep(random);
      y += n % 3 == 0 ? longStep(random) : shortStep(random);
    }
    if (n % 2 == 1) line << line.first();
    lines.push_back(line);
  }
  const auto pen = [](std::size_t n) {
    QPen pen(QColor(static_cast<int>(n * 37 % 256), static_cast<int>(n * 91 % 256), 60));
    pen.setWidth(0);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
  };
  QImage whole(301, 299, QImage::Format_ARGB32_Premultiplied);
  whole.fill(Qt::white);
  {
    QPainter painter(&whole);
    painter.setClipRect(whole.rect());
    for (std::size_t n = 0; n < lines.size(); ++n) {
      painter.setPen(pen(n));
      painter.drawPolyline(lines[n]);
    }
  }
  for (int bands : {2, 7}) {
    QImage banded(whole.size(), whole.format());
    banded.fill(Qt::white);
    {
      QPainter holder(&banded);
      KBandPainter painter(banded, bands);
      for (std::size_t n = 0; n < lines.size(); ++n) painter.Draw(lines[n], pen(n));
      painter.Wait();
    }
    EXPECT_EQ(banded, whole) << bands << " bands";
  }
}

}  // namespace
