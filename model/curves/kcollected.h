#pragma once
// The points of a curve being digitised by mouse, in world coordinates. It
// stops collecting at its capacity, and says so, until it is finished.
#include <vector>

#include "model/document/kcurve.h"

class KCollected {
public:
  static constexpr int kCapacity = 100000;

  // Appends a point; false (and nothing added) when full.
  bool Append(double x, double y);
  // Drops the newest point; false when there is none.
  bool DropLast();
  void Clear();

  int Count() const { return static_cast<int>(x_.size()); }
  bool Empty() const { return x_.empty(); }
  bool Full() const { return Count() >= kCapacity; }
  double X(int i) const { return x_[static_cast<std::size_t>(i)]; }
  double Y(int i) const { return y_[static_cast<std::size_t>(i)]; }

  // The points as an open two-dimensional curve without a name, z 0, s the
  // arc length.
  KCurve ToCurve() const;

private:
  std::vector<double> x_, y_;
};
