#include "model/grid/band_lu.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(BandLU, SolvesAPentadiagonalSystemWithoutPivoting) {
  // A x = b with x = (1, 2, 3, 4, 5), b worked out by hand; the entries
  // two places off the diagonal reach the band's edge.
  const double a[5][5] = {{4, -1, 1, 0, 0}, {-1, 4, -1, 1, 0}, {1, -1, 4, -1, 1}, {0, 1, -1, 4, -1}, {0, 0, 1, -1, 4}};
  BandLU lu(5, 2);
  for (std::size_t k = 0; k < 5; ++k)
    for (std::size_t m = k < 2 ? 0 : k - 2; m < 5 && m <= k + 2; ++m) lu.At(k, m) = a[k][m];
  ASSERT_TRUE(lu.Factor(1e-12));
  // The factors are floats: a few float roundings off, but no more.
  constexpr double kNear = 1e-6;
  std::vector<double> x = {5, 8, 12, 10, 19};
  lu.Solve(x);
  for (std::size_t k = 0; k < 5; ++k) EXPECT_NEAR(x[k], static_cast<double>(k + 1), kNear) << k;
  // Once factored, it solves again for another right-hand side: x = e_0.
  std::vector<double> y = {4, -1, 1, 0, 0};
  lu.Solve(y);
  EXPECT_NEAR(y[0], 1.0, kNear);
  for (std::size_t k = 1; k < 5; ++k) EXPECT_NEAR(y[k], 0.0, kNear) << k;
}

TEST(BandLU, RefusesAZeroOrNaNPivot) {
  BandLU swap(2, 1);   // [[0, 1], [1, 0]] needs a row exchange
  swap.At(0, 1) = swap.At(1, 0) = 1;
  EXPECT_FALSE(swap.Factor(1e-12));
  BandLU singular(2, 1);   // [[1, 2], [2, 4]]: the second pivot is 0
  singular.At(0, 0) = 1;
  singular.At(0, 1) = singular.At(1, 0) = 2;
  singular.At(1, 1) = 4;
  EXPECT_FALSE(singular.Factor(1e-12));
  BandLU nan(1, 2);
  nan.At(0, 0) = std::nan("");
  EXPECT_FALSE(nan.Factor(1e-12));
}
