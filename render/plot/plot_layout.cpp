#include "render/plot/plot_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Sizes in label heights.
constexpr double kTickLength = 0.5;
constexpr double kGap = 0.3;
constexpr double kScaleBarBand = 2.6;   // bar, labels and the gap above
constexpr double kLegendWidth = 6.5;    // bar and value labels
constexpr double kLegendMaxHeight = 16;
constexpr double kArrowWidth = 2.4, kArrowHeight = 4.2;

int Px(double units, int unit) { return static_cast<int>(std::lround(units * unit)); }

}  // namespace

int PlotUnit(KIntSize picture) {
  return std::max(9, static_cast<int>(std::lround(std::min(picture.width, picture.height) / 70.0)));
}

KPlotLayout LayoutPlot(KIntSize picture, const KExtent& extent, const KPlotOptions& options) {
  KPlotLayout layout;
  const int u = layout.unit = PlotUnit(picture);
  // Halves, so that an extent over nearly all doubles still has a size.
  const double hw = extent.maxX * 0.5 - extent.minX * 0.5, hh = extent.maxY * 0.5 - extent.minY * 0.5;
  if (!(hw >= 0) || !(hh >= 0) || !std::isfinite(hw) || !std::isfinite(hh) || (hw == 0 && hh == 0)) {
    layout.problem = "nothing drawable to lay out";
    return layout;
  }
  const int m = static_cast<int>(std::lround(std::clamp(options.margin, 0.0, 0.45) *
                                             std::min(picture.width, picture.height)));
  const int tick = options.ticks ? Px(kTickLength, u) : 0;
  // Labels: x below the frame, y turned along the left side.
  const int labels = options.ticks ? tick + Px(kGap, u) + u + Px(kGap, u) : 0;
  const int strip = std::max(options.legends > 0 ? Px(kLegendWidth, u) : 0,
                             options.northArrow ? Px(kArrowWidth + 1, u) : 0);
  const int left = m + labels;
  const int top = m + tick;
  const int right = m + tick + (strip > 0 ? Px(1, u) + strip : 0);
  const int bottom = m + labels + (options.scaleBar ? Px(kScaleBarBand, u) : 0);
  layout.room = {left, top, picture.width - left - right, picture.height - top - bottom};
  const KIntRect& room = layout.room;
  if (room.width < 1 || room.height < 1) {
    layout.problem = "the picture is too small for its margin and decorations";
    return layout;
  }

  double s = options.fixedScale;
  if (s <= 0) s = std::max(hw / room.width, hh / room.height) * 2;
  const double fw = hw / s * 2, fh = hh / s * 2;
  if (!(s > 0) || !std::isfinite(s) || fw > room.width + 1e-6 || fh > room.height + 1e-6) {
    char text[160];
    std::snprintf(text, sizeof text, "the drawing needs %.0f x %.0f pixels at this scale; %d x %d are left for it",
                  std::ceil(fw), std::ceil(fh), room.width, room.height);
    layout.problem = text;
    return layout;
  }
  // Centred in its room.
  const double fx = room.left + (room.width - fw) / 2, fy = room.top + (room.height - fh) / 2;
  KViewTransform& v = layout.view;
  v.width = picture.width;
  v.height = picture.height;
  v.scaleX = v.scaleY = s;
  v.left = extent.minX - fx * s;
  v.bottom = extent.minY - (picture.height - (fy + fh)) * s;
  v.right = v.left + picture.width * s;
  v.top = v.bottom + picture.height * s;
  const int fl = static_cast<int>(std::lround(fx)), ft = static_cast<int>(std::lround(fy));
  layout.frame = {fl, ft, static_cast<int>(std::lround(fx + fw)) - fl, static_cast<int>(std::lround(fy + fh)) - ft};
  const KIntRect& f = layout.frame;

  if (options.scaleBar)
    layout.scaleBar = {f.left, f.bottom() + labels + Px(kGap * 2, u), std::max(Px(4, u), f.width / 3),
                       Px(kScaleBarBand - kGap * 2, u)};
  int stripTop = f.top;
  const int stripLeft = f.right() + tick + Px(1, u);
  if (options.northArrow) {
    layout.northArrow = {stripLeft, f.top, Px(kArrowWidth, u), Px(kArrowHeight, u)};
    stripTop += layout.northArrow.height + Px(1, u);
  }
  if (options.legends > 0) {
    const int each = std::min(Px(kLegendMaxHeight, u), (f.bottom() - stripTop) / options.legends);
    for (int k = 0; k < options.legends; ++k)
      layout.legends.push_back({stripLeft, stripTop + k * each, Px(kLegendWidth, u), std::max(0, each - Px(1, u))});
  }
  layout.ok = true;
  return layout;
}
