#pragma once
// A world rectangle: min x, max x, min y, max y. Empty when min > max.
struct KExtent {
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
};
