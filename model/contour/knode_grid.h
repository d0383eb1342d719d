#pragma once
// A regular grid of node values with the links between neighbouring nodes
// that may be cut (a fault crosses them) and the nodes that belong to the
// surface at all. The contouring and the net-grid picture read it; it holds
// no file format of its own (io/grid/net_node_grid.h fills it from a net
// file).
#include <cstddef>
#include <cstdint>
#include <vector>

struct KNodeGrid {
  int nx = 0, ny = 0;
  double x0 = 0, y0 = 0;  // world position of node (0, 0)
  double dx = 1, dy = 1;  // node spacing
  // Node (i, j) at i + j * nx; row 0 is at y0 (the bottom).
  std::vector<double> values;
  // cutX[i + j * nx]: the link from (i, j) to (i + 1, j) is cut; cutY the
  // link from (i, j) to (i, j + 1). Either empty (nothing cut) or nx * ny.
  std::vector<std::uint8_t> cutX, cutY;
  // Either empty (every node belongs) or nx * ny: 0 leaves the node out.
  std::vector<std::uint8_t> inside;

  std::size_t Index(int i, int j) const { return static_cast<std::size_t>(i) + static_cast<std::size_t>(j) * nx; }
  double Value(int i, int j) const { return values[Index(i, j)]; }
  bool Inside(int i, int j) const { return inside.empty() || inside[Index(i, j)] != 0; }
  bool CutX(int i, int j) const { return !cutX.empty() && cutX[Index(i, j)] != 0; }
  bool CutY(int i, int j) const { return !cutY.empty() && cutY[Index(i, j)] != 0; }
  // Both ends belong and the link between them is not cut.
  bool OpenX(int i, int j) const { return Inside(i, j) && Inside(i + 1, j) && !CutX(i, j); }
  bool OpenY(int i, int j) const { return Inside(i, j) && Inside(i, j + 1) && !CutY(i, j); }
  double WorldX(double gi) const { return x0 + gi * dx; }
  double WorldY(double gj) const { return y0 + gj * dy; }
  // Smallest and largest finite value of the nodes that belong; false when
  // there is none.
  bool Range(double& lo, double& hi) const;
};
