#include "render/plot/colour_bar.h"

#include <algorithm>
#include <cmath>

#include "model/contour/contour.h"
#include "render/plot/plot_text.h"

namespace {

constexpr KColorRef kInk = KRgb(0, 0, 0);

}  // namespace

void DrawColourBar(KDevice& device, const KColourAt& colourAt, double lo, double hi, double step,
                   const KIntRect& bar, int labelPixels) {
  const int top = bar.top, bottom = bar.bottom(), barLeft = bar.left, barWidth = bar.width;
  if (!(lo <= hi) || bottom - top < 2 || barWidth < 1 || !colourAt) return;
  // Halves, so that the span of extreme values stays finite.
  const double halfSpan = hi / 2 - lo / 2;
  const auto rowOf = [&](double v) {
    return halfSpan > 0 ? bottom - static_cast<int>(std::lround((v / 2 - lo / 2) / halfSpan * (bottom - top)))
                        : (top + bottom) / 2;
  };
  for (int r = top; r <= bottom; ++r) {
    const double v = halfSpan > 0 ? ScaleValueAt(lo, hi, static_cast<double>(bottom - r) / (bottom - top)) : lo;
    device.FillSolidRect(barLeft, r, barWidth, 1, colourAt(v));
  }
  device.SelectPen(kPenSolid, 1, kInk);
  device.MoveTo(barLeft - 1, top - 1);
  device.LineTo(barLeft + barWidth, top - 1);
  device.LineTo(barLeft + barWidth, bottom + 1);
  device.LineTo(barLeft - 1, bottom + 1);
  device.LineTo(barLeft - 1, top - 1);
  // Ticks at round values, labels at least two label heights apart.
  device.SetBkMode(kBkTransparent);
  device.SetTextColor(kInk);
  const int tickLength = std::max(5, labelPixels / 2);
  double tick = step > 0 ? step : RoundContourStep(lo, hi);
  const double rows = std::max(1, bottom - top);
  // Every contour value a short mark, where they stand 3 pixels apart.
  if (step > 0 && halfSpan > 0 && halfSpan * 2 / step * 3 <= rows) {
    const KContourLevels levels = LevelsInRange(lo, hi, 0.0, step, 1000);
    for (int k = levels.first; k <= levels.last; ++k) {
      const int r = rowOf(levels.Value(k));
      device.MoveTo(barLeft + barWidth, r);
      device.LineTo(barLeft + barWidth + tickLength / 2, r);
    }
  }
  while (tick > 0 && halfSpan > 0 && halfSpan * 2 / tick * (2 * labelPixels + 2) > rows) tick *= 2;
  const KContourLevels ticks = LevelsInRange(lo, hi, 0.0, tick, 200);
  const int labelX = barLeft + barWidth + tickLength + 3;
  for (int k = ticks.first; k <= ticks.last; ++k) {
    const int r = rowOf(ticks.Value(k));
    device.MoveTo(barLeft + barWidth, r);
    device.LineTo(barLeft + barWidth + tickLength, r);
    PlotLabel(device, labelX, r, ValueLabel(ticks.Value(k)), kAlignLeft, labelPixels);
  }
  if (ticks.Count() == 0) PlotLabel(device, labelX, rowOf(lo), ValueLabel(lo), kAlignLeft, labelPixels);
  device.Flush();
}

void DrawColourBar(KDevice& device, const KColorTable& colours, double lo, double hi, double step,
                   const KIntRect& bar, int labelPixels) {
  DrawColourBar(device, [&colours](double v) { return colours.ColorAt(v); }, lo, hi, step, bar, labelPixels);
}
