#include "render/xyz_draw.h"

#include <cmath>
#include <cstdio>
#include <unordered_set>

#include "document/elements.h"
#include "document/ktext_properties.h"
#include "grid/kxyz_list.h"
#include "render/krenderer.h"

namespace {
constexpr double kLabelWidthRatio = 0.4;
// Labels need the cross to span this many pixels.
constexpr double kLabelPixels = 5;
constexpr int kLabelColour = 0;  // black
constexpr KColorRef kPointPixel = 0;

// Takes the label cell of point p; false when an earlier label holds it.
bool FreeCell(std::unordered_set<long long>& taken, const KViewTransform& view, const KOne& p, double cell) {
  double column = 0, row = 0;
  view.ToDevice(p.x, p.y, column, row);
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
  for (const KOne& p : list.points) {
    if (p.x < view.left || p.x > view.right || p.y < view.bottom || p.y > view.top) continue;
    if (view.scaleX > s) {
      renderer.Device().SetPixel(view.ToDeviceX(p.x), view.ToDeviceY(p.y), kPointPixel);
      continue;
    }
    renderer.MoveTo(view, p.x - s, p.y);
    renderer.LineTo(view, p.x + s, p.y);
    renderer.MoveTo(view, p.x, p.y - s);
    renderer.LineTo(view, p.x, p.y + s);
    if (kLabelPixels * view.scaleX < s && FreeCell(taken, view, p, cell)) {
      KText label;
      label.x = p.x;
      label.y = p.y;
      label.height = s;
      label.width = kLabelWidthRatio * s;
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "%.0f", p.z);
      label.text = buffer;
      renderer.DrawText(label, view, kLabelColour);
    }
  }
}
