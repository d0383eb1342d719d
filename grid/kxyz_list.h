#pragma once
// Scattered measured values (entry kind 301): position, value, weight, tag.
#include <cstddef>
#include <vector>

#include "document/krecord.h"

class KOutput;

struct KOne {
  double x = 0, y = 0, z = 0;
  double w = 1.0;   // gridding smoothing weight
  int tag = 0;
};

class KXyzList : public KRecord {
public:
  std::vector<KOne> points;   // reading order

  // Widens the bounds by every point.
  void Extent(double& minX, double& minY, double& maxX, double& maxY) const;
  // Records the bounds of the points as they are now, found while they were
  // read, so that Extent need not walk a large list a second time. They
  // hold while points keeps the storage and size it has now (RemoveInRect
  // forgets them; a copy has its own storage and walks its points). Code
  // that moves points in place must not call it.
  void KnowBounds(double minX, double minY, double maxX, double maxY);
  // Removes every point with x1 <= x <= x2 and y1 <= y <= y2; returns how many.
  int RemoveInRect(double x1, double y1, double x2, double y2);
  // Writes "XYZ", then one "x,y,z,w,tag" line per point (bare LF), then an
  // empty line, so the list reads back whatever its first x and whatever
  // follows it (grid/kxyz_write.cpp).
  void Write(KOutput& out) const;

private:
  // Not carried by copies or moves: the bounds belong to one storage.
  struct KnownBounds {
    KnownBounds() = default;
    KnownBounds(const KnownBounds&) {}
    KnownBounds& operator=(const KnownBounds&) {
      data = nullptr;
      return *this;
    }
    const KOne* data = nullptr;
    std::size_t size = 0;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
  };
  KnownBounds known_;
};
