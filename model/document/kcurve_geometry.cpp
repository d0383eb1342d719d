// Geometry of a polyline: lengths, bounds, search along the parameter s,
// nearest point, rectangle test, reversal and copying.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "model/document/kcurve.h"
#include "model/document/segment_length.h"
#include "platform/base/c_locale.h"

namespace {
// Values closer than this to an end of the searched array count as that end.
constexpr double kLocateTolerance = 1e-10;
// Abscissae closer than this are treated as one point by Interpolate.
constexpr double kInterpolateTolerance = 1e-30;
// Segments whose |dx| + |dy| is below this are skipped by NearestPoint.
constexpr double kDegenerateSegment = 1e-10;
// Start value of the nearest-distance search.
constexpr double kNoDistance = 1e301;
// Returned by Locate for a value before / after the searched range.
constexpr int kBeforeRange = -100;
constexpr int kAfterRangeOffset = 100;
}  // namespace

int Locate(double v, int n, const double* a) {
  if (n < 1) return kBeforeRange;
  const double first = a[0];
  const double last = a[n - 1];
  if (first <= last) {
    if (v > last) return n + kAfterRangeOffset;
    if (v < first) return kBeforeRange;
  } else {
    if (v < last) return n + kAfterRangeOffset;
    if (v > first) return kBeforeRange;
  }
  if (std::fabs(v - first) < kLocateTolerance) return 0;
  if (std::fabs(v - last) < kLocateTolerance) return n - 2;
  int lo = 0;
  int hi = n - 1;
  while (hi - lo > 1) {
    const int mid = (hi + lo) / 2;
    if ((v - a[mid]) * (v - a[hi]) > kLocateTolerance)
      hi = mid;
    else
      lo = mid;
  }
  return lo;
}

double Interpolate(double v, const double* a, const double* b) {
  if (std::fabs(a[1] - a[0]) < kInterpolateTolerance) return b[0];
  return b[0] + (b[1] - b[0]) / (a[1] - a[0]) * (v - a[0]);
}

void KCurve::ArcLength() {
  if (count < 1) return;
  const double* px = x();
  const double* py = y();
  double* ps = s();
  ps[0] = 0.0;
  for (int i = 1; i < count; ++i)
    ps[i] = ps[i - 1] + SegmentLength(px[i] - px[i - 1], py[i] - py[i - 1]);
}

double KCurve::Length() const {
  const double* px = x();
  const double* py = y();
  double total = 0.0;
  for (int i = 1; i < count; ++i) total += SegmentLength(px[i] - px[i - 1], py[i] - py[i - 1]);
  return total;
}

void KCurve::Bounds(double& xmin, double& ymin, double& xmax, double& ymax) const {
  const double* px = x();
  const double* py = y();
  for (int i = 0; i < count; ++i) {
    Span(px[i], xmin, xmax);
    Span(py[i], ymin, ymax);
  }
}

namespace {
bool StrictlyBetween(double q, double a, double b) {
  return (a < q && q < b) || (b < q && q < a);
}

// Does the segment (u0, v0)-(u1, v1) cross the line u = q strictly inside
// (vmin, vmax)? u and v are x and y, or y and x.
bool CrossesBorder(double q, double u0, double u1, double v0, double v1, double vmin, double vmax) {
  if (!StrictlyBetween(q, u0, u1)) return false;
  const double u[2] = {u0, u1};
  const double v[2] = {v0, v1};
  const double vq = Interpolate(q, u, v);
  return vmin < vq && vq < vmax;
}

// Does the segment run through the open rectangle? Clips it to the closed
// rectangle and tests the middle of what is left, which catches the crossings
// the border test cannot see: a segment entering or leaving exactly through
// a corner, or ending on a border.
bool PassesInside(double x0, double y0, double x1, double y1, double xmin, double ymin, double xmax,
                  double ymax) {
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - xmin, xmax - x0, y0 - ymin, ymax - y0};
  double t0 = 0.0, t1 = 1.0;
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0.0) {
      if (q[k] < 0.0) return false;
      continue;
    }
    const double r = q[k] / p[k];
    if (p[k] < 0.0)
      t0 = std::max(t0, r);
    else
      t1 = std::min(t1, r);
  }
  if (!(t0 < t1)) return false;
  const double tm = 0.5 * (t0 + t1);
  const double xm = x0 + dx * tm;
  const double ym = y0 + dy * tm;
  return xmin < xm && xm < xmax && ymin < ym && ym < ymax;
}
}  // namespace

int KCurve::IntersectsRect(double xmin, double ymin, double xmax, double ymax) const {
  const double* px = x();
  const double* py = y();
  for (int i = 0; i < count; ++i)
    if (xmin < px[i] && px[i] < xmax && ymin < py[i] && py[i] < ymax) return 1;
  for (int i = 0; i + 1 < count; ++i) {
    const double x0 = px[i], x1 = px[i + 1], y0 = py[i], y1 = py[i + 1];
    if (CrossesBorder(xmin, x0, x1, y0, y1, ymin, ymax)) return 1;
    if (CrossesBorder(xmax, x0, x1, y0, y1, ymin, ymax)) return 1;
    if (CrossesBorder(ymin, y0, y1, x0, x1, xmin, xmax)) return 1;
    if (CrossesBorder(ymax, y0, y1, x0, x1, xmin, xmax)) return 1;
  }
  for (int i = 0; i + 1 < count; ++i)
    if (PassesInside(px[i], py[i], px[i + 1], py[i + 1], xmin, ymin, xmax, ymax)) return 1;
  return 0;
}

void KCurve::Reverse() {
  for (double* values : {x(), y(), s()}) std::reverse(values, values + count);
  // A curve without a z array has only zeros to reverse.
  if (InBlock()) std::reverse(z(), z() + count);
  // s is left falling on purpose: callers read positions on the old scale.
  if (closure == kFilled || closure == kClosed) FillSpareSlots();
}

void KCurve::CopyFrom(const KCurve& source) {
  if (this == &source) return;
  // Every value, spare slots included, so a closed copy stays closed.
  FreeBlock();
  count = source.count;
  CopyValuesFrom(source);
  closure = source.closure;
  dimension = source.dimension;
  SetName(source.name());
}

void KCurve::FromStrings(const std::vector<std::string>& lines) {
  Allocate(static_cast<int>(lines.size()));
  double* px = x();
  double* py = y();
  {
    KCLocaleScope cLocale;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      double vx = 0.0, vy = 0.0;
      std::sscanf(lines[i].c_str(), "%lf,%lf", &vx, &vy);
      px[i] = vx;
      py[i] = vy;
    }
  }
  dimension = 2;
  ArcLength();
}

double KCurve::NearestPoint(double px, double py, double& position) const {
  if (count < 1) return kNoDistance;
  const double* cx = x();
  const double* cy = y();
  const double* cs = s();
  double best = kNoDistance;
  for (int i = 0; i + 1 < count; ++i) {
    const double dx = cx[i + 1] - cx[i];
    const double dy = cy[i + 1] - cy[i];
    if (std::fabs(dy) + std::fabs(dx) < kDegenerateSegment) continue;
    const double t = ((py - cy[i]) * dy + (px - cx[i]) * dx) / (dx * dx + dy * dy);
    if (t >= 0.0 && t <= 1.0) {
      const double d = std::hypot(px - (cx[i] + dx * t), py - (cy[i] + dy * t));
      if (d < best) {
        best = d;
        position = cs[i] + (cs[i + 1] - cs[i]) * t;
      }
    } else {
      const double d = std::hypot(px - cx[i], py - cy[i]);
      if (d < best) {
        best = d;
        // Before the start: a negative position tells the caller so.
        position = i == 0 ? cs[0] - cs[count - 1] : cs[i];
      }
    }
  }
  const double d = std::hypot(px - cx[count - 1], py - cy[count - 1]);
  if (d < best) {
    // Beyond the end: twice the last parameter.
    position = 2.0 * cs[count - 1];
    return d;
  }
  return best;
}
