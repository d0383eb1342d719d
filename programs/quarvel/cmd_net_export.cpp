// quarvel net-export NET -o OUT [--format NAME] [--crs CRS]: a net file as a
// GDAL raster (GeoTIFF, netCDF, ZMap+, Surfer, ESRI ASCII grids and any
// other format that can be created), one Float64 band, pixel centres on the
// net's nodes.
#include <cstdio>
#include <string>
#include <vector>

#include "exchange/raster/net_raster.h"
#include "programs/quarvel/command.h"
#include "programs/quarvel/exchange_args.h"
#include "programs/quarvel/exchange_usage.h"

namespace {

constexpr const char* kUsage = kNetExportUsage;

KExit RunNetExport(const std::vector<std::string>& args) {
  KExchangeArgs a;
  if (!ParseExchangeArgs(args, "net-export", kUsage, {"--format", "--crs"}, {}, true, a)) return KExit::kUsage;
  if (const KResult written = ExportNetFile(a.inputs.front(), a.output, {a.Value("--format"), a.Value("--crs")});
      !written) {
    std::fprintf(stderr, "quarvel net-export: %s; nothing written\n", written.message().c_str());
    return ExitFor(written.status());
  }
  return KExit::kSuccess;
}

const KCommandRegistrar reg({"net-export", kUsage, &RunNetExport});

}  // namespace
