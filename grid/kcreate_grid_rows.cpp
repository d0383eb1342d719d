// The sweep's update at one node written out as an affine map of the other
// nodes, for solvers that work with the equations rather than the sweep.
// The terms are those RelaxInteriorRun and RelaxBorder evaluate.
#include <algorithm>

#include "grid/kcreate_grid.h"
#include "grid/kcreate_grid_stencil.h"

using namespace kgrid_stencil;

const KCreateGrid::BorderNode* KCreateGrid::BorderOf(int node) const {
  const int j = node / nx_;
  const BorderNode* first = border_.data() + rowBorder_[static_cast<std::size_t>(j)];
  const BorderNode* last = border_.data() + rowBorder_[static_cast<std::size_t>(j) + 1];
  const BorderNode* b = std::lower_bound(first, last, node, [](const BorderNode& x, int n) { return x.node < n; });
  return b != last && b->node == node ? b : nullptr;
}

int KCreateGrid::UpdateRow(int node, RowEntry* out, double& b) const {
  const std::ptrdiff_t w = nx_;
  int count = 0;
  const auto put = [&](std::ptrdiff_t m, double c) { out[count++] = {static_cast<std::int32_t>(m), c}; };
  // The estimate part, scaled by share.
  const auto estimate = [&](double share) {
    if (flags_[static_cast<std::size_t>(node)] & kInteriorFlag) {
      for (std::ptrdiff_t d : {-1, 1}) {
        put(node + d, share * kDirect);
        put(node + d * w, share * kDirect);
        put(node + 2 * d, -share * kFar);
        put(node + 2 * d * w, -share * kFar);
        put(node + d * w - 1, -share * kDiagonal);
        put(node + d * w + 1, -share * kDiagonal);
      }
      return;
    }
    const BorderNode& bn = *BorderOf(node);
    const double s = share / bn.weight;
    const EstimateTerm* t = terms_.data() + bn.firstTerm;
    for (const EstimateTerm* end = t + bn.termCount; t < end; ++t) {
      const double k = s * kTermWeight[t->kind];
      switch (t->kind) {
        case kMidpoint: put(t->a, k / 2), put(t->b, k / 2); break;
        case kExtrapolation: put(t->a, 2 * k), put(t->b, -k); break;
        default: put(t->a, k), put(t->b, k), put(t->e, -k); break;
      }
    }
  };
  b = 0.0;
  const bool interior = (flags_[static_cast<std::size_t>(node)] & kInteriorFlag) != 0;
  const BorderNode* bn = interior ? nullptr : BorderOf(node);
  if (bn && bn->termCount == 0) return -1;
  const std::int32_t cell = cellOf_[static_cast<std::size_t>(node)];
  const bool tied = cell >= 0 && (interior || (bn->nb[0] >= 0 && bn->nb[1] >= 0 && bn->nb[2] >= 0 && bn->nb[3] >= 0));
  if (!tied) {
    estimate(1.0);
    return count;
  }
  const DataCell& dc = cells_[static_cast<std::size_t>(cell)];
  const double a = std::max(0.0, smooth * dc.w);
  if (a > kHugeWeight) {
    estimate(1.0);
    return count;
  }
  // (tied + a * estimate) / (a + 1), tied = z + (dx (left - right) + dy (below - above)) / 2.
  const double t = 1.0 / (a + 1.0);
  b = t * dc.z;
  put(node - 1, t * 0.5 * dc.dx);
  put(node + 1, -t * 0.5 * dc.dx);
  put(node - w, t * 0.5 * dc.dy);
  put(node + w, -t * 0.5 * dc.dy);
  if (a > 0) estimate(a * t);
  return count;
}
