#include "exchange/raster/gdal_raster.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <memory>

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include "exchange/gdal/gdal_session.h"
#include "exchange/gdal/staged_output.h"

namespace {

struct DatasetCloser {
  void operator()(GDALDataset* ds) const { GDALClose(ds); }
};
using DatasetPtr = std::unique_ptr<GDALDataset, DatasetCloser>;

// Rasters beyond this many nodes are refused before anything is allocated.
constexpr double kMaxNodes = 1 << 28;
// A compressed raster holds at most about this many bytes of values for each
// byte of its files (deflate's limit); a header that promises more lies.
constexpr double kMaxExpansion = 1100;
constexpr double kAlwaysAllowedBytes = 64.0 * 1024 * 1024;

// The bytes of every file the dataset reads.
double DatasetBytes(GDALDataset& ds) {
  double total = 0;
  char** files = ds.GetFileList();
  for (char** f = files; f && *f; ++f) {
    VSIStatBufL stat;
    if (VSIStatL(*f, &stat) == 0) total += static_cast<double>(stat.st_size);
  }
  CSLDestroy(files);
  return total;
}

KResult Refuse(const std::string& path, const std::string& cause) {
  return {KStatus::kBadInput, "'" + path + "': " + cause};
}

// Records the ranges of the node coordinates and values in a netCDF file as
// "actual_range" attributes: without them, grid tools that follow the
// coordinate variables read pixel centres as the cells' edges (a range half
// a cell wider) and report no value range.
KResult MarkNetcdfRanges(const std::string& file, const KRasterGrid& grid) {
  DatasetPtr ds(GDALDataset::Open(file.c_str(), GDAL_OF_MULTIDIM_RASTER | GDAL_OF_UPDATE, nullptr, nullptr, nullptr));
  const std::shared_ptr<GDALGroup> root = ds ? ds->GetRootGroup() : nullptr;
  const std::shared_ptr<GDALMDArray> values = root ? root->OpenMDArray("Band1") : nullptr;
  if (!values || values->GetDimensionCount() != 2) return {KStatus::kCannotWrite, "no grid variable to mark"};
  double lo = INFINITY, hi = -INFINITY;
  for (double v : grid.values)
    if (std::isfinite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
  const double x[2] = {grid.x0, grid.x0 + (grid.nx - 1) * grid.dx};
  const double y[2] = {grid.y0, grid.y0 + (grid.ny - 1) * grid.dy};
  const double z[2] = {lo, hi};
  const auto mark = [](const std::shared_ptr<GDALMDArray>& array, const double* range) {
    if (!array) return false;
    const auto attribute =
        array->CreateAttribute("actual_range", {2}, GDALExtendedDataType::Create(GDT_Float64), nullptr);
    return attribute && attribute->Write(range, 2);
  };
  const auto& dimensions = values->GetDimensions();
  if (!mark(dimensions[1]->GetIndexingVariable(), x) || !mark(dimensions[0]->GetIndexingVariable(), y) ||
      (lo <= hi && !mark(values, z)))
    return {KStatus::kCannotWrite, "coordinate ranges refused"};
  return KResult::Ok();
}

// The row of the grid that GDAL's row r holds.
int GridRow(int r, int ny, bool topDown) { return topDown ? ny - 1 - r : r; }

}  // namespace

KResultWith<std::string> RasterDriverFor(const std::string& path, const std::string& format) {
  if (!format.empty()) return format;
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
  static const struct {
    const char* extension;
    const char* driver;
  } known[] = {{".tif", "GTiff"}, {".tiff", "GTiff"}, {".nc", "netCDF"}, {".grd", "GS7BG"},
               {".asc", "AAIGrid"}, {".zmap", "ZMap"}};
  for (const auto& k : known)
    if (extension == k.extension) return std::string(k.driver);
  return KResult{KStatus::kBadInput, "'" + path + "': cannot tell the format from the extension '" + extension +
                                         "'; name a GDAL driver with --format"};
}

KResult WriteRaster(const KRasterGrid& grid, const std::string& path, const KRasterExport& options) {
  KResultWith<std::string> name = RasterDriverFor(path, options.format);
  if (!name) return name;
  KGdalQuiet quiet;
  GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(name.value().c_str());
  if (!driver || !driver->GetMetadataItem(GDAL_DCAP_RASTER) ||
      (!driver->GetMetadataItem(GDAL_DCAP_CREATE) && !driver->GetMetadataItem(GDAL_DCAP_CREATECOPY)))
    return Refuse(path, "GDAL has no raster driver '" + name.value() + "' that can create files");
  OGRSpatialReference srs;
  srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  if (!options.crs.empty() && srs.SetFromUserInput(options.crs.c_str()) != OGRERR_NONE)
    return Refuse(path, "unknown CRS '" + options.crs + "'");
  if (grid.nx < 1 || grid.ny < 1 || grid.values.size() != grid.Index(0, grid.ny))
    return Refuse(path, "the grid has no nodes");

  GDALDriver* memory = GetGDALDriverManager()->GetDriverByName("MEM");
  DatasetPtr mem(memory ? memory->Create("", grid.nx, grid.ny, 1, GDT_Float64, nullptr) : nullptr);
  const auto failed = [&](const std::string& what) {
    return KResult{KStatus::kCannotWrite,
                   "cannot write '" + path + "': " + what + ": " + quiet.LastMessage("GDAL gave no reason")};
  };
  if (!mem) return failed("no raster in memory");
  const KGeoTransform t = GeoTransformOf(grid);
  double transform[6] = {t.originX, t.pixelWidth, t.rowRotation, t.originY, t.columnRotation, t.pixelHeight};
  mem->SetGeoTransform(transform);
  if (!options.crs.empty()) mem->SetSpatialRef(&srs);
  GDALRasterBand* band = mem->GetRasterBand(1);
  for (int r = 0; r < grid.ny; ++r) {
    double* row = const_cast<double*>(&grid.values[grid.Index(0, GridRow(r, grid.ny, true))]);
    if (band->RasterIO(GF_Write, 0, r, grid.nx, 1, row, grid.nx, 1, GDT_Float64, 0, 0) != CE_None)
      return failed("row " + std::to_string(r));
  }
  KStagedOutput staged(path);
  if (!staged.status()) return staged.status();
  // Text grids keep every digit a double has, so values read back as written.
  CPLStringList creation;
  if (name.value() == "AAIGrid") creation.AddString("SIGNIFICANT_DIGITS=17");
  DatasetPtr out(driver->CreateCopy(staged.path().c_str(), mem.get(), FALSE, creation.List(), nullptr, nullptr));
  if (!out) return failed(name.value() + " refused the grid");
  CPLErrorReset();
  out.reset();
  if (CPLGetLastErrorType() == CE_Failure) return failed("cannot finish it");
  if (name.value() == "netCDF")
    if (const KResult marked = MarkNetcdfRanges(staged.path(), grid); !marked) return failed(marked.message());
  return staged.Commit();
}

KResultWith<KRasterGrid> ReadRaster(const std::string& path) {
  KGdalQuiet quiet;
  // ESRI ASCII grids otherwise read as 32-bit floats.
  CPLSetThreadLocalConfigOption("AAIGRID_DATATYPE", "Float64");
  DatasetPtr ds(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
  if (!ds)
    return KResult{KStatus::kCannotOpen, "cannot open '" + path + "': " + quiet.LastMessage("not a raster GDAL reads")};
  if (ds->GetRasterCount() != 1)
    return KResult(Refuse(path, "the raster has " + std::to_string(ds->GetRasterCount()) +
                                    " bands; a grid takes a single band"));
  KRasterGrid grid;
  grid.nx = ds->GetRasterXSize();
  grid.ny = ds->GetRasterYSize();
  if (grid.nx < 1 || grid.ny < 1 || static_cast<double>(grid.nx) * grid.ny > kMaxNodes)
    return KResult(Refuse(path, "raster size " + std::to_string(grid.nx) + " x " + std::to_string(grid.ny) +
                                    " is empty or beyond " + std::to_string(static_cast<long>(kMaxNodes)) + " nodes"));
  const double promised = 8.0 * grid.nx * grid.ny, held = DatasetBytes(*ds);
  if (promised > kAlwaysAllowedBytes && promised > held * kMaxExpansion)
    return KResult(Refuse(path, "raster size " + std::to_string(grid.nx) + " x " + std::to_string(grid.ny) +
                                    " promises more values than its " + std::to_string(static_cast<long long>(held)) +
                                    " bytes can hold"));
  double t[6] = {0, 1, 0, 0, 0, -1};
  bool topDown = true;
  if (ds->GetGeoTransform(t) == CE_None) {
    if (t[2] != 0 || t[4] != 0) return KResult(Refuse(path, "the raster is rotated; a grid is north-up"));
    if (!(t[1] > 0) || t[5] == 0 || !std::isfinite(t[0]) || !std::isfinite(t[3]) || !std::isfinite(t[5]))
      return KResult(Refuse(path, "its geotransform has no usable cell size"));
    topDown = t[5] < 0;
  } else {
    // No georeference: the pixel grid itself, row 0 at the bottom.
    t[0] = -0.5, t[1] = 1, t[3] = grid.ny - 0.5, t[5] = -1;
  }
  grid.dx = t[1];
  grid.dy = std::fabs(t[5]);
  grid.x0 = t[0] + t[1] / 2;
  grid.y0 = topDown ? t[3] + t[5] * (grid.ny - 0.5) : t[3] + t[5] / 2;
  grid.values.assign(grid.Index(0, grid.ny), 0.0);
  GDALRasterBand* band = ds->GetRasterBand(1);
  for (int r = 0; r < grid.ny; ++r)
    if (band->RasterIO(GF_Read, 0, r, grid.nx, 1, &grid.values[grid.Index(0, GridRow(r, grid.ny, topDown))], grid.nx, 1,
                       GDT_Float64, 0, 0) != CE_None)
      return KResult{KStatus::kBadInput, "'" + path + "': row " + std::to_string(r) + " cannot be read: " +
                                             quiet.LastMessage("GDAL gave no reason")};
  int hasNodata = 0;
  const double nodata = band->GetNoDataValue(&hasNodata);
  if (hasNodata)
    for (double& v : grid.values)
      if (v == nodata || (std::isnan(nodata) && std::isnan(v))) v = NAN;
  return grid;
}
