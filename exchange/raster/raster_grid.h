#pragma once
// A grid of node values as GDAL's rasters and our grid files both see it:
// node (i, j) at i + j * nx with row 0 at y0 (the bottom), node centres at
// x0 + i dx, y0 + j dy. Missing values are NaN.
#include <cstddef>
#include <vector>

struct KRasterGrid {
  int nx = 0, ny = 0;
  double x0 = 0, y0 = 0, dx = 1, dy = 1;
  std::vector<double> values;

  std::size_t Index(int i, int j) const { return static_cast<std::size_t>(i) + static_cast<std::size_t>(j) * nx; }
};

// GDAL's affine transform of a north-up raster whose pixel centres are the
// grid's nodes (pixels are areas: the origin is half a cell beyond the
// first and last nodes), rows running from the top (the largest y).
struct KGeoTransform {
  double originX = 0, pixelWidth = 1, rowRotation = 0, originY = 0, columnRotation = 0, pixelHeight = -1;
};

inline KGeoTransform GeoTransformOf(const KRasterGrid& g) {
  return {g.x0 - g.dx / 2, g.dx, 0, g.y0 + (g.ny - 1) * g.dy + g.dy / 2, 0, -g.dy};
}
