// Storage, extent and rectangle thinning of x, y, z lists.
#include "model/grid/kxyz_list.h"

#include <algorithm>

static_assert(sizeof(KXyz) == 24, "plain points carry no padding");

KOne KXyzList::At(std::size_t i) const {
  if (const auto* full = std::get_if<std::vector<KOne>>(&points_)) return (*full)[i];
  const KXyz& p = std::get<std::vector<KXyz>>(points_)[i];
  return KOne{p.x, p.y, p.z};
}

void KXyzList::Assign(const KXyz* first, std::size_t count) {
  known_.known = false;
  points_.emplace<std::vector<KXyz>>(first, first + count);
}

void KXyzList::Assign(const KOne* first, std::size_t count) {
  known_.known = false;
  if (!std::all_of(first, first + count, HasDefaultWeightAndTag)) {
    points_.emplace<std::vector<KOne>>(first, first + count);
    return;
  }
  auto& plain = points_.emplace<std::vector<KXyz>>();
  plain.reserve(count);
  for (const KOne* p = first; p != first + count; ++p) plain.push_back({p->x, p->y, p->z});
}

void KXyzList::Add(const KOne& p) {
  known_.known = false;
  if (auto* full = std::get_if<std::vector<KOne>>(&points_)) {
    full->push_back(p);
    return;
  }
  auto& plain = std::get<std::vector<KXyz>>(points_);
  if (HasDefaultWeightAndTag(p)) {
    plain.push_back({p.x, p.y, p.z});
    return;
  }
  std::vector<KOne> full;
  full.reserve(plain.size() + 1);
  for (const KXyz& q : plain) full.push_back({q.x, q.y, q.z});
  full.push_back(p);
  points_ = std::move(full);
}

void KXyzList::Extent(double& minX, double& minY, double& maxX, double& maxY) const {
  if (known_.known) {
    if (known_.minX < minX) minX = known_.minX;
    if (known_.maxX > maxX) maxX = known_.maxX;
    if (known_.minY < minY) minY = known_.minY;
    if (known_.maxY > maxY) maxY = known_.maxY;
    return;
  }
  Visit([&](const auto& points) {
    for (const auto& p : points) {
      if (p.x < minX) minX = p.x;
      if (p.x > maxX) maxX = p.x;
      if (p.y < minY) minY = p.y;
      if (p.y > maxY) maxY = p.y;
    }
  });
}

void KXyzList::KnowBounds(double minX, double minY, double maxX, double maxY) {
  known_.known = true;
  known_.minX = minX;
  known_.minY = minY;
  known_.maxX = maxX;
  known_.maxY = maxY;
}

int KXyzList::RemoveInRect(double x1, double y1, double x2, double y2) {
  known_.known = false;
  return std::visit(
      [&](auto& points) {
        const auto inside = [&](const auto& p) { return x1 <= p.x && p.x <= x2 && y1 <= p.y && p.y <= y2; };
        const auto removed = std::remove_if(points.begin(), points.end(), inside);
        const int n = static_cast<int>(points.end() - removed);
        points.erase(removed, points.end());
        return n;
      },
      points_);
}
