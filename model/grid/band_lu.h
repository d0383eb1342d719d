#pragma once
// LU factors of a square banded matrix, for systems solved many times over.
#include <cstddef>
#include <vector>

// The matrix has n rows; row k holds entries k - reach .. k + reach, kept in
// Band() slots, entry (k, m) at slot reach + m - k. Elimination runs without
// pivoting, so the matrix must not need any (diagonally dominant, or close).
class BandLU {
public:
  // An n x n matrix of zeros with the given half width.
  BandLU(std::size_t n, int reach);
  int Band() const { return 2 * reach_ + 1; }
  std::size_t size() const { return n_; }
  // Entry (k, m), |m - k| <= reach; before Factor.
  float& At(std::size_t k, std::size_t m) { return a_[k * static_cast<std::size_t>(Band()) + static_cast<std::size_t>(reach_) + m - k]; }
  // Replaces the matrix by its factors; false (and the matrix unusable) when
  // a pivot is at most tiny in size or not a number.
  bool Factor(double tiny);
  // Solves in place: x holds the right-hand side and gets the solution.
  void Solve(std::vector<double>& x) const;

private:
  std::size_t n_;
  int reach_;
  // Floats: the factors only steer a correction whose residual the caller
  // takes again in doubles, and they are the strips' largest arrays.
  std::vector<float> a_;
};
