// Relaxation: Gauss-Seidel sweeps in index order with over-relaxation.
// Interior nodes use the 13-point biharmonic stencil straight from the value
// array; nodes near the border or a fault average the partial estimates that
// their neighbour steps allow.
#include <algorithm>
#include <cmath>

#include "grid/kcreate_grid.h"

namespace {

// Interior stencil: 0.4 (direct) - 0.1 (diagonal) - 0.05 (two steps away).
constexpr double kDirect = 0.4, kDiagonal = 0.1, kFar = 0.05;
// Weights of the partial estimates.
constexpr double kMidpointWeight = 4.0, kExtrapolationWeight = 1.0, kPlaneWeight = 2.0;
// Below this total weight no estimate reached the node.
constexpr double kNoEstimate = 0.3;
// Sweeps between two progress reports; the first comes after the 9th sweep.
constexpr int kReportEvery = 10;
// Smoothing weights above this leave only the estimate.
constexpr double kHugeWeight = 1e100;
// A change this many times the data's magnitude means the sweeps diverge.
constexpr double kDivergeFactor = 1e6;

}  // namespace

void KCreateGrid::MarkInterior() {
  std::fill(flags_.begin(), flags_.end(), 0);
  const auto free = [&](int n) { return linkOf_[static_cast<std::size_t>(n)] == kNoLinkRecord; };
  for (int j = 2; j <= ny_ - 3; ++j)
    for (int i = 2; i <= nx_ - 3; ++i) {
      const int n = Index(i, j);
      if (free(n) && free(n - 1) && free(n + 1) && free(n - nx_) && free(n + nx_))
        flags_[static_cast<std::size_t>(n)] =
            kInteriorFlag | (cellOf_[static_cast<std::size_t>(n)] < 0 ? kPlainFlag : 0);
    }
}

bool KCreateGrid::GeneralEstimate(int node, double& estimate) const {
  const double* z = values_.data();
  double sum = 0.0, weight = 0.0;
  const auto add = [&](double w, double value) {
    sum += w * value;
    weight += w;
  };

  int nb[4], dg[4];
  for (int d = 0; d < 4; ++d) nb[d] = Neighbour(node, d);
  for (int d = 0; d < 4; ++d) dg[d] = Diagonal(node, d);

  for (int axis = 0; axis < 2; ++axis)   // axis midpoints
    if (nb[axis] >= 0 && nb[axis + 2] >= 0) add(kMidpointWeight, (z[nb[axis]] + z[nb[axis + 2]]) / 2);
  for (int d = 0; d < 4; ++d) {          // axis extrapolations
    if (nb[d] < 0) continue;
    const int far = Neighbour(nb[d], d);
    if (far >= 0) add(kExtrapolationWeight, 2 * z[nb[d]] - z[far]);
  }
  for (int d = 0; d < 2; ++d)            // diagonal midpoints
    if (dg[d] >= 0 && dg[d + 2] >= 0) add(kMidpointWeight, (z[dg[d]] + z[dg[d + 2]]) / 2);
  for (int d = 0; d < 4; ++d) {          // diagonal extrapolations
    if (dg[d] < 0) continue;
    const int far = Diagonal(dg[d], d);
    if (far >= 0) add(kExtrapolationWeight, 2 * z[dg[d]] - z[far]);
  }
  for (int d = 0; d < 4; ++d) {          // planes through three neighbours
    const int a = nb[d], b = nb[(d + 1) % 4];
    if (a < 0 || b < 0) continue;
    const int e = Neighbour(b, d);
    if (e >= 0) add(kPlaneWeight, z[a] + z[b] - z[e]);
  }
  if (weight < kNoEstimate) return false;
  estimate = sum / weight;
  return true;
}

double KCreateGrid::RelaxPlainRun(int& node, int end, double largest) {
  // Interior nodes without data, left to right. The value just written is
  // carried to the next node in a register, and the terms that do not
  // depend on it are summed first, so that the in-place chain from node to
  // node is one multiply and one add.
  double* z = values_.data();
  const std::ptrdiff_t w = nx_;
  const double factor = relaxation.factor;
  const double leftWeight = factor * kDirect;
  const std::uint8_t* flags = flags_.data();
  int n = node;
  double left = z[n - 1];
  for (; n < end && (flags[n] & kPlainFlag); ++n) {
    const double* p = z + n;
    const double rest = kDirect * (p[1] + p[-w] + p[w]) -
                        kDiagonal * (p[-w - 1] + p[-w + 1] + p[w - 1] + p[w + 1]) -
                        kFar * (p[-2] + p[2] + p[-2 * w] + p[2 * w]);
    if (rest + kDirect * left > kUnsetAbove) {      // no usable estimate
      left = p[0];
      continue;
    }
    const double partial = rest - p[0];             // change without the left term
    const double base = p[0] + factor * partial;
    const double value = base + leftWeight * left;  // z + factor * change
    const double change = partial + kDirect * left;
    z[n] = value;
    left = value;
    largest = std::max(largest, std::fabs(change));
  }
  node = n;
  return largest;
}

double KCreateGrid::RelaxNode(int n, double largest) {
  double* z = values_.data();
  const std::ptrdiff_t w = nx_;
  const bool interior = (flags_[static_cast<std::size_t>(n)] & kInteriorFlag) != 0;
  double* p = z + n;
  double estimate;
  if (interior) {
    estimate = kDirect * (p[-1] + p[1] + p[-w] + p[w]) -
               kDiagonal * (p[-w - 1] + p[-w + 1] + p[w - 1] + p[w + 1]) -
               kFar * (p[-2] + p[2] + p[-2 * w] + p[2 * w]);
  } else if (!GeneralEstimate(n, estimate)) {
    return largest;
  }
  if (estimate > kUnsetAbove) return largest;

  double target = estimate;
  const std::int32_t c = cellOf_[static_cast<std::size_t>(n)];
  if (c >= 0) {
    int nb[4];
    if (interior) {
      nb[kPlusX] = n + 1;
      nb[kPlusY] = n + nx_;
      nb[kMinusX] = n - 1;
      nb[kMinusY] = n - nx_;
    } else {
      for (int d = 0; d < 4; ++d) nb[d] = Neighbour(n, d);
    }
    if (nb[0] >= 0 && nb[1] >= 0 && nb[2] >= 0 && nb[3] >= 0) {
      const DataCell& cell = cells_[static_cast<std::size_t>(c)];
      // Twice the downhill slopes move the data from the points' mean
      // position to the node.
      const double gx2 = z[nb[kMinusX]] - z[nb[kPlusX]];
      const double gy2 = z[nb[kMinusY]] - z[nb[kPlusY]];
      const double tied = cell.z + 0.5 * (gx2 * cell.dx + gy2 * cell.dy);
      // A negative weight would let the blend divide by zero.
      const double a = std::max(0.0, smooth * cell.w);
      // Beyond kHugeWeight the tie is below the estimate's precision, and
      // a * estimate could overflow.
      target = a > kHugeWeight ? estimate : (tied + a * estimate) / (a + 1.0);
    }
  }
  const double change = target - *p;
  *p += relaxation.factor * change;
  return std::fabs(change) > largest ? std::fabs(change) : largest;
}

double KCreateGrid::Sweep() {
  double largest = 0.0;
  const std::uint8_t* flags = flags_.data();
  for (int j = 0; j < ny_; ++j) {
    const int end = Index(0, j) + nx_;
    for (int n = Index(0, j); n < end;) {
      if (flags[n] & kPlainFlag) {
        largest = RelaxPlainRun(n, end, largest);
      } else {
        largest = RelaxNode(n, largest);
        ++n;
      }
    }
  }
  return largest;
}

int KCreateGrid::Relax(double precision, int limit, KRelaxListener* listener) {
  MarkInterior();
  sweepsRun_ = 0;
  lastChange_ = 0.0;
  int counter = 1;
  const double bound = DivergenceBound();
  for (int k = 0; k < limit; ++k) {
    const double change = Sweep();
    ++sweepsRun_;
    lastChange_ = change;
    // A NaN change would otherwise pass for "nothing changed".
    if (!std::isfinite(change) || change > bound) return kDiverged;
    // A sweep that changed nothing has converged whatever the precision.
    // The largest change skips NaN nodes, so the values are checked too.
    if (change < precision || change <= 0) return ValuesSound() ? 0 : kDiverged;
    relaxation.Update(change);
    if (++counter == kReportEvery) {
      counter = 0;
      if (!ValuesSound()) return kDiverged;
      if (listener) {
        const int answer = listener->OnTenthSweep(k, change, relaxation.factor);
        if (answer != 0) return answer;
      }
    }
  }
  return ValuesSound() ? 0 : kDiverged;
}

double KCreateGrid::DivergenceBound() const {
  double magnitude = std::fabs(dataMean_);
  for (const DataCell& c : cells_) magnitude = std::max(magnitude, std::fabs(c.z));
  // All-zero data still allows round-off-sized changes.
  return kDivergeFactor * std::max(magnitude, 1e-300);
}

bool KCreateGrid::ValuesSound() const {
  const double bound = DivergenceBound();
  for (double v : values_)
    if (!(std::fabs(v) <= bound)) return false;
  return true;
}
