#include "model/grid/band_lu.h"

#include <algorithm>
#include <cmath>

BandLU::BandLU(std::size_t n, int reach) : n_(n), reach_(reach), a_(n * static_cast<std::size_t>(2 * reach + 1), 0.0f) {}

bool BandLU::Factor(double tiny) {
  const std::size_t band = static_cast<std::size_t>(Band()), reach = static_cast<std::size_t>(reach_);
  for (std::size_t k = 0; k < n_; ++k) {
    const float* pivotRow = &a_[k * band + reach - k];   // pivotRow[m] = (k, m)
    const double pivot = pivotRow[k];
    if (!(std::fabs(pivot) > tiny)) return false;
    const std::size_t last = std::min(n_ - 1, k + reach);
    for (std::size_t i = k + 1; i <= last; ++i) {
      float* row = &a_[i * band + reach - i];   // row[m] = (i, m)
      if (row[k] == 0.0f) continue;
      const double l = row[k] / pivot;
      row[k] = static_cast<float>(l);
      for (std::size_t m = k + 1; m <= last; ++m) row[m] = static_cast<float>(row[m] - l * pivotRow[m]);
    }
  }
  return true;
}

void BandLU::Solve(std::vector<double>& x) const {
  const std::size_t band = static_cast<std::size_t>(Band()), reach = static_cast<std::size_t>(reach_);
  for (std::size_t k = 0; k < n_; ++k) {
    const float* row = &a_[k * band + reach - k];
    double y = x[k];
    for (std::size_t m = k > reach ? k - reach : 0; m < k; ++m) y -= row[m] * x[m];
    x[k] = y;
  }
  for (std::size_t k = n_; k-- > 0;) {
    const float* row = &a_[k * band + reach - k];
    double v = x[k];
    for (std::size_t m = k + 1, last = std::min(n_ - 1, k + reach); m <= last; ++m) v -= row[m] * x[m];
    x[k] = v / row[k];
  }
}
