// Starting values: data nodes, spreading, the coarser level, filling.
#include <cmath>

#include "grid/kcreate_grid.h"

namespace {
// Rounds of FillUnset before the rest takes the data mean.
constexpr int kFillRounds = 4;
}  // namespace

void KCreateGrid::SeedFromData() {
  double sum = 0.0;
  const std::size_t total = NodeTotal();
  for (std::size_t n = 0; n < total; ++n) {
    const std::int32_t c = cellOf_[n];
    if (c < 0) continue;
    values_[n] = cells_[static_cast<std::size_t>(c)].z;
    sum += values_[n];
  }
  // No cell at all (every point outside or beside a fault): 0 rather than a
  // division by zero; the driver refuses a first level without data.
  dataMean_ = cells_.empty() ? 0.0 : sum / static_cast<double>(cells_.size());
}

int KCreateGrid::SpreadAxis(int node, int axis) {
  int set = 0;
  for (int d : {axis, axis + 2}) {
    const int nb = Neighbour(node, d);
    if (nb >= 0 && !IsSet(values_[static_cast<std::size_t>(nb)])) {
      values_[static_cast<std::size_t>(nb)] = values_[static_cast<std::size_t>(node)];
      ++set;
    }
  }
  return set;
}

void KCreateGrid::SpreadFromData() {
  const int total = static_cast<int>(NodeTotal());
  for (int n = 0; n < total; ++n) {
    if (cellOf_[static_cast<std::size_t>(n)] < 0) continue;
    SpreadAxis(n, kPlusX);
    SpreadAxis(n, kPlusY);
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
  for (int j = 0; j < ny_; ++j) {
    const double y = ToWorldY(j);
    for (int i = 0; i < nx_; ++i) {
      double& v = values_[static_cast<std::size_t>(Index(i, j))];
      if (!IsSet(v)) v = coarse.BilinearAt(ToWorldX(i), y);
    }
  }
}

void KCreateGrid::FillUnset() {
  const int total = static_cast<int>(NodeTotal());
  for (int round = 0; round < kFillRounds; ++round) {
    int set = 0;
    for (int n = 0; n < total; ++n)
      if (IsSet(values_[static_cast<std::size_t>(n)])) set += SpreadAxis(n, kPlusY);
    if (set == 0) break;
    set = 0;
    for (int i = 0; i < nx_; ++i)
      for (int j = 0; j < ny_; ++j) {
        const int n = Index(i, j);
        if (IsSet(values_[static_cast<std::size_t>(n)])) set += SpreadAxis(n, kPlusX);
      }
    if (set == 0) break;
  }
  for (double& v : values_)
    if (!IsSet(v)) v = dataMean_;
}
