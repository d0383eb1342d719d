#include "render/xyz_draw.h"

#include <cstdio>

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
}  // namespace

void DrawXyzList(const KXyzList& list, const KViewTransform& view, const KTextProperties* own,
                 KRenderer& renderer) {
  if (!own) return;
  const double s = own->markHeight;
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
    if (kLabelPixels * view.scaleX < s) {
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
