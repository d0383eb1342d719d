#pragma once
// Weights shared by the relaxation sweeps and the multigrid solver.

namespace kgrid_stencil {

// Interior stencil: 0.4 (direct) - 0.1 (diagonal) - 0.05 (two steps away).
constexpr double kDirect = 0.4, kDiagonal = 0.1, kFar = 0.05;
// Partial estimates of the other nodes and their weights.
enum TermKind : unsigned char { kMidpoint, kExtrapolation, kPlane };
constexpr double kTermWeight[3] = {4.0, 1.0, 2.0};
// Below this total weight no estimate reached the node.
constexpr double kNoEstimate = 0.3;
// Smoothing weights above this leave only the estimate.
constexpr double kHugeWeight = 1e100;

}  // namespace kgrid_stencil
