#include "render/drawing/raster_draw.h"

#include <algorithm>
#include <cmath>

#include "model/document/elements.h"
#include "render/drawing/emblem.h"
#include "render/view/kview_transform.h"

namespace {

// Logo size in emblem units per world unit, and how far the centre drops
// (in horizontal emblem scales).
constexpr double kLogoScale = 0.32;
constexpr double kLogoDrop = 0.2;

double TruncToward0(double v) { return std::trunc(v); }

}  // namespace

void DrawRaster(const KBmpIn& element, const KViewTransform& view, KDevice& device) {
  if (element.image.empty()) return;
  double u = element.x, v = element.y + element.height;
  view.Transform(u, v);
  // Destination exactly as truncation gives it, kept in doubles so it can
  // be clipped before becoming integers.
  const double left = TruncToward0(u);
  const double top = TruncToward0(view.height - v);
  const double width = TruncToward0(element.width / view.scaleX);
  const double height = TruncToward0(element.height / view.scaleY);
  if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(width) || !std::isfinite(height)) return;
  if (width == 0 || height == 0) return;

  // Normalised destination; mirroring is carried by the signs.
  const double x0 = std::min(left, left + width), x1 = std::max(left, left + width);
  const double y0 = std::min(top, top + height), y1 = std::max(top, top + height);
  const double limit = KViewTransform::kDeviceLimit;
  const double cx0 = std::max(x0, -limit), cx1 = std::min(x1, limit);
  const double cy0 = std::max(y0, -limit), cy1 = std::min(y1, limit);
  if (cx0 >= cx1 || cy0 >= cy1) return;

  // The source part that lands on the clipped destination.
  const double iw = element.image.width, ih = element.image.height;
  const double fx0 = (cx0 - x0) / (x1 - x0), fx1 = (cx1 - x0) / (x1 - x0);
  const double fy0 = (cy0 - y0) / (y1 - y0), fy1 = (cy1 - y0) / (y1 - y0);
  double sx0 = fx0 * iw, sx1 = fx1 * iw, sy0 = fy0 * ih, sy1 = fy1 * ih;
  if (width < 0) {  // mirrored: the left of the destination shows the source's right
    sx0 = (1 - fx1) * iw;
    sx1 = (1 - fx0) * iw;
  }
  if (height < 0) {
    sy0 = (1 - fy1) * ih;
    sy1 = (1 - fy0) * ih;
  }
  const int dl = static_cast<int>(width < 0 ? cx1 : cx0);
  const int dt = static_cast<int>(height < 0 ? cy1 : cy0);
  const int dw = static_cast<int>(width < 0 ? cx0 - cx1 : cx1 - cx0);
  const int dh = static_cast<int>(height < 0 ? cy0 - cy1 : cy1 - cy0);
  device.DrawImage(element.image, dl, dt, dw, dh, sx0, sy0, sx1 - sx0, sy1 - sy0);
}

KEmblemPlacement LogoPlacement(const KLogo& logo, const KViewTransform& view) {
  KEmblemPlacement p;
  p.centreX = view.ToDeviceX(logo.x);
  const int cy0 = view.ToDeviceY(logo.y);
  p.scaleX = kLogoScale * logo.width / view.scaleX;
  p.scaleY = kLogoScale * logo.height / view.scaleY;
  p.centreY = KTruncToInt(cy0 + kLogoDrop * p.scaleX);
  return p;
}

void DrawLogo(const KLogo& logo, const KViewTransform& view, KDevice& device) {
  const KEmblemPlacement p = LogoPlacement(logo, view);
  DrawEmblem(device, p.centreX, p.centreY, p.scaleX, p.scaleY);
}
