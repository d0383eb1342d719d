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
// A node's direct neighbours in a BorderNode's nb order.
constexpr int kRight = klink::kPlusX, kAbove = klink::kPlusY, kLeft = klink::kMinusX, kBelow = klink::kMinusY;

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

template <class Add>
void KCreateGrid::EdgeStrips::Coefficients(std::int32_t node, const BorderNode* border, Add add) const {
  using namespace kgrid_stencil;
  const std::int32_t w = grid_.nx_;
  // The estimate scaled by share, then the data tie (if any) by what is left.
  const auto blend = [&](const DataCell* cell, const std::int32_t* nb, auto estimate) {
    const double a = cell ? std::max(0.0, grid_.smooth * cell->w) : 0.0;
    const bool tie = cell && !(a > kHugeWeight);
    estimate(tie ? a / (a + 1.0) : 1.0);
    if (!tie) return;
    const double half = 0.5 / (a + 1.0);
    add(nb[kLeft], half * cell->dx);
    add(nb[kRight], -half * cell->dx);
    add(nb[kBelow], half * cell->dy);
    add(nb[kAbove], -half * cell->dy);
  };
  if (border) {
    const BorderNode& b = *border;
    if (b.termCount == 0) return;
    const bool tied = b.cell >= 0 && b.nb[0] >= 0 && b.nb[1] >= 0 && b.nb[2] >= 0 && b.nb[3] >= 0;
    blend(tied ? &grid_.cells_[static_cast<std::size_t>(b.cell)] : nullptr, b.nb, [&](double share) {
      const double k = share / b.weight;
      const EstimateTerm* t = grid_.terms_.data() + b.firstTerm;
      for (const EstimateTerm* end = t + b.termCount; t < end; ++t) {
        const double c = k * kTermWeight[t->kind];
        switch (t->kind) {
          case kMidpoint: add(t->a, c / 2); add(t->b, c / 2); break;
          case kExtrapolation: add(t->a, 2 * c); add(t->b, -c); break;
          default: add(t->a, c); add(t->b, c); add(t->e, -c); break;
        }
      }
    });
    return;
  }
  // An interior node: the stencil, and the tie when it holds data.
  const std::int32_t nb[4] = {node + 1, node + w, node - 1, node - w};
  const bool plain = grid_.flags_[static_cast<std::size_t>(node)] & kPlainFlag;
  blend(plain ? nullptr : &grid_.cells_[static_cast<std::size_t>(grid_.CellAt(node))], nb, [&](double share) {
    for (const std::int32_t d : {1, -1, w, -w}) add(node + d, share * kDirect);
    for (const std::int32_t d : {w + 1, w - 1, -w + 1, -w - 1}) add(node + d, -share * kDiagonal);
    for (const std::int32_t d : {2, -2, 2 * w, -2 * w}) add(node + d, -share * kFar);
  });
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
  // I - C, C holding the coefficients of each node's update on the strip's
  // nodes (the values outside it are held).
  s.lu = BandLU(count, reach_);
  const auto place = [&](std::int32_t m) -> std::ptrdiff_t {   // m's place in the strip, or -1
    const int i = m % grid_.nx_, j = m / grid_.nx_;
    const int a = alongX ? i - i0 : j - j0, c = alongX ? j - j0 : i - i0;
    return a >= 0 && a < length && c >= 0 && c < w ? a * w + c : -1;
  };
  std::vector<double> row(static_cast<std::size_t>(2 * reach_ + 1));   // coefficients at k - reach_ .. k + reach_
  for (std::size_t k = 0; k < count; ++k) {
    s.lu.At(k, k) = 1.0f;
    std::fill(row.begin(), row.end(), 0.0);
    Coefficients(s.nodes[k], s.border[k], [&](std::int32_t m, double c) {
      if (const std::ptrdiff_t at = place(m); at >= 0) row[static_cast<std::size_t>(at - static_cast<std::ptrdiff_t>(k) + reach_)] += c;
    });
    for (int d = -reach_; d <= reach_; ++d) {
      const std::ptrdiff_t m = static_cast<std::ptrdiff_t>(k) + d;
      const double c = row[static_cast<std::size_t>(d + reach_)];
      if (c != 0.0) s.lu.At(k, static_cast<std::size_t>(m)) -= c;
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
