#pragma once
// Net files and grid files as raster grids.
#include "exchange/raster/raster_grid.h"
#include "io/grid/net_file_reader.h"
#include "model/contour/knode_grid.h"

// Every node of net with its value (a net file has no empty nodes).
KRasterGrid RasterOfNet(const KNetFile& net);
// The values and placement of raster as a node grid (nothing cut).
KNodeGrid NodeGridOfRaster(const KRasterGrid& raster);
