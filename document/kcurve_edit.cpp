// Cutting and splicing curves drawn over by mouse.
#include <algorithm>
#include <vector>

#include "document/kcurve.h"

namespace {
// Added to the later position so a point exactly on a vertex counts as past it.
constexpr double kPastVertex = 1e-50;

double PositionOf(const KCurve& curve, double x, double y) {
  double position = 0.0;
  curve.NearestPoint(x, y, position);
  return position;
}
}  // namespace

void KCurve::KeepRange(int from, int to) {
  from = std::clamp(from, 0, count);
  to = std::clamp(to, from, count);
  KCurve kept;
  kept.Allocate(to - from);
  const double* source[4] = {x(), y(), z(), s()};
  double* target[4] = {kept.x(), kept.y(), kept.z(), kept.s()};
  for (int a = 0; a < 4; ++a) std::copy(source[a] + from, source[a] + to, target[a]);
  count = kept.count;
  block_ = std::move(kept.block_);
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
  const double* mine[3] = {x(), y(), z()};
  const double* theirs[3] = {stroke.x(), stroke.y(), stroke.z()};
  double* out[3] = {joined.x(), joined.y(), joined.z()};
  for (int v = 0; v < 3; ++v) {
    double* end = std::copy(mine[v], mine[v] + a, out[v]);
    end = std::copy(theirs[v], theirs[v] + m, end);
    if (tail > 0) std::copy(mine[v] + i, mine[v] + n, end);
  }
  count = joined.count;
  block_ = std::move(joined.block_);
  if (IsClosed()) FillSpareSlots();
  ArcLength();
  return true;
}
