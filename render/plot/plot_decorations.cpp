#include "render/plot/plot_decorations.h"

#include <algorithm>
#include <cmath>

#include "render/plot/plot_text.h"
#include "render/plot/round_steps.h"

namespace {

constexpr KColorRef kInk = KRgb(0, 0, 0);
constexpr KColorRef kPaper = KRgb(255, 255, 255);

void Line(KDevice& device, int x0, int y0, int x1, int y1) {
  device.MoveTo(x0, y0);
  device.LineTo(x1, y1);
}

int Pen(int unit) { return std::max(1, unit / 12); }

}  // namespace

double FrameTickStep(double lo, double hi, int pixels, int unit) {
  // Room for the longer of the end labels, in average character widths,
  // and two label heights between neighbours.
  const double rough = RoundStep(hi - lo, 5);
  const std::size_t chars = std::max(TickLabel(lo, rough).size(), TickLabel(hi, rough).size()) + 1;
  const double labelPixels = chars * 0.6 * unit + 2 * unit;
  return RoundStep(hi - lo, std::max(1, static_cast<int>(pixels / labelPixels)));
}

void DrawFrameTicks(KDevice& device, const KPlotLayout& layout, const KExtent& extent) {
  const KIntRect& f = layout.frame;
  const int u = layout.unit, tick = std::max(3, u / 2), gap = std::max(2, u * 3 / 10);
  device.SelectPen(kPenSolid, Pen(u), kInk);
  device.MoveTo(f.left, f.top);
  device.LineTo(f.right(), f.top);
  device.LineTo(f.right(), f.bottom());
  device.LineTo(f.left, f.bottom());
  device.LineTo(f.left, f.top);
  device.SetBkMode(kBkTransparent);
  device.SetTextColor(kInk);
  const KViewTransform& v = layout.view;
  const double xStep = FrameTickStep(extent.minX, extent.maxX, f.width, u);
  for (double x : TickValues(extent.minX, extent.maxX, xStep)) {
    const int c = static_cast<int>(std::lround((x - v.left) / v.scaleX));
    Line(device, c, f.top, c, f.top - tick);
    Line(device, c, f.bottom(), c, f.bottom() + tick);
    device.Flush();
    PlotLabel(device, c, f.bottom() + tick + gap + u / 2, TickLabel(x, xStep), kAlignCenter, u);
  }
  const double yStep = FrameTickStep(extent.minY, extent.maxY, f.height, u);
  for (double y : TickValues(extent.minY, extent.maxY, yStep)) {
    const int r = static_cast<int>(std::lround(v.height - (y - v.bottom) / v.scaleY));
    Line(device, f.left, r, f.left - tick, r);
    Line(device, f.right(), r, f.right() + tick, r);
    device.Flush();
    PlotLabel(device, f.left - tick - gap - u / 2, r, TickLabel(y, yStep), kAlignCenter, u, 900);
  }
  device.Flush();
}

void DrawScaleBar(KDevice& device, const KPlotLayout& layout) {
  const KIntRect& box = layout.scaleBar;
  const int u = layout.unit;
  const KScaleBar bar = ChooseScaleBar(layout.view.scaleX, box.width);
  if (bar.length <= 0 || bar.pixels < 2) return;
  const int h = std::max(3, u / 2), half = bar.pixels / 2;
  device.FillSolidRect(box.left, box.top, half, h, kInk);
  device.FillSolidRect(box.left + half, box.top, bar.pixels - half, h, kPaper);
  device.SelectPen(kPenSolid, 1, kInk);
  device.MoveTo(box.left, box.top);
  device.LineTo(box.left + bar.pixels, box.top);
  device.LineTo(box.left + bar.pixels, box.top + h);
  device.LineTo(box.left, box.top + h);
  device.LineTo(box.left, box.top);
  device.Flush();
  device.SetBkMode(kBkTransparent);
  device.SetTextColor(kInk);
  const int labelRow = box.top + h + u / 2 + std::max(2, u / 4);
  PlotLabel(device, box.left, labelRow, "0", kAlignCenter, u);
  PlotLabel(device, box.left + bar.pixels, labelRow, DistanceLabel(bar.length), kAlignCenter, u);
}

void DrawNorthArrow(KDevice& device, const KPlotLayout& layout) {
  const KIntRect& box = layout.northArrow;
  const int u = layout.unit;
  if (box.width < 4 || box.height < 2 * u) return;
  const int cx = box.left + box.width / 2, tip = box.top + u + u / 3, base = box.bottom();
  const int halfWidth = box.width / 3;
  // Two halves, dark and light, so it reads on any ground.
  device.FillPolygon({{cx, tip}, {cx, base - u / 2}, {cx - halfWidth, base}}, kPaper, kFillAlternate);
  device.FillPolygon({{cx, tip}, {cx + halfWidth, base}, {cx, base - u / 2}}, kInk, kFillAlternate);
  device.SelectPen(kPenSolid, 1, kInk);
  device.MoveTo(cx, tip);
  device.LineTo(cx - halfWidth, base);
  device.LineTo(cx, base - u / 2);
  device.LineTo(cx + halfWidth, base);
  device.LineTo(cx, tip);
  device.Flush();
  device.SetBkMode(kBkTransparent);
  device.SetTextColor(kInk);
  PlotLabel(device, cx, box.top + u / 2, "N", kAlignCenter, u);
}
