// Direct solves of the strips along the grid's edge (see the header).
#include "model/grid/kcreate_grid_edge_strips.h"

#include <algorithm>
#include <cmath>

#include "model/grid/kcreate_grid_node.h"
#include "model/grid/kcreate_grid_stencil.h"

namespace {

// A pivot this small means the strip's system is (nearly) singular without
// pivoting; the sweeps then keep the edge to themselves.
constexpr double kTinyPivot = 1e-9;

}  // namespace

KCreateGrid::EdgeStrips::EdgeStrips(KCreateGrid& grid, int width)
    : grid_(grid), width_(width), reach_(3 * width - 1) {
  const int nx = grid.nx_, ny = grid.ny_;
  if (width < 1 || nx < 3 * width || ny < 3 * width) return;
  strips_.resize(4);
  const bool built = Build(strips_[0], 0, 0, true, nx) && Build(strips_[1], 0, ny - width, true, nx) &&
                     Build(strips_[2], 0, width, false, ny - 2 * width) &&
                     Build(strips_[3], nx - width, width, false, ny - 2 * width);
  if (!built) strips_.clear();
}

bool KCreateGrid::EdgeStrips::Target(std::int32_t node, const BorderNode* border, double& target) const {
  if (border) return grid_.BorderTarget(*border, target);
  const std::size_t n = static_cast<std::size_t>(node);
  const double* p = grid_.values_.data() + n;
  const std::ptrdiff_t w = grid_.nx_;
  double ignored = 0.0;
  target = (grid_.flags_[n] & kPlainFlag)
               ? kgrid_node::Plain(p, w, p[-1], p[-2], 1.0, kgrid_stencil::kDirect, ignored)
               : kgrid_node::Data(p, w, p[-1], p[-2], grid_.cells_[static_cast<std::size_t>(grid_.CellAt(node))], 1.0,
                                  grid_.smooth, ignored);
  return true;
}

bool KCreateGrid::EdgeStrips::Build(Strip& s, int i0, int j0, bool alongX, int length) {
  const int w = width_;
  const std::size_t count = static_cast<std::size_t>(length) * static_cast<std::size_t>(w);
  s.nodes.resize(count);
  s.border.resize(count);
  for (int a = 0; a < length; ++a)
    for (int c = 0; c < w; ++c) {
      const std::size_t k = static_cast<std::size_t>(a * w + c);
      const int node = alongX ? grid_.Index(i0 + a, j0 + c) : grid_.Index(i0 + c, j0 + a);
      s.nodes[k] = node;
      s.border[k] = nullptr;
      if (grid_.flags_[static_cast<std::size_t>(node)] & kInteriorFlag) continue;
      const auto it = std::lower_bound(grid_.border_.begin(), grid_.border_.end(), node,
                                       [](const BorderNode& b, int n) { return b.node < n; });
      s.border[k] = &*it;   // every node that is not interior is listed
    }
  // I - C, each coefficient of C being the change of the node's update for
  // a unit change of the other node.
  s.lu = BandLU(count, reach_);
  std::vector<double>& z = grid_.values_;
  for (int a = 0; a < length; ++a)
    for (int c = 0; c < w; ++c) {
      const std::size_t k = static_cast<std::size_t>(a * w + c);
      s.lu.At(k, k) = 1.0;
      double base;
      if (!Target(s.nodes[k], s.border[k], base)) continue;   // nothing reaches it: it keeps its value
      for (int da = std::max(-2, -a); da <= std::min(2, length - 1 - a); ++da)
        for (int dc = -c; dc < w - c; ++dc) {
          const std::size_t m = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(k) + da * w + dc);
          double& v = z[static_cast<std::size_t>(s.nodes[m])];
          const double saved = v;
          v = saved + 1.0;
          const double step = v - saved;
          double probed = base;
          Target(s.nodes[k], s.border[k], probed);
          v = saved;
          s.lu.At(k, m) -= (probed - base) / step;
        }
    }
  return s.lu.Factor(kTinyPivot);
}

double KCreateGrid::EdgeStrips::Solve() {
  double largest = 0.0;
  std::vector<double>& z = grid_.values_;
  for (const Strip& s : strips_) {
    const int n = static_cast<int>(s.nodes.size());
    rhs_.resize(s.nodes.size());
    // Every residual from the values as they stand, then one solve.
    for (int k = 0; k < n; ++k) {
      const std::size_t node = static_cast<std::size_t>(s.nodes[static_cast<std::size_t>(k)]);
      double target;
      rhs_[static_cast<std::size_t>(k)] =
          Target(static_cast<std::int32_t>(node), s.border[static_cast<std::size_t>(k)], target) ? target - z[node] : 0.0;
    }
    s.lu.Solve(rhs_);
    for (int k = 0; k < n; ++k) {
      const double d = rhs_[static_cast<std::size_t>(k)];
      z[static_cast<std::size_t>(s.nodes[static_cast<std::size_t>(k)])] += d;
      largest = std::max(largest, std::fabs(d));
    }
  }
  return largest;
}
