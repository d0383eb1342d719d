#include "render/drawing/xyz_draw.h"

#include <cmath>
#include <cstdio>
#include <unordered_set>

#include "model/document/elements.h"
#include "model/document/ktext_properties.h"
#include "model/grid/kxyz_list.h"
#include "render/drawing/krenderer.h"

namespace {
constexpr double kLabelWidthRatio = 0.4;
// Labels need the cross to span this many pixels.
constexpr double kLabelPixels = 5;
constexpr int kLabelColour = 0;  // black
constexpr KColorRef kPointPixel = 0;

// Takes the label cell of the point at x, y; false when an earlier label holds it.
bool FreeCell(std::unordered_set<long long>& taken, const KViewTransform& view, double x, double y, double cell) {
  double column = 0, row = 0;
  view.ToDevice(x, y, column, row);
  const double cx = std::floor(column / cell), cy = std::floor(row / cell);
  // Cells beyond this would not fit the key; such points are off any device.
  constexpr double kMaxCells = 1 << 30;
  if (!(std::fabs(cx) < kMaxCells && std::fabs(cy) < kMaxCells)) return false;
  return taken.insert(static_cast<long long>(cx) * (2LL << 30) + static_cast<long long>(cy)).second;
}

}  // namespace

void DrawXyzList(const KXyzList& list, const KViewTransform& view, const KTextProperties* own,
                 KRenderer& renderer) {
  if (!own) return;
  const double s = own->markHeight;
  // Labels go into square device cells as tall as a label; a label whose
  // cell an earlier label took is left out, as it could not be read. This
  // bounds the (costly) labels by the device's area, not the list's length.
  const double cell = std::fabs(s / view.scaleY);
  std::unordered_set<long long> taken;
  const auto draw = [&](double x, double y, double z) {
    if (x < view.left || x > view.right || y < view.bottom || y > view.top) return;
    if (view.scaleX > s) {
      renderer.Device().SetPixel(view.ToDeviceX(x), view.ToDeviceY(y), kPointPixel);
      return;
    }
    renderer.MoveTo(view, x - s, y);
    renderer.LineTo(view, x + s, y);
    renderer.MoveTo(view, x, y - s);
    renderer.LineTo(view, x, y + s);
    if (kLabelPixels * view.scaleX < s && FreeCell(taken, view, x, y, cell)) {
      KText label;
      label.x = x;
      label.y = y;
      label.height = s;
      label.width = kLabelWidthRatio * s;
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "%.0f", z);
      label.text = buffer;
      renderer.DrawText(label, view, kLabelColour);
    }
  };
  list.Visit([&](const auto& points) {
    for (const auto& p : points) draw(p.x, p.y, p.z);
  });
}
