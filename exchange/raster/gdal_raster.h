#pragma once
// Raster grids to and from any raster format GDAL has a driver for.
#include <string>

#include "exchange/raster/raster_grid.h"
#include "platform/base/result.h"

struct KRasterExport {
  std::string format;  // a GDAL driver name; empty: from the extension
  std::string crs;     // recorded in the file where the format can
};

// The GDAL driver for path: format when given, else by extension (.tif
// .tiff GeoTIFF, .nc netCDF, .grd Surfer 7 binary, .asc ESRI ASCII, .zmap ZMap+).
KResultWith<std::string> RasterDriverFor(const std::string& path, const std::string& format);

// Writes grid as one Float64 band (the values the format holds where it
// holds fewer bits), georeferenced so that pixel centres are the nodes.
// Nothing is written on failure, which names the file and the cause.
KResult WriteRaster(const KRasterGrid& grid, const std::string& path, const KRasterExport& options);

// Reads a north-up single-band raster; its nodata value becomes NaN.
// Refuses, naming the file, a raster of several bands, a rotated one, or
// one larger than its file can hold.
KResultWith<KRasterGrid> ReadRaster(const std::string& path);
