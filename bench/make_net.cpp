// Writes an N x N net file for timing the net-file tools: a wavy surface
// with a regional dip and one fault with a throw of 150 across the grid.
// Usage: make_net OUT.net [N]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "io/grid/net_file_writer.h"
#include "model/grid/kcreate_grid.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_net OUT.net [N]\n");
    return 2;
  }
  const int n = argc > 2 ? std::atoi(argv[2]) : 2000;
  if (n < 4 || n > 32767) {
    std::fprintf(stderr, "make_net: N must be 4 to 32767\n");
    return 2;
  }
  KCreateGrid g;
  g.SetGeometry(0.5, 0.5, n - 2.5, n - 2.5, 1, 1);  // n x n nodes, unit steps
  // The fault runs from a third of the way along the bottom to two thirds
  // along the top.
  const double a = n / 3.0, b = 2 * n / 3.0;
  g.Prepare(nullptr, 0, {{{a, b}, {-1.0, n + 1.0}}});
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      const double side = i - (a + (b - a) * (j + 1.0) / (n + 2.0)) > 0 ? 150.0 : 0.0;
      g.values()[g.Index(i, j)] =
          400 * std::sin(i * 12.0 / n) * std::cos(j * 9.0 / n) + 0.3 * i * 2000.0 / n + side;
    }
  const KResult written = WriteNetFile(g, argv[1]);
  if (!written) {
    std::fprintf(stderr, "make_net: %s\n", written.message().c_str());
    return 1;
  }
  return 0;
}
