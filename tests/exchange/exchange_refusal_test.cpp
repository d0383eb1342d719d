// Bad input to the exchange commands: exit 1, the file and the cause named,
// nothing written (not even a staging folder left behind); usage errors
// exit 2.
#include <gtest/gtest.h>

#include <gdal_priv.h>

#include "tests/exchange/exchange_tools.h"
#include "tests/support/net_grids.h"
#include "tests/support/temp_dir.h"

namespace {

// A GeoTIFF of two bands, written through GDAL.
void WriteTwoBandRaster(const std::string& path) {
  GDALAllRegister();
  GDALDriver* gtiff = GetGDALDriverManager()->GetDriverByName("GTiff");
  ASSERT_TRUE(gtiff);
  GDALDataset* ds = gtiff->Create(path.c_str(), 2, 2, 2, GDT_Float64, nullptr);
  ASSERT_TRUE(ds);
  GDALClose(ds);
}

class ExchangeRefusal : public ::testing::Test {
protected:
  void SetUp() override {
    drawing = dir.Write("d.qvd", kExchangeDrawing);
    ASSERT_TRUE(ExitedWith(RunQuarvel({"export", drawing, "-o", dir.File("d.gpkg")}), 0, {}));
    WriteTestNet(dir.File("t.net"), 3, [](int i, int j) { return i + j; });
    WriteTwoBandRaster(dir.File("two.tif"));
    dir.Write("big.asc", "ncols 10000\nnrows 10000\nxllcorner 0\nyllcorner 0\ncellsize 1\n1 2 3\n");
    inputs = dir.Names();
  }
  TempDir dir;
  std::string drawing;
  std::vector<std::string> inputs;
};

TEST_F(ExchangeRefusal, BadInputExitsOneNamingFileAndCauseAndWritesNothing) {
  const struct {
    std::vector<std::string> args;  // "@" stands for the folder
    std::vector<std::string> named;
  } cases[] = {
      {{"export", "@/d.qvd", "-o", "@/o.gpkg", "--format", "NoSuchDriver"}, {"o.gpkg", "no vector driver 'NoSuchDriver'"}},
      {{"export", "@/d.qvd", "-o", "@/o.gpkg", "--crs", "EPSG:999999"}, {"o.gpkg", "unknown CRS 'EPSG:999999'"}},
      {{"export", "@/d.qvd", "-o", "@/o.kml"}, {"o.kml", "--crs"}},
      {{"export", "@/d.qvd", "-o", "@/o.xyz"}, {"o.xyz", "extension '.xyz'"}},
      {{"export", "@/missing.qvd", "-o", "@/o.gpkg"}, {"missing.qvd", "cannot open"}},
      {{"import", "@/d.gpkg", "-o", "@/o.qvd", "--layer-field", "nope"}, {"d.gpkg", "no field 'nope'"}},
      {{"import", "@/d.gpkg", "-o", "@/o.qvd", "--to-crs", "EPSG:999999"}, {"d.gpkg", "unknown CRS"}},
      {{"import", "@/d.gpkg", "-o", "@/o.qvd", "--to-crs", "EPSG:4326"}, {"d.gpkg", "no CRS to reproject from"}},
      {{"import", "@/t.net", "-o", "@/o.qvd"}, {"t.net", "cannot open"}},
      {{"grid3d-import", "@/two.tif", "-o", "@/o.grd"}, {"two.tif", "2 bands"}},
      {{"grid3d-import", "@/d.qvd", "-o", "@/o.grd"}, {"d.qvd", "cannot open"}},
      {{"grid3d-import", "@/big.asc", "-o", "@/o.grd"}, {"big.asc", "10000 x 10000 promises more values"}},
      {{"net-export", "@/t.net", "-o", "@/o.tif", "--crs", "EPSG:999999"}, {"o.tif", "unknown CRS"}},
      {{"net-export", "@/t.net", "-o", "@/o.tif", "--format", "NoSuchDriver"}, {"o.tif", "no raster driver"}},
      {{"net-export", "@/d.qvd", "-o", "@/o.tif"}, {"d.qvd", "net file"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args;
    std::string shown;
    for (std::string a : c.args) {
      if (a[0] == '@') a = dir.path() + a.substr(1);
      args.push_back(a);
      shown += " " + a;
    }
    const ProgramRun run = RunQuarvel(args);
    EXPECT_EQ(run.status, 1) << shown << "\n" << run.err;
    for (const std::string& part : c.named) EXPECT_NE(run.err.find(part), std::string::npos) << shown << "\n" << run.err;
    EXPECT_EQ(dir.Names(), inputs) << shown;
  }
}

TEST(ExchangeUsage, ArgumentsThatMakeNoCommandExitTwo) {
  const std::vector<std::string> cases[] = {{"export"},
                                            {"export", "a.qvd"},
                                            {"export", "a.qvd", "-o"},
                                            {"import", "a.gpkg", "-o", "b.qvd", "--bogus"},
                                            {"net-export", "a.net", "b.net", "-o", "c.tif"},
                                            {"grid3d-import", "-o", "c.grd"}};
  for (const auto& args : cases) EXPECT_TRUE(ExitedWith(RunQuarvel(args), 2, {"usage: quarvel"})) << args[0];
}

}  // namespace
