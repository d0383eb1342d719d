#pragma once
// A regular grid of values read from a binary grid file (GRID3D, entry kind
// 204). It has the shape of a bitmap element so the raster drawing places
// both alike; its image is coloured from the values when it is read.
#include <cstdint>
#include <string>
#include <vector>

#include "model/document/elements.h"
#include "model/grid/kcolor_table.h"
#include "platform/base/shared_vector.h"

// The binary grid file: a 99-byte little-endian header, then nx * ny values.
class KGridFile {
public:
  int nx = 0;                 // nodes per row (columns)
  int ny = 0;                 // rows
  double x0 = 0, y0 = 0;      // world position of node (0, 0)
  double dx = 0, dy = 0;      // node spacing
  double zMin = 0, zMax = 0;  // after loading: smallest and largest value
  std::uint8_t storage = 0;   // 2: uint16, 4: uint32, else double
  // Node (column i, row j) at i + j * nx; row 0 is at y0 (the bottom).
  // Either empty or exactly nx * ny values; copies of a grid share them
  // until one is changed.
  KSharedVector<double> values;

  bool HasValues() const { return !values.empty(); }
};

class KGrid3D : public KBmpIn {
public:
  KGridFile grid;       // the loaded values; the image is coloured from them
  KColorTable colours;  // eight colours over the loaded value range
};
