// quarvel net-xyz NET: checks the structure of an f(x,y) net file and prints
// one "x y z" line per node (column by column, upward), for comparing grids
// with other tools. A node that is not a finite number fails the whole
// listing.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "io/grid/net_file_reader.h"
#include "platform/base/c_locale.h"
#include "programs/quarvel/command.h"

namespace {

KExit RunNetXyz(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: quarvel net-xyz NET\n");
    return KExit::kUsage;
  }
  KNetFile net;
  if (const KResult read = ReadNetFile(args[0], net); !read) {
    std::fprintf(stderr, "quarvel net-xyz: %s\n", read.message().c_str());
    return ExitFor(read.status());
  }
  KCLocaleScope c;
  // Checked before anything is printed, so that a broken grid gives no
  // partial listing.
  if (const KResult finite = CheckFiniteNodes(net, args[0]); !finite) {
    std::fprintf(stderr, "quarvel net-xyz: %s\n", finite.message().c_str());
    return KExit::kFailure;
  }
  for (int i = 0; i < net.nx; ++i)
    for (int j = 0; j < net.ny; ++j)
      std::printf("%.10g %.10g %.10g\n", net.WorldX(i), net.WorldY(j), net.ValueAt(i, j));
  return std::ferror(stdout) ? KExit::kFailure : KExit::kSuccess;
}

KCommandRegistrar reg({"net-xyz", "net-xyz NET", &RunNetXyz});

}  // namespace
