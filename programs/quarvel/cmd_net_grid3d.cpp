// quarvel net-grid3d NET -o OUT.grd: writes the nodes of an f(x,y) net file
// as a GRID3D grid file (values as doubles), so that a drawing line
// "GRID3D OUT.grd" places the gridded surface under a map. Every node of a
// net file lies in a strip, so every grid node gets its value; the cut
// links (faults) are not kept.
#include <cstdio>
#include <string>
#include <vector>

#include "io/grid/grid_file_writer.h"
#include "io/grid/net_file_reader.h"
#include "io/grid/net_node_grid.h"
#include "programs/quarvel/command.h"

namespace {

constexpr const char* kUsage = "net-grid3d NET -o OUT.grd";

KExit RunNetGrid3d(const std::vector<std::string>& args) {
  std::string input, output;
  for (std::size_t k = 0; k < args.size(); ++k) {
    if ((args[k] == "-o" || args[k] == "--output") && k + 1 < args.size()) {
      output = args[++k];
    } else if (input.empty() && !args[k].empty() && args[k][0] != '-') {
      input = args[k];
    } else {
      std::fprintf(stderr, "usage: quarvel %s\n", kUsage);
      return KExit::kUsage;
    }
  }
  if (input.empty() || output.empty()) {
    std::fprintf(stderr, "usage: quarvel %s\n", kUsage);
    return KExit::kUsage;
  }
  KNetFile net;
  if (const KResult read = ReadNetFile(input, net); !read) {
    std::fprintf(stderr, "quarvel net-grid3d: %s\n", read.message().c_str());
    return ExitFor(read.status());
  }
  if (const KResult written = WriteGridFile(NodeGridFromNet(net), output); !written) {
    std::fprintf(stderr, "quarvel net-grid3d: net file '%s': %s\n", input.c_str(), written.message().c_str());
    return ExitFor(written.status());
  }
  return KExit::kSuccess;
}

const KCommandRegistrar reg({"net-grid3d", kUsage, &RunNetGrid3d});

}  // namespace
