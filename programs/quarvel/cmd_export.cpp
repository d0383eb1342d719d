// quarvel export IN... -o OUT [--format NAME] [--crs CRS]: the drawings'
// polylines (closed ones as polygons), points, x, y, z points and texts as
// GIS features through GDAL, with their layer, name, z, code, colour and
// width. What does not travel (insertions, pictures, grids) is counted in a
// warning.
#include <cstdio>
#include <string>
#include <vector>

#include "exchange/vector/drawing_exchange.h"
#include "programs/quarvel/command.h"
#include "programs/quarvel/exchange_args.h"
#include "programs/quarvel/exchange_usage.h"
#include "programs/quarvel/open_input.h"
#include "programs/quarvel/printed_warnings.h"
#include "window/editor/quarvel_window.h"

namespace {

constexpr const char* kUsage = kExportUsage;

KExit RunExport(const std::vector<std::string>& args) {
  KExchangeArgs a;
  if (!ParseExchangeArgs(args, "export", kUsage, {"--format", "--crs"}, {}, false, a)) return KExit::kUsage;
  QuarvelWindow window;
  KPrintedWarnings warnings("export");
  for (const std::string& input : a.inputs)
    if (const KResult opened = OpenInput(window, input, &warnings); !opened) {
      std::fprintf(stderr, "quarvel export: %s; nothing written\n", opened.message().c_str());
      return ExitFor(opened.status());
    }
  const KResultWith<std::size_t> written = ExportDrawing(window, a.output, {a.Value("--format"), a.Value("--crs")});
  if (!written) {
    std::fprintf(stderr, "quarvel export: %s; nothing written\n", written.message().c_str());
    return ExitFor(written.status());
  }
  if (written.value())
    std::fprintf(stderr, "quarvel export: warning: %zu entries left out (insertions, pictures, grids, "
                 "step lists and polylines too short for their shape do not travel)\n", written.value());
  return KExit::kSuccess;
}

const KCommandRegistrar reg({"export", kUsage, &RunExport});

}  // namespace
