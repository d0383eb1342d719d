// Cutting and splicing curves drawn over by mouse.
#include <algorithm>
#include <utility>
#include <vector>

#include "model/document/kcurve.h"

namespace {
// Added to the later position so a point exactly on a vertex counts as past it.
constexpr double kPastVertex = 1e-50;

// z values are kept only where one of them is not 0: a curve without a z
// array stays without one.
bool HasNonZeroZ(const KCurve& curve, int from, int to) {
  const double* z = curve.z();
  return std::any_of(z + from, z + to, [](double v) { return v != 0.0; });
}

double PositionOf(const KCurve& curve, double x, double y) {
  double position = 0.0;
  curve.NearestPoint(x, y, position);
  return position;
}
}  // namespace

void KCurve::KeepRange(int from, int to) {
  from = std::clamp(from, 0, count);
  to = std::clamp(to, from, count);
  const KCurve& self = *this;
  KCurve kept;
  kept.Allocate(to - from);
  const double* source[3] = {self.x(), self.y(), self.s()};
  double* target[3] = {kept.x(), kept.y(), kept.s()};
  for (int a = 0; a < 3; ++a) std::copy(source[a] + from, source[a] + to, target[a]);
  if (HasNonZeroZ(self, from, to)) std::copy(self.z() + from, self.z() + to, kept.z());
  TakeValues(kept);
  if (IsClosed() && count >= 2) FillSpareSlots();
}

bool KCurve::TrimRange(double x1, double y1, double x2, double y2) {
  const int n = count;
  if (n < 2) return false;
  double t1 = PositionOf(*this, x1, y1);
  double t2 = PositionOf(*this, x2, y2);
  if (t2 < t1) std::swap(t1, t2);
  const int e = std::min(Locate(t1, n, s()) + 1, n);
  const int r = Locate(t2 + kPastVertex, n, s()) + 1;
  if (r < 0) return false;  // both before the start
  if (r >= n) {
    // The earlier point before the start too would keep a negative number
    // of points: the whole curve would go, which a trim does not do.
    if (e <= 0 || e >= n) return false;
    KeepRange(0, e);
    return true;
  }
  if (e <= 0) {
    KeepRange(r, n);
    return true;
  }
  return false;
}

bool KCurve::Splice(const KCurve& strokeIn) {
  const int n = count;
  if (n < 1 || strokeIn.count < 1) return false;
  KCurve stroke(strokeIn);
  double t0 = PositionOf(*this, stroke.x()[0], stroke.y()[0]);
  double t1 = PositionOf(*this, stroke.LastX(), stroke.LastY());
  if (t1 < t0) {
    stroke.Reverse();
    std::swap(t0, t1);
  }
  const int a = std::clamp(Locate(t0, n, s()) + 1, 0, n);
  const int i = Locate(t1 + kPastVertex, n, s()) + 1;
  if (i < 0) return false;  // wholly before the start
  const int tail = i >= n ? 0 : n - i;
  const int m = stroke.count;
  KCurve joined;
  joined.Allocate(a + m + tail);
  const KCurve& self = *this;
  const bool withZ = HasNonZeroZ(self, 0, n) || HasNonZeroZ(stroke, 0, m);
  const double* mine[3] = {self.x(), self.y(), self.z()};
  const double* theirs[3] = {std::as_const(stroke).x(), std::as_const(stroke).y(), std::as_const(stroke).z()};
  double* out[3] = {joined.x(), joined.y(), withZ ? joined.z() : nullptr};
  for (int v = 0; v < (withZ ? 3 : 2); ++v) {
    double* end = std::copy(mine[v], mine[v] + a, out[v]);
    end = std::copy(theirs[v], theirs[v] + m, end);
    if (tail > 0) std::copy(mine[v] + i, mine[v] + n, end);
  }
  TakeValues(joined);
  if (IsClosed()) FillSpareSlots();
  ArcLength();
  return true;
}
