#pragma once
// Scattered measured values (entry kind 301): position, value, weight, tag.
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
  // Removes every point with x1 <= x <= x2 and y1 <= y <= y2; returns how many.
  int RemoveInRect(double x1, double y1, double x2, double y2);
  // Writes "XYZ", then one "x,y,z,w,tag" line per point (bare LF), then an
  // empty line, so the list reads back whatever its first x and whatever
  // follows it (grid/kxyz_write.cpp).
  void Write(KOutput& out) const;
};
