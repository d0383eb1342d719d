#pragma once
// The strips of nodes along the grid's edge, solved directly (fast solver).
//
// The nodes by the edge take border estimates from the nodes beside them.
// Error that is smooth along the edge leaves those equations a node a sweep,
// and no coarse grid carries it. With the nodes outside a strip held, the
// strip's equations are a banded system: each node's update is affine in
// the values within two nodes of it. Numbered across the strip first, those
// lie within 3 * width - 1 places of it. The system is factored once per
// relaxation. Each cycle then solves it for the residual.
#include <cstdint>
#include <vector>

#include "model/grid/band_lu.h"
#include "model/grid/kcreate_grid.h"

class KCreateGrid::EdgeStrips {
public:
  // Strips width nodes wide along the four edges (the bottom and top ones
  // full length, the side ones between them). None when the grid is under
  // three widths across, or a strip's system will not factor without
  // pivoting: the edge is then left to the sweeps.
  EdgeStrips(KCreateGrid& grid, int width);
  bool empty() const { return strips_.empty(); }
  // Solves the strips in turn, each with the values outside it as they
  // stand; returns the largest change made.
  double Solve();

private:
  struct Strip {
    std::vector<std::int32_t> nodes;          // band order: across, then along
    std::vector<const BorderNode*> border;    // each node's entry, or null when interior
    BandLU lu{0, 0};                          // factors of I - C
  };
  // What one sweep at factor 1 would set node to; false when nothing reaches it.
  bool Target(std::int32_t node, const BorderNode* border, double& target) const;
  // The coefficients of node's update at factor 1, an affine map of the
  // values: add(m, c) for each value m it reads (m may come again), none
  // when nothing reaches the node.
  template <class Add>
  void Coefficients(std::int32_t node, const BorderNode* border, Add add) const;
  // Takes each node's coefficients and factors I - C.
  bool Build(Strip& s, int i0, int j0, bool alongX, int length);

  KCreateGrid& grid_;
  int width_, reach_;
  std::vector<Strip> strips_;
  std::vector<double> rhs_;
};
