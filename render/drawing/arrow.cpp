#include "render/drawing/arrow.h"

#include <cmath>

#include "model/document/kcurve.h"
#include "render/drawing/krenderer.h"

namespace {
// Chords shorter than this give no direction.
constexpr double kNoChord = 1e-30;
constexpr double kTipLength = 1.5;
constexpr double kHalfBase = 0.5;
}  // namespace

bool ArrowTriangleCorners(const KCurve& curve, bool atStart, double size, double x[3], double y[3]) {
  const int n = curve.count;
  if (n < 2) return false;
  const double* px = curve.x();
  const double* py = curve.y();
  const int end = atStart ? 0 : n - 1;
  const int step = atStart ? 1 : -1;
  double dx = 0, dy = 0, length = 0;
  for (int j = end + step; j >= 0 && j < n; j += step) {
    dx = px[end] - px[j];
    dy = py[end] - py[j];
    length = std::hypot(dx, dy);
    if (length >= kNoChord) break;
  }
  if (!(length >= kNoChord)) return false;
  const double ux = dx / length, uy = dy / length;
  const double ex = px[end], ey = py[end];
  x[0] = ex + kTipLength * size * ux;
  y[0] = ey + kTipLength * size * uy;
  x[1] = ex + kHalfBase * size * uy;
  y[1] = ey + kHalfBase * size * -ux;
  x[2] = ex - kHalfBase * size * uy;
  y[2] = ey - kHalfBase * size * -ux;
  return true;
}

void ArrowTriangle(const KCurve& curve, const KViewTransform& view, bool atStart, double size, int colour,
                   KRenderer& renderer) {
  double x[3], y[3];
  if (!ArrowTriangleCorners(curve, atStart, size, x, y)) return;
  renderer.FillPolygon(x, y, 3, view, colour);
}
