#pragma once
// Lists of doubles compared in one expectation:
//   EXPECT_THAT(Doubles{d.minX, d.maxX}, DoublesAre({-5, 20}));
// each within four units in the last place, every mismatch named by index.
#include <gmock/gmock.h>

#include <vector>

using Doubles = std::vector<double>;

inline auto DoublesAre(std::vector<double> expected) {
  return ::testing::Pointwise(::testing::DoubleEq(), std::move(expected));
}
