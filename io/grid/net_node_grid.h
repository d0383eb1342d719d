#pragma once
// The node grid of a net file, for contouring and drawing: every node with
// its value, a link cut where the file has none between two neighbours
// inside the grid (a break line crosses it, which also ends a strip).
#include "model/contour/knode_grid.h"
#include "io/grid/net_file_reader.h"

class KCreateGrid;

KNodeGrid NodeGridFromNet(const KNetFile& net);
// The node grid of a relaxed grid as its net file would hold it: the same
// values, and a link cut where a link record blocks it (so the same as
// NodeGridFromNet of the file WriteNetFile writes).
KNodeGrid NodeGridFromGrid(const KCreateGrid& grid);
