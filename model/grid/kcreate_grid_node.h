#pragma once
// The update of one interior node, shared by the row-at-a-time and the
// interleaved sweeps so that both do the same arithmetic in the same order.
// left and left2 are the values of the nodes one and two steps to the left
// (already updated in this sweep); p points at the node.
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "model/grid/kcreate_grid.h"
#include "model/grid/kcreate_grid_stencil.h"

namespace kgrid_node {

// A node without data. The terms that do not depend on the left neighbour
// are summed first, so that the chain from node to node is one multiply and
// one add. Returns the new value, or the old one when no estimate reaches
// the node (largest is then left as is).
inline double Plain(const double* p, std::ptrdiff_t w, double left, double left2, double factor,
                    double leftWeight, double& largest) {
  using namespace kgrid_stencil;
  const double old = p[0];
  const double rest = kDirect * (p[1] + p[-w] + p[w]) -
                      kDiagonal * (p[-w - 1] + p[-w + 1] + p[w - 1] + p[w + 1]) -
                      kFar * (left2 + p[2] + p[-2 * w] + p[2 * w]);
  if (rest + kDirect * left > KCreateGrid::kUnsetAbove) return old;   // no usable estimate
  const double partial = rest - old;               // change without the left term
  const double base = old + factor * partial;
  largest = std::max(largest, std::fabs(partial + kDirect * left));
  return base + leftWeight * left;                 // z + factor * change
}

// A node holding data: the plain stencil order, then the tie to the data.
inline double Data(const double* p, std::ptrdiff_t w, double left, double left2,
                   const KCreateGrid::DataCell& cell, double factor, double smooth, double& largest) {
  using namespace kgrid_stencil;
  const double old = p[0];
  const double estimate = kDirect * (left + p[1] + p[-w] + p[w]) -
                          kDiagonal * (p[-w - 1] + p[-w + 1] + p[w - 1] + p[w + 1]) -
                          kFar * (left2 + p[2] + p[-2 * w] + p[2 * w]);
  if (estimate > KCreateGrid::kUnsetAbove) return old;
  // Twice the downhill slopes move the data from the points' mean position
  // to the node.
  const double gx2 = left - p[1];
  const double gy2 = p[-w] - p[w];
  const double tied = cell.z + 0.5 * (gx2 * cell.dx + gy2 * cell.dy);
  // A negative weight would let the blend divide by zero; beyond
  // kHugeWeight the tie is below the estimate's precision, and a * estimate
  // could overflow.
  const double a = std::max(0.0, smooth * cell.w);
  const double target = a > kHugeWeight ? estimate : (tied + a * estimate) / (a + 1.0);
  const double change = target - old;
  largest = std::max(largest, std::fabs(change));
  return old + factor * change;
}

}  // namespace kgrid_node
