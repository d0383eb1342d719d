#include "render/drawing/world_image.h"

#include <algorithm>
#include <cmath>

void DrawWorldImage(KDevice& device, const KViewTransform& view, const KImage& image, double x0, double y0,
                    double x1, double y1) {
  if (image.empty() || !(x1 > x0) || !(y1 > y0)) return;
  const double dx = (x1 - x0) / image.width, dy = (y1 - y0) / image.height;
  const double right = view.left + view.width * view.scaleX, top = view.bottom + view.height * view.scaleY;
  const double vx0 = std::max(x0, view.left), vx1 = std::min(x1, right);
  const double vy0 = std::max(y0, view.bottom), vy1 = std::min(y1, top);
  if (!(vx1 > vx0) || !(vy1 > vy0)) return;
  const int c0 = static_cast<int>(std::lround((vx0 - view.left) / view.scaleX));
  const int c1 = static_cast<int>(std::lround((vx1 - view.left) / view.scaleX));
  const int r0 = static_cast<int>(std::lround(view.height - (vy1 - view.bottom) / view.scaleY));
  const int r1 = static_cast<int>(std::lround(view.height - (vy0 - view.bottom) / view.scaleY));
  if (c1 <= c0 || r1 <= r0) return;
  device.DrawImage(image, c0, r0, c1 - c0, r1 - r0, (vx0 - x0) / dx, (y1 - vy1) / dy, (vx1 - vx0) / dx,
                   (vy1 - vy0) / dy);
}
