#pragma once
// The node grid of a net file, for contouring and drawing: every node with
// its value, a link cut where the file has none between two neighbours
// inside the grid (a break line crosses it, which also ends a strip).
#include "model/contour/knode_grid.h"
#include "io/grid/net_file_reader.h"

KNodeGrid NodeGridFromNet(const KNetFile& net);
