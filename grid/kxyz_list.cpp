// Extent and rectangle thinning of x, y, z lists.
#include "grid/kxyz_list.h"

#include <algorithm>



void KXyzList::Extent(double& minX, double& minY, double& maxX, double& maxY) const {
  for (const KOne& p : points) {
    if (p.x < minX) minX = p.x;
    if (p.x > maxX) maxX = p.x;
    if (p.y < minY) minY = p.y;
    if (p.y > maxY) maxY = p.y;
  }
}

int KXyzList::RemoveInRect(double x1, double y1, double x2, double y2) {
  const auto inside = [&](const KOne& p) { return x1 <= p.x && p.x <= x2 && y1 <= p.y && p.y <= y2; };
  const auto removed = std::remove_if(points.begin(), points.end(), inside);
  const int n = static_cast<int>(points.end() - removed);
  points.erase(removed, points.end());
  return n;
}
