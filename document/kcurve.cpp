#include "document/kcurve.h"

#include <algorithm>

void KCurve::Allocate(int n) {
  count = std::max(n, 0);
  block_ = std::make_unique<double[]>(4 * Stride());
}

std::unique_ptr<double[]> KCurve::CopyBlock() const {
  if (!block_) return nullptr;
  const std::size_t size = 4 * Stride();
  auto copy = std::make_unique_for_overwrite<double[]>(size);
  std::copy(block_.get(), block_.get() + size, copy.get());
  return copy;
}

void KCurve::FillSpareSlots() {
  if (count < 1) return;
  const std::size_t stride = Stride();
  const std::size_t n = static_cast<std::size_t>(count);
  // A one-point curve repeats its only point in both slots.
  const std::size_t second = count > 1 ? 1 : 0;
  for (std::size_t a = 0; a < 4; ++a) {
    double* values = block_.get() + a * stride;
    values[n] = values[0];
    values[n + 1] = values[second];
  }
}
