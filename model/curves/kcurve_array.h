#pragma once
// An ordered set of curves with nearest-curve search: the top-level
// polylines of a drawing, or the curve groups of a curve file (entry 101).
#include <memory>
#include <string>
#include <vector>

#include "model/document/kcurve.h"

// A group of a curve file: its own polyline runs through the placement
// points of its curves (x, y = placement, z = second header number,
// s = first header number); curve j belongs to point j.
class KCurveGroup : public KCurve {
public:
  std::vector<std::unique_ptr<KCurve>> curves;
};

class KCurveArray : public KRecord {
public:
  // Elements in order; each a KCurve or, from a curve file, a KCurveGroup.
  // Elements are shared, so copies of an array see the same curves.
  std::vector<std::shared_ptr<KCurve>> elements;
  int Count() const { return static_cast<int>(elements.size()); }

  // count = n fresh empty slots; always 1.
  int Create(int n);
  // Distance to the nearest element; sets name, position and index of it.
  // An empty array returns 1e300 and leaves the out-arguments untouched.
  double PointDistance(double x, double y, std::string& name, double& position, int& index) const;
};
