#pragma once
// Net files and grid files as raster grids.
#include <string>

#include "exchange/raster/gdal_raster.h"
#include "exchange/raster/raster_grid.h"
#include "io/grid/net_file_reader.h"
#include "model/contour/knode_grid.h"

// Every node of net with its value (a net file has no empty nodes).
KRasterGrid RasterOfNet(const KNetFile& net);
// The values and placement of raster as a node grid (nothing cut).
KNodeGrid NodeGridOfRaster(const KRasterGrid& raster);

// Reads the net file at netPath and writes it as a raster (WriteRaster);
// the result names the file at fault. Nothing is written on failure.
KResult ExportNetFile(const std::string& netPath, const std::string& output, const KRasterExport& options);
