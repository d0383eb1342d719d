#include "io/grid/net_node_grid.h"

#include "model/grid/kcreate_grid.h"

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

KNodeGrid NodeGridFromGrid(const KCreateGrid& grid) {
  KNodeGrid g;
  g.nx = grid.nx();
  g.ny = grid.ny();
  g.x0 = grid.x0();
  g.y0 = grid.y0();
  g.dx = grid.dx();
  g.dy = grid.dy();
  g.values = grid.values();
  const std::size_t total = g.values.size();
  g.cutX.assign(total, 0);
  g.cutY.assign(total, 0);
  for (const KCreateGrid::LinkRecord& rec : grid.linkRecords()) {
    const auto at = static_cast<std::size_t>(rec.owner);
    if (at >= total) continue;
    const int i = rec.owner % g.nx, j = rec.owner / g.nx;
    if (i + 1 < g.nx && rec.links[KCreateGrid::kPlusX] == KCreateGrid::kLinkBlocked) g.cutX[at] = 1;
    if (j + 1 < g.ny && rec.links[KCreateGrid::kPlusY] == KCreateGrid::kLinkBlocked) g.cutY[at] = 1;
  }
  return g;
}
