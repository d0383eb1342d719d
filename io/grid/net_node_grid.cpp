#include "io/grid/net_node_grid.h"

KNodeGrid NodeGridFromNet(const KNetFile& net) {
  KNodeGrid g;
  g.nx = net.nx;
  g.ny = net.ny;
  g.x0 = net.x0;
  g.y0 = net.y0;
  g.dx = net.dx;
  g.dy = net.dy;
  const std::size_t total = static_cast<std::size_t>(net.nx) * static_cast<std::size_t>(net.ny);
  if (net.nodes.size() != total || net.columns.size() != static_cast<std::size_t>(net.nx)) return KNodeGrid();
  g.values.resize(total);
  g.cutX.assign(total, 0);
  g.cutY.assign(total, 0);
  // A checked file numbers its nodes strip by strip, so walking the strips
  // visits each node once and needs no search.
  for (int i = 0; i < net.nx; ++i)
    for (const knet::Strip& s : net.columns[static_cast<std::size_t>(i)])
      for (int k = 0; k < s.count; ++k) {
        const int j = s.firstRow + k;
        const knet::Node& n = net.nodes[static_cast<std::size_t>(s.firstNode + k)];
        const std::size_t at = g.Index(i, j);
        g.values[at] = n.value;
        if (i + 1 < net.nx && n.links[knet::kPlusX] == knet::kNoLink) g.cutX[at] = 1;
        if (j + 1 < net.ny && n.links[knet::kPlusY] == knet::kNoLink) g.cutY[at] = 1;
      }
  return g;
}
