// Polylines, ranges along a curve, dashes and filled polygons.
#include <cmath>
#include <vector>

#include "model/document/kcurve.h"
#include "render/drawing/device_clip.h"
#include "render/drawing/krenderer.h"

bool KRenderer::DrawsClosingSegment(int closure) {
  // Every closed kind but the filled one (drawn as a polygon) and the open
  // B-spline, which only shares the closed kinds' spare slots.
  return KCurve::IsClosedKind(closure) && closure != kFilled && closure != kSplineOpen;
}

void KRenderer::DrawPolyline(const KCurve& curve, const KViewTransform& view) {
  pen_.Polyline(view, curve.x(), curve.y(), curve.count, curve.count > 2 && DrawsClosingSegment(curve.closure));
}

void KRenderer::DrawCurveRange(const KCurve& curve, const KViewTransform& view, double from, double to) {
  const int n = curve.count;
  if (n < 2) return;
  const double* x = curve.x();
  const double* y = curve.y();
  const double* s = curve.s();
  // A position off the curve extrapolates along the nearest end segment
  // rather than reading outside the arrays.
  int i = Locate(from, n, s);
  if (i < 0) i = 0;
  if (i > n - 2) i = n - 2;
  MoveTo(view, Interpolate(from, s + i, x + i), Interpolate(from, s + i, y + i));
  ++i;
  while (i < n - 1 && s[i] <= to) {
    LineTo(view, x[i], y[i]);
    ++i;
  }
  --i;
  LineTo(view, Interpolate(to, s + i, x + i), Interpolate(to, s + i, y + i));
}

double KRenderer::DeviceLength(const KCurve& curve, const KViewTransform& view) {
  const double* x = curve.x();
  const double* y = curve.y();
  double length = 0, pu = 0, pv = 0;
  for (int i = 0; i < curve.count; ++i) {
    double u = x[i], v = y[i];
    view.Transform(u, v);
    if (i > 0) length += std::hypot(u - pu, v - pv);
    pu = u;
    pv = v;
  }
  return std::isnan(length) ? HUGE_VAL : length;
}

void KRenderer::DrawDashed(const KCurve& curve, const KViewTransform& view, const double* pattern, int count) {
  if (curve.count < 2) return;
  const double total = curve.s()[curve.count - 1];
  // How far one pass through the pattern moves along the curve: an odd
  // pattern restarts at its last dash, so its last value never advances.
  double advance = 0;
  const int pairs = count / 2;
  for (int i = 0; i < 2 * pairs; ++i) advance += pattern[i];
  const double passes = total > 0 ? total / advance : 1.0;
  const double dashes = passes * count;
  if (count < 2 || !(advance > 0) || !(dashes <= kMaxDashes) ||
      !(dashes <= kDashesPerPixel * DeviceLength(curve, view) + count)) {
    DrawPolyline(curve, view);
    return;
  }
  // A pattern whose own pairs go backwards may still need a few extra passes
  // before its cumulative advance wins; the bound keeps every pattern finite.
  const long long maxDashes = static_cast<long long>(passes * count) + 4LL * count + 4;
  double pos = 0, start = 0;
  int i = 0;
  for (long long drawn = 0; drawn < maxDashes; ++drawn) {
    double end = pos + pattern[i];
    DrawCurveRange(curve, view, pos, end);
    if (i + 1 == count) {
      pos = start;
      i = 0;
      continue;
    }
    pos = end + pattern[i + 1];
    start = pos;
    if (!(pos < total)) return;
    i += 2;
    if (i >= count) i = 0;
  }
}

void KRenderer::FillPolygon(const KCurve& curve, const KViewTransform& view, int colour) {
  FillPolygon(curve.x(), curve.y(), curve.count, view, colour);
}

void KRenderer::FillPolygon(const double* x, const double* y, int count, const KViewTransform& view, int colour) {
  if (count < 1) return;
  std::vector<KDoublePoint> device(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) view.ToDevice(x[i], y[i], device[i].x, device[i].y);
  const double limit = KViewTransform::kDeviceLimit;
  std::vector<KDoublePoint> clipped = ClipPolygon(device, {-limit, -limit, limit, limit});
  if (clipped.empty()) return;
  std::vector<KIntPoint> points;
  points.reserve(clipped.size());
  for (const KDoublePoint& p : clipped) points.push_back({static_cast<int>(p.x), static_cast<int>(p.y)});
  device_.FillPolygon(points, DocumentColour(colour), kFillWinding);
}
