#pragma once
// Contour lines of a node grid by marching squares. A contour crosses a
// cell edge only where the link along that edge is open, so it never runs
// over a cut link (a fault) and ends where the surface ends. Inside a cell
// whose edges are all open, a saddle is resolved by the mean of its four
// corners; where some edges are closed, crossings are joined only along the
// open edges that connect them.
#include <vector>

#include "model/contour/knode_grid.h"

struct KContourLine {
  int level = 0;       // index k of the level start + k * step
  double value = 0;    // the level itself
  bool closed = false; // the last point repeats the first
  std::vector<double> x, y;  // world coordinates
};

struct KContourLevels {
  double start = 0;
  double step = 0;
  int first = 0;  // indices of the lowest and highest level inside the range
  int last = -1;
  int Count() const { return last - first + 1; }
  double Value(int k) const { return start + k * step; }
};

// A round step (1, 2 or 5 times a power of ten) giving 10 to 20 levels (or
// as near as a round step allows) over lo .. hi; 0 when hi <= lo or either
// is not finite.
double RoundContourStep(double lo, double hi);
// The levels start + k * step within lo .. hi. Empty (Count() == 0) when
// step is not positive, nothing is in range, or there would be more than
// maxLevels.
KContourLevels LevelsInRange(double lo, double hi, double start, double step, int maxLevels = 1000);

// All contour lines of the levels, level by level, each line as long as the
// open edges allow. Nodes that are not finite count as outside.
std::vector<KContourLine> TraceContours(const KNodeGrid& grid, const KContourLevels& levels);
