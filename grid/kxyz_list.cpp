// Extent and rectangle thinning of x, y, z lists.
#include "grid/kxyz_list.h"

#include <algorithm>

void KXyzList::Extent(double& minX, double& minY, double& maxX, double& maxY) const {
  if (known_.data && known_.data == points.data() && known_.size == points.size()) {
    if (known_.minX < minX) minX = known_.minX;
    if (known_.maxX > maxX) maxX = known_.maxX;
    if (known_.minY < minY) minY = known_.minY;
    if (known_.maxY > maxY) maxY = known_.maxY;
    return;
  }
  for (const KOne& p : points) {
    if (p.x < minX) minX = p.x;
    if (p.x > maxX) maxX = p.x;
    if (p.y < minY) minY = p.y;
    if (p.y > maxY) maxY = p.y;
  }
}

void KXyzList::KnowBounds(double minX, double minY, double maxX, double maxY) {
  known_.data = points.data();
  known_.size = points.size();
  known_.minX = minX;
  known_.minY = minY;
  known_.maxX = maxX;
  known_.maxY = maxY;
}

int KXyzList::RemoveInRect(double x1, double y1, double x2, double y2) {
  known_.data = nullptr;
  const auto inside = [&](const KOne& p) { return x1 <= p.x && p.x <= x2 && y1 <= p.y && p.y <= y2; };
  const auto removed = std::remove_if(points.begin(), points.end(), inside);
  const int n = static_cast<int>(points.end() - removed);
  points.erase(removed, points.end());
  return n;
}
