#include "model/contour/knode_grid.h"

#include <cmath>

bool KNodeGrid::Range(double& lo, double& hi) const {
  lo = INFINITY;
  hi = -INFINITY;
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i) {
      const double v = Value(i, j);
      if (!Inside(i, j) || !std::isfinite(v)) continue;
      if (v < lo) lo = v;
      if (v > hi) hi = v;
    }
  return lo <= hi;
}
