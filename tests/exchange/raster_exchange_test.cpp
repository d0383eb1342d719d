// Net files out to GDAL rasters, read back by GDAL, gdalinfo and gmt; and
// single-band rasters in as grid files.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "exchange/raster/gdal_raster.h"
#include "io/grid/grid_file_reader.h"
#include "tests/exchange/exchange_tools.h"
#include "tests/support/net_grids.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kNodes = 5;  // a 5 x 5 net, unit steps, node (0, 0) at (0, 0)

// Values that need every bit of a double, different in every node.
double NodeValue(int i, int j) { return -1500 + M_PI * (i + 1) + 100.0 / 3 * j; }

struct RasterCase {
  const char* output;
  const char* format;
  double tolerance;  // what the format keeps of a value
};

class NetExport : public ::testing::TestWithParam<RasterCase> {};

TEST_P(NetExport, GdalReadsTheNodesBackInPlace) {
  const RasterCase& c = GetParam();
  TempDir dir;
  const std::string net = dir.File("t.net"), out = dir.File(c.output);
  WriteTestNet(net, kNodes, NodeValue);
  std::vector<std::string> args = {"net-export", net, "-o", out};
  if (*c.format) args.insert(args.end(), {"--format", c.format});
  ASSERT_TRUE(ExitedWith(RunQuarvel(args), 0, {}));
  KResultWith<KRasterGrid> back = ReadRaster(out);
  ASSERT_TRUE(back) << back.message();
  const KRasterGrid& g = back.value();
  EXPECT_EQ(g.nx, kNodes);
  EXPECT_EQ(g.ny, kNodes);
  EXPECT_NEAR(g.x0, 0, 1e-12);
  EXPECT_NEAR(g.y0, 0, 1e-12);
  EXPECT_NEAR(g.dx, 1, 1e-12);
  EXPECT_NEAR(g.dy, 1, 1e-12);
  for (int j = 0; j < kNodes; ++j)
    for (int i = 0; i < kNodes; ++i) EXPECT_NEAR(g.values[g.Index(i, j)], NodeValue(i, j), c.tolerance) << i << "," << j;
}

INSTANTIATE_TEST_SUITE_P(Formats, NetExport,
                         ::testing::Values(RasterCase{"t.tif", "", 0}, RasterCase{"t.nc", "", 0},
                                           RasterCase{"t.grd", "", 0}, RasterCase{"t_ascii.grd", "GSAG", 1e-9},
                                           RasterCase{"t.asc", "", 1e-12}, RasterCase{"t.zmap", "", 1e-6}),
                         [](const auto& info) {
                           std::string name = info.param.output;
                           name = name.substr(0, name.find('.'));
                           return name + "_" + std::string(info.param.output).substr(name.size() + 1);
                         });

// gdalinfo and gmt, independently of our reader: the geotransform puts pixel
// centres on the nodes, and gmt's range is the first and last node.
TEST(NetExportTools, GdalinfoAndGmtSeeTheNodesWhereTheNetHasThem) {
  SKIP_WITHOUT("gdalinfo");
  TempDir dir;
  const std::string net = dir.File("t.net");
  WriteTestNet(net, kNodes, NodeValue);
  ASSERT_TRUE(ExitedWith(RunQuarvel({"net-export", net, "-o", dir.File("t.tif")}), 0, {}));
  const std::string info = ToolOutput("gdalinfo", {dir.File("t.tif")});
  for (const char* line : {"Size is 5, 5", "Origin = (-0.500000000000000,4.500000000000000)",
                           "Pixel Size = (1.000000000000000,-1.000000000000000)", "Type=Float64"})
    EXPECT_NE(info.find(line), std::string::npos) << line << "\n" << info;

  SKIP_WITHOUT("gmt");
  ASSERT_TRUE(ExitedWith(RunQuarvel({"net-export", net, "-o", dir.File("t.nc")}), 0, {}));
  std::stringstream range(ToolOutput("gmt", {"grdinfo", "-C", "--FORMAT_FLOAT_OUT=%.17g", dir.File("t.nc")}));
  std::string name;
  double west, east, south, north, zmin, zmax;
  range >> name >> west >> east >> south >> north >> zmin >> zmax;
  EXPECT_EQ(west, 0);
  EXPECT_EQ(east, kNodes - 1);
  EXPECT_EQ(south, 0);
  EXPECT_EQ(north, kNodes - 1);
  EXPECT_NEAR(zmin, NodeValue(0, 0), 1e-12);
  EXPECT_NEAR(zmax, NodeValue(kNodes - 1, kNodes - 1), 1e-12);
  // gmt holds grid values as 32-bit floats (the file keeps the doubles,
  // which the format table above reads back exactly).
  std::stringstream nodes(ToolOutput("gmt", {"grd2xyz", "--FORMAT_FLOAT_OUT=%.17g", dir.File("t.nc")}));
  int seen = 0;
  for (double x, y, z; nodes >> x >> y >> z; ++seen)
    EXPECT_NEAR(z, NodeValue(static_cast<int>(x), static_cast<int>(y)), 2e-4) << x << "," << y;
  EXPECT_EQ(seen, kNodes * kNodes);
}

TEST(Grid3dImport, NodataCellsBecomeEmptyNodesAndRowsTurnBottomUp) {
  TempDir dir;
  // Three columns, two rows, 2 m cells from (10, 20): node centres at 11,
  // 13, 15 and 21, 23; the first text row is the top one.
  const std::string asc = dir.Write("t.asc", "ncols 3\nnrows 2\nxllcorner 10\nyllcorner 20\ncellsize 2\n"
                                             "NODATA_value -9999\n1 2 3\n4 -9999 6\n");
  const std::string grd = dir.File("t.grd");
  ASSERT_TRUE(ExitedWith(RunQuarvel({"grid3d-import", asc, "-o", grd}), 0, {}));
  KGridFile g;
  ASSERT_TRUE(ReadGridFile(g, grd));
  EXPECT_EQ(g.nx, 3);
  EXPECT_EQ(g.ny, 2);
  EXPECT_EQ(g.x0, 11);
  EXPECT_EQ(g.y0, 21);
  EXPECT_EQ(g.dx, 2);
  EXPECT_EQ(g.dy, 2);
  EXPECT_EQ(g.zMin, 1);
  EXPECT_EQ(g.zMax, 6);
  const double want[] = {4, NAN, 6, 1, 2, 3};
  ASSERT_EQ(g.values.size(), 6u);
  for (std::size_t k = 0; k < 6; ++k)
    if (std::isnan(want[k])) EXPECT_TRUE(std::isnan(g.values[k])) << k;
    else EXPECT_EQ(g.values[k], want[k]) << k;
}

}  // namespace
