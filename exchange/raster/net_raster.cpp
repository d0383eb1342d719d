#include "exchange/raster/net_raster.h"

#include "io/grid/net_node_grid.h"

KRasterGrid RasterOfNet(const KNetFile& net) {
  const KNodeGrid nodes = NodeGridFromNet(net);
  return {nodes.nx, nodes.ny, nodes.x0, nodes.y0, nodes.dx, nodes.dy, nodes.values};
}

KNodeGrid NodeGridOfRaster(const KRasterGrid& raster) {
  KNodeGrid nodes;
  nodes.nx = raster.nx;
  nodes.ny = raster.ny;
  nodes.x0 = raster.x0;
  nodes.y0 = raster.y0;
  nodes.dx = raster.dx;
  nodes.dy = raster.dy;
  nodes.values = raster.values;
  return nodes;
}

KResult ExportNetFile(const std::string& netPath, const std::string& output, const KRasterExport& options) {
  KNetFile net;
  if (KResult read = ReadNetFile(netPath, net); !read) return read;
  return WriteRaster(RasterOfNet(net), output, options);
}
