// quarvel grid3d-import RASTER -o OUT.grd: a single-band GDAL raster as a
// GRID3D grid file, so that a GeoTIFF can lie under a map with a GRID3D
// line. Nodata cells are kept as empty nodes (NaN).
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "exchange/raster/gdal_raster.h"
#include "exchange/raster/net_raster.h"
#include "io/grid/grid_file_writer.h"
#include "programs/quarvel/command.h"
#include "programs/quarvel/exchange_args.h"
#include "programs/quarvel/exchange_usage.h"

namespace {

constexpr const char* kUsage = kGrid3dImportUsage;

KExit RunGrid3dImport(const std::vector<std::string>& args) {
  KExchangeArgs a;
  if (!ParseExchangeArgs(args, "grid3d-import", kUsage, {}, {}, true, a)) return KExit::kUsage;
  KResultWith<KRasterGrid> read = ReadRaster(a.inputs.front());
  if (!read) {
    std::fprintf(stderr, "quarvel grid3d-import: %s; nothing written\n", read.message().c_str());
    return ExitFor(read.status());
  }
  if (const KResult written = WriteGridFile(NodeGridOfRaster(read.value()), a.output, KEmptyNodes::kKeptAsNaN);
      !written) {
    std::fprintf(stderr, "quarvel grid3d-import: raster '%s': %s\n", a.inputs.front().c_str(),
                 written.message().c_str());
    return ExitFor(written.status());
  }
  return KExit::kSuccess;
}

const KCommandRegistrar reg({"grid3d-import", kUsage, &RunGrid3dImport});

}  // namespace
