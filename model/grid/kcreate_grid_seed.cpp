// Starting values: data nodes, spreading, the coarser level, filling.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "model/grid/kcreate_grid.h"

namespace {
// Rounds of FillUnset before the rest takes the data mean.
constexpr int kFillRounds = 4;
}  // namespace

void KCreateGrid::SeedFromData() {
  // The cells are numbered in index order, so the sum runs as a walk over
  // the nodes would.
  double sum = 0.0;
  for (std::size_t c = 0; c < cells_.size(); ++c) {
    const double z = cells_[c].z;
    values_[static_cast<std::size_t>(cellNode_[c])] = z;
    sum += z;
  }
  // No cell at all (every point outside or beside a fault): 0 rather than a
  // division by zero; the driver refuses a first level without data.
  dataMean_ = cells_.empty() ? 0.0 : sum / static_cast<double>(cells_.size());
}

int KCreateGrid::SpreadAxis(int node, int axis, int at) {
  // The neighbours along the axis, forward then back, when the link is open.
  const int count = axis == kPlusX ? nx_ : ny_;
  const int step = axis == kPlusX ? 1 : nx_;
  int set = 0;
  const double v = values_[static_cast<std::size_t>(node)];
  if (at + 1 < count && LinkOpen(node, axis) && !IsSet(values_[static_cast<std::size_t>(node + step)])) {
    values_[static_cast<std::size_t>(node + step)] = v;
    ++set;
  }
  if (at > 0 && LinkOpen(node, axis + 2) && !IsSet(values_[static_cast<std::size_t>(node - step)])) {
    values_[static_cast<std::size_t>(node - step)] = v;
    ++set;
  }
  return set;
}

void KCreateGrid::SpreadFromData() {
  for (const std::int32_t n : cellNode_) {
    SpreadAxis(n, kPlusX, n % nx_);
    SpreadAxis(n, kPlusY, n / nx_);
  }
}

double KCreateGrid::BilinearAt(double x, double y) const {
  const double gx = ToGridX(x), gy = ToGridY(y);
  const double ti = std::trunc(gx), tj = std::trunc(gy);
  if (!(ti >= 0 && ti < nx_ && tj >= 0 && tj < ny_)) return kUnset;
  const int i = static_cast<int>(ti), j = static_cast<int>(tj);
  const int n00 = Index(i, j);
  if (LinkRecordOf(n00) != kNoLinkRecord) return kUnset;
  const int n10 = Neighbour(n00, kPlusX);
  const int n11 = n10 >= 0 ? Neighbour(n10, kPlusY) : -1;
  const int n01 = Neighbour(n00, kPlusY);
  if (n10 < 0 || n11 < 0 || n01 < 0) return kUnset;
  if (LinkRecordOf(n10) != kNoLinkRecord || LinkRecordOf(n11) != kNoLinkRecord ||
      LinkRecordOf(n01) != kNoLinkRecord)
    return kUnset;
  const double u = gx - i, v = gy - j;
  const auto z = [&](int n) { return values_[static_cast<std::size_t>(n)]; };
  return ((1 - u) * z(n00) + u * z(n10)) * (1 - v) + v * ((1 - u) * z(n01) + u * z(n11));
}

void KCreateGrid::SeedFromCoarser(const KCreateGrid& coarse) {
  // BilinearAt's arithmetic, with the per-column and per-row parts worked
  // out once: the same operations on the same operands, so the same bits.
  struct Axis {
    double u;
    int cell;   // the coarse cell's lower node, -1 when none
  };
  const auto axis = [](int count, int coarseCount, auto toGrid) {
    std::vector<Axis> out(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
      const double g = toGrid(k);
      const double t = std::trunc(g);
      // The upper corner must exist too; without it BilinearAt finds no
      // neighbour and gives nothing.
      const bool inside = t >= 0 && t + 1 < coarseCount;
      out[static_cast<std::size_t>(k)] = {g - t, inside ? static_cast<int>(t) : -1};
    }
    return out;
  };
  const std::vector<Axis> cols = axis(nx_, coarse.nx_, [&](int i) { return coarse.ToGridX(ToWorldX(i)); });
  const std::vector<Axis> rows = axis(ny_, coarse.ny_, [&](int j) { return coarse.ToGridY(ToWorldY(j)); });

  const std::ptrdiff_t cw = coarse.nx_;
  const double* cz = coarse.values_.data();
  const std::int32_t* clink = coarse.linkOf_.data();
  const bool anyLink = !coarse.links_.empty();
  for (int j = 0; j < ny_; ++j) {
    const Axis r = rows[static_cast<std::size_t>(j)];
    double* row = values_.data() + static_cast<std::ptrdiff_t>(j) * nx_;
    for (int i = 0; i < nx_; ++i) {
      double& v = row[i];
      if (IsSet(v)) continue;
      const Axis c = cols[static_cast<std::size_t>(i)];
      if (c.cell < 0 || r.cell < 0) {
        v = kUnset;
        continue;
      }
      const std::ptrdiff_t n00 = c.cell + r.cell * cw;
      // A corner next to a break crossing gives nothing (its links may be
      // cut, and the other side's values do not belong here).
      if (anyLink && (clink[n00] != kNoLinkRecord || clink[n00 + 1] != kNoLinkRecord ||
                      clink[n00 + cw] != kNoLinkRecord || clink[n00 + cw + 1] != kNoLinkRecord)) {
        v = kUnset;
        continue;
      }
      const double u = c.u, w = r.u;
      v = ((1 - u) * cz[n00] + u * cz[n00 + 1]) * (1 - w) + w * ((1 - u) * cz[n00 + cw] + u * cz[n00 + cw + 1]);
    }
  }
}

void KCreateGrid::FillUnset() {
  // A coarser level usually leaves nothing unset; one look then suffices.
  if (std::all_of(values_.begin(), values_.end(), IsSet)) return;
  for (int round = 0; round < kFillRounds; ++round) {
    int set = 0;
    for (int j = 0; j < ny_; ++j)
      for (int i = 0, n = Index(0, j); i < nx_; ++i, ++n)
        if (IsSet(values_[static_cast<std::size_t>(n)])) set += SpreadAxis(n, kPlusY, j);
    if (set == 0) break;
    // Along x each row fills on its own, so rows in turn give what columns
    // in turn would, with the nodes in memory order.
    set = 0;
    for (int j = 0; j < ny_; ++j)
      for (int i = 0, n = Index(0, j); i < nx_; ++i, ++n)
        if (IsSet(values_[static_cast<std::size_t>(n)])) set += SpreadAxis(n, kPlusX, i);
    if (set == 0) break;
  }
  for (double& v : values_)
    if (!IsSet(v)) v = dataMean_;
}
