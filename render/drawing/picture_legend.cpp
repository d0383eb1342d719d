#include "render/drawing/picture_legend.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "model/contour/contour.h"

namespace {

constexpr KColorRef kInk = KRgb(0, 0, 0);
constexpr KColorRef kBackground = KRgb(255, 255, 255);

double Between(double a, double b, double t) { return a * (1 - t) + b * t; }

}  // namespace

void DrawPictureLabel(KDevice& device, int x, int y, const std::string& text, unsigned align) {
  KDeviceFont font;
  font.height = -kPictureLabelPixels;
  device.SetBkMode(kBkTransparent);
  device.SetTextColor(kInk);
  device.SetTextAlign(align | kAlignBottom);
  // Bottom-aligned, a few pixels down: the text stands centred on y.
  device.TextOut(x, y + kPictureLabelPixels / 2, text, font);
}

std::string PictureValueText(double value) {
  char text[64];
  const auto done = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
  return std::string(text, done.ptr);
}

int ColourBarWidth(const KColourBar& bar, KIntSize client) {
  return client.width >= 3 * bar.width ? bar.width : 0;
}

void DrawColourBar(KDevice& device, KIntSize client, const KColourBar& bar) {
  const int width = ColourBarWidth(bar, client);
  if (width == 0 || client.height < 80) return;
  const int x0 = client.width - width;
  device.FillSolidRect(x0, 0, width, client.height, kBackground);
  const double lo = bar.lo, hi = bar.hi;
  if (!(lo <= hi) || !bar.colourAt) return;
  const int barLeft = x0 + 14, barWidth = 20, top = 30, bottom = client.height - 30;
  // Halves, so that the span of extreme values stays finite.
  const double halfSpan = hi / 2 - lo / 2;
  const auto rowOf = [&](double v) {
    return halfSpan > 0 ? bottom - static_cast<int>(std::lround((v / 2 - lo / 2) / halfSpan * (bottom - top)))
                        : (top + bottom) / 2;
  };
  for (int r = top; r <= bottom; ++r) {
    const double v = halfSpan > 0 ? Between(lo, hi, static_cast<double>(bottom - r) / (bottom - top)) : lo;
    device.FillSolidRect(barLeft, r, barWidth, 1, bar.colourAt(v));
  }
  device.SelectPen(kPenSolid, 1, kInk);
  device.MoveTo(barLeft - 1, top - 1);
  device.LineTo(barLeft + barWidth, top - 1);
  device.LineTo(barLeft + barWidth, bottom + 1);
  device.LineTo(barLeft - 1, bottom + 1);
  device.LineTo(barLeft - 1, top - 1);
  double tick = bar.tick > 0 ? bar.tick : RoundContourStep(lo, hi);
  const double rows = std::max(1, bottom - top);
  while (tick > 0 && halfSpan > 0 && halfSpan / tick * 48 > rows) tick *= 2;
  const KContourLevels ticks = LevelsInRange(lo, hi, 0.0, tick, 200);
  for (int k = ticks.first; k <= ticks.last; ++k) {
    const int r = rowOf(ticks.Value(k));
    device.MoveTo(barLeft + barWidth, r);
    device.LineTo(barLeft + barWidth + 5, r);
    DrawPictureLabel(device, barLeft + barWidth + 8, r, PictureValueText(ticks.Value(k)), kAlignLeft);
  }
  if (ticks.Count() == 0) DrawPictureLabel(device, barLeft + barWidth + 8, rowOf(lo), PictureValueText(lo), kAlignLeft);
  device.Flush();
}
