#include "render/drawing/device_clip.h"

#include <algorithm>
#include <cmath>

namespace {

bool Finite(const KDoublePoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }
// False for NaN coordinates.
bool Inside(const KDoublePoint& p, const KDeviceBox& box) {
  return p.x >= box.xmin && p.x <= box.xmax && p.y >= box.ymin && p.y <= box.ymax;
}

// One Liang-Barsky boundary: p * t <= q.
bool ClipTest(double p, double q, double& t0, double& t1) {
  if (p == 0) return q >= 0;
  double r = q / p;
  if (p < 0) {
    if (r > t1) return false;
    if (r > t0) t0 = r;
  } else {
    if (r < t0) return false;
    if (r < t1) t1 = r;
  }
  return true;
}

// Sutherland-Hodgman against one edge given by an inside test and an
// intersection function.
template <class Inside, class Cross>
std::vector<KDoublePoint> ClipEdge(const std::vector<KDoublePoint>& in, Inside inside, Cross cross) {
  std::vector<KDoublePoint> out;
  if (in.empty()) return out;
  out.reserve(in.size() + 4);
  KDoublePoint prev = in.back();
  bool prevIn = inside(prev);
  for (const KDoublePoint& cur : in) {
    bool curIn = inside(cur);
    if (curIn) {
      if (!prevIn) out.push_back(cross(prev, cur));
      out.push_back(cur);
    } else if (prevIn) {
      out.push_back(cross(prev, cur));
    }
    prev = cur;
    prevIn = curIn;
  }
  return out;
}

KDoublePoint AtX(const KDoublePoint& a, const KDoublePoint& b, double x) {
  double t = (x - a.x) / (b.x - a.x);
  return {x, a.y + (b.y - a.y) * t};
}

KDoublePoint AtY(const KDoublePoint& a, const KDoublePoint& b, double y) {
  double t = (y - a.y) / (b.y - a.y);
  return {a.x + (b.x - a.x) * t, y};
}

// The exact clipped point lies in the box; with coordinates far apart
// (1e20 and more) rounding can put the computed one well outside it.
KDoublePoint IntoBox(const KDoublePoint& p, const KDeviceBox& box) {
  return {std::clamp(p.x, box.xmin, box.xmax), std::clamp(p.y, box.ymin, box.ymax)};
}

}  // namespace

bool ClipSegment(KDoublePoint& a, KDoublePoint& b, const KDeviceBox& box) {
  // Nearly every segment lies inside the box, which the tests below leave
  // as it is (with b inside, (box - a) / (b - a) is never below 1).
  if (Inside(a, box) && Inside(b, box)) return true;
  if (!Finite(a) || !Finite(b)) return false;
  double dx = b.x - a.x, dy = b.y - a.y;
  if (!std::isfinite(dx) || !std::isfinite(dy)) return false;
  double t0 = 0, t1 = 1;
  if (!ClipTest(-dx, a.x - box.xmin, t0, t1)) return false;
  if (!ClipTest(dx, box.xmax - a.x, t0, t1)) return false;
  if (!ClipTest(-dy, a.y - box.ymin, t0, t1)) return false;
  if (!ClipTest(dy, box.ymax - a.y, t0, t1)) return false;
  KDoublePoint start = a;
  // An end whose parameter rounded to 0 or 1 may lie outside as well.
  if (t1 < 1) b = {start.x + t1 * dx, start.y + t1 * dy};
  if (t0 > 0) a = {start.x + t0 * dx, start.y + t0 * dy};
  a = IntoBox(a, box);
  b = IntoBox(b, box);
  return true;
}

std::vector<KDoublePoint> ClipPolygon(const std::vector<KDoublePoint>& polygon, const KDeviceBox& box) {
  for (const KDoublePoint& p : polygon)
    if (!Finite(p)) return {};
  bool inside = true;
  for (const KDoublePoint& p : polygon)
    if (p.x < box.xmin || p.x > box.xmax || p.y < box.ymin || p.y > box.ymax) inside = false;
  if (inside) return polygon;
  std::vector<KDoublePoint> out = ClipEdge(
      polygon, [&](const KDoublePoint& p) { return p.x >= box.xmin; },
      [&](const KDoublePoint& a, const KDoublePoint& b) { return AtX(a, b, box.xmin); });
  out = ClipEdge(
      out, [&](const KDoublePoint& p) { return p.x <= box.xmax; },
      [&](const KDoublePoint& a, const KDoublePoint& b) { return AtX(a, b, box.xmax); });
  out = ClipEdge(
      out, [&](const KDoublePoint& p) { return p.y >= box.ymin; },
      [&](const KDoublePoint& a, const KDoublePoint& b) { return AtY(a, b, box.ymin); });
  out = ClipEdge(
      out, [&](const KDoublePoint& p) { return p.y <= box.ymax; },
      [&](const KDoublePoint& a, const KDoublePoint& b) { return AtY(a, b, box.ymax); });
  for (KDoublePoint& p : out) p = IntoBox(p, box);
  return out;
}
