// SeedFromCoarserCubic: the fast solver's start on a finer level.
//
// The nodes of a level lie a quarter of a coarse step from the coarse
// nodes, so bilinear values miss the surface by about 3/32 of the squared
// step times its curvature everywhere: an error as smooth as the surface,
// which the fast solver's coarse grids cannot remove next to data and which
// would cost it many cycles. Cubic interpolation leaves an error of the
// fourth power of the step.
#include <cmath>
#include <cstdint>
#include <vector>

#include "model/grid/kcreate_grid.h"

namespace {

// Weights of the 4-point Lagrange cubic through nodes -1, 0, 1, 2 at t.
void CubicWeights(double t, double w[4]) {
  w[0] = -t * (t - 1) * (t - 2) / 6;
  w[1] = (t + 1) * (t - 1) * (t - 2) / 2;
  w[2] = -(t + 1) * t * (t - 2) / 2;
  w[3] = (t + 1) * t * (t - 1) / 6;
}

// Where a node of one axis falls on the coarse axis: the coarse node before
// it and the weights; first is -1 where the four nodes do not fit.
struct Tap {
  int first = -1;
  double w[4] = {};
};

// toCoarse(k): node k of the axis in coarse grid units.
template <class ToCoarse>
std::vector<Tap> Taps(int count, int coarseCount, ToCoarse toCoarse) {
  std::vector<Tap> taps(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) {
    const double g = toCoarse(k);
    const double f = std::floor(g);
    if (!(f >= 1 && f + 2 < coarseCount)) continue;
    Tap& t = taps[static_cast<std::size_t>(k)];
    t.first = static_cast<int>(f) - 1;
    CubicWeights(g - f, t.w);
  }
  return taps;
}

}  // namespace

void KCreateGrid::SeedFromCoarserCubic(const KCreateGrid& coarse) {
  const std::vector<Tap> xs = Taps(nx_, coarse.nx_, [&](int i) { return coarse.ToGridX(ToWorldX(i)); });
  const std::vector<Tap> ys = Taps(ny_, coarse.ny_, [&](int j) { return coarse.ToGridY(ToWorldY(j)); });
  // A coarse node usable in a cubic: set, and not next to a break.
  std::vector<std::uint8_t> usable(coarse.NodeTotal());
  for (std::size_t n = 0; n < usable.size(); ++n)
    usable[n] = coarse.LinkRecordOf(static_cast<int>(n)) == kNoLinkRecord && IsSet(coarse.values_[n]);
  // Separable: per fine row, the cubic down each coarse column once (and
  // whether its four nodes are usable), then across for each node.
  const double* z = coarse.values_.data();
  const int cw = coarse.nx_;
  std::vector<double> down(static_cast<std::size_t>(cw));
  std::vector<std::uint8_t> downUsable(static_cast<std::size_t>(cw));
  for (int j = 0; j < ny_; ++j) {
    const Tap& ty = ys[static_cast<std::size_t>(j)];
    if (ty.first >= 0) {
      const std::size_t r = static_cast<std::size_t>(coarse.Index(0, ty.first)), step = static_cast<std::size_t>(cw);
      const double* z0 = z + r;
      const std::uint8_t* u0 = usable.data() + r;
      for (std::size_t c = 0; c < step; ++c) {
        double sum = 0;
        sum += ty.w[0] * z0[c];
        sum += ty.w[1] * z0[c + step];
        sum += ty.w[2] * z0[c + 2 * step];
        sum += ty.w[3] * z0[c + 3 * step];
        down[c] = sum;
        downUsable[c] = u0[c] & u0[c + step] & u0[c + 2 * step] & u0[c + 3 * step];
      }
    }
    for (int i = 0; i < nx_; ++i) {
      double& v = values_[static_cast<std::size_t>(Index(i, j))];
      if (IsSet(v)) continue;
      const Tap& tx = xs[static_cast<std::size_t>(i)];
      bool all = tx.first >= 0 && ty.first >= 0;
      double sum = 0;
      if (all) {
        const std::size_t c = static_cast<std::size_t>(tx.first);
        all = (downUsable[c] & downUsable[c + 1] & downUsable[c + 2] & downUsable[c + 3]) != 0;
        sum += tx.w[0] * down[c];
        sum += tx.w[1] * down[c + 1];
        sum += tx.w[2] * down[c + 2];
        sum += tx.w[3] * down[c + 3];
      }
      v = all ? sum : coarse.BilinearAt(ToWorldX(i), ToWorldY(j));
    }
  }
}
