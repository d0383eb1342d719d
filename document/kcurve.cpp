#include "document/kcurve.h"

#include <algorithm>

void KCurve::Allocate(int n) {
  count = std::max(n, 0);
  block_.assign(4 * Stride(), 0.0);
}

void KCurve::FillSpareSlots() {
  if (count < 1) return;
  const std::size_t stride = Stride();
  const std::size_t n = static_cast<std::size_t>(count);
  // A one-point curve repeats its only point in both slots.
  const std::size_t second = count > 1 ? 1 : 0;
  for (std::size_t a = 0; a < 4; ++a) {
    double* values = block_.data() + a * stride;
    values[n] = values[0];
    values[n + 1] = values[second];
  }
}
