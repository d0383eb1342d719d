#pragma once
// The coloured picture of a GRID3D grid: one pixel per node.
#include "model/grid/kcolor_table.h"
#include "platform/device/kimage.h"

class KGridFile;

// Sets colours to the eight-colour scale over the grid's value range and
// returns an opaque nx x ny image whose pixel (m, r) has the colour of node
// (m, ny - 1 - r): the top row shows the grid's last row, which lies
// furthest up in the world. A grid without values gives an empty image (and
// leaves colours untouched).
KImage BuildGridImage(const KGridFile& grid, KColorTable& colours);
