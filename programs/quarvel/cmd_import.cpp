// quarvel import IN... -o OUT.qvd [--layer-field F] [--z-field F]
// [--name-field F] [--to-crs CRS] [--xyz]: any vector source GDAL reads as
// a drawing: lines and polygon rings as polylines, points as points (or one
// x, y, z list per layer), texts as texts. Geometries with nothing to draw
// are counted in a warning. Every input is read before anything is written.
#include <cstdio>
#include <string>
#include <vector>

#include "exchange/vector/drawing_exchange.h"
#include "programs/quarvel/command.h"
#include "programs/quarvel/exchange_args.h"
#include "programs/quarvel/exchange_usage.h"
#include "window/editor/quarvel_window.h"

namespace {

constexpr const char* kUsage = kImportUsage;

KExit RunImport(const std::vector<std::string>& args) {
  KExchangeArgs a;
  if (!ParseExchangeArgs(args, "import", kUsage, {"--layer-field", "--z-field", "--name-field", "--to-crs"},
                         {"--xyz"}, false, a))
    return KExit::kUsage;
  const KVectorImport options{a.Value("--layer-field"), a.Value("--z-field"), a.Value("--name-field"),
                              a.Value("--to-crs")};
  QuarvelWindow window;
  const KResultWith<KAddedCounts> added = ImportInto(window, a.inputs, options, a.flags.count("--xyz") > 0);
  if (!added) {
    std::fprintf(stderr, "quarvel import: %s; nothing written\n", added.message().c_str());
    return ExitFor(added.status());
  }
  if (const KResult saved = window.Save(a.output); !saved) {
    std::fprintf(stderr, "quarvel import: %s\n", saved.message().c_str());
    return KExit::kFailure;
  }
  if (added.value().skipped)
    std::fprintf(stderr, "quarvel import: warning: %zu geometries skipped (empty, not finite or too short to draw)\n",
                 added.value().skipped);
  return KExit::kSuccess;
}

const KCommandRegistrar reg({"import", kUsage, &RunImport});

}  // namespace
