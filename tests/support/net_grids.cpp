#include "tests/support/net_grids.h"

#include <gtest/gtest.h>

#include "io/grid/net_file_writer.h"
#include "model/grid/kcreate_grid.h"

void WriteTestNet(const std::string& path, int n, const std::function<double(int, int)>& value,
                  int breakAfterColumn) {
  KCreateGrid g;
  // Node counts are trunc(extent / step + 3), the origin half a step out.
  g.SetGeometry(0.5, 0.5, n - 2.5, n - 2.5, 1, 1);
  std::vector<KGridLine> breaks;
  if (breakAfterColumn >= 0)
    breaks.push_back({{breakAfterColumn + 0.5, breakAfterColumn + 0.5}, {-1.0, n + 1.0}});
  g.Prepare(nullptr, 0, breaks);
  ASSERT_EQ(g.nx(), n);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) g.values()[g.Index(i, j)] = value(i, j);
  const KResult written = WriteNetFile(g, path);
  ASSERT_TRUE(written) << written.message();
}
