// Drawings exported through GDAL and read back by GDAL's own tools, sources
// made by ogr2ogr imported, and the bundled map through a GeoPackage.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cmath>

#include "exchange/vector/drawing_features.h"
#include "io/document/open_document.h"
#include "io/document/writer.h"
#include "model/document/elements.h"
#include "model/document/kones.h"
#include "model/grid/kxyz_list.h"
#include "tests/exchange/exchange_tools.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"

namespace {

// Every (x, y) of the drawing's features, sorted: the line, the ring with
// its closing point, the point, the text and the two x, y, z points.
const std::vector<std::pair<double, double>> kDrawnPoints = {
    {0, 0}, {0, 0}, {0, 0}, {1, 2}, {1, 2}, {4, 5}, {5, 5}, {10, 0}, {10, 10}, {100, 0.5}};

struct VectorCase {
  const char* output;     // in a folder of its own
  std::vector<std::string> extra;
  std::size_t layers, features;
  bool ourFields;         // the attributes come back under our field names
};

class VectorRoundTrip : public ::testing::TestWithParam<VectorCase> {};

// ogrinfo's "Feature Count" lines summed, and its layers counted.
void CountFeatures(const std::string& summary, std::size_t& layers, std::size_t& features) {
  layers = features = 0;
  for (std::size_t at = 0; (at = summary.find("Feature Count: ", at)) != std::string::npos; ++layers)
    features += std::stoul(summary.substr(at += 15));
}

TEST_P(VectorRoundTrip, GdalReadsBackGeometriesCoordinatesAndAttributes) {
  SKIP_WITHOUT("ogrinfo");
  const VectorCase& c = GetParam();
  TempDir dir;
  const std::string drawing = dir.Write("d.qvd", kExchangeDrawing);
  ASSERT_EQ(mkdir(dir.File("out").c_str(), 0755), 0);
  const std::string out = dir.File("out/") + c.output;
  std::vector<std::string> args = {"export", drawing, "-o", out};
  args.insert(args.end(), c.extra.begin(), c.extra.end());
  ASSERT_TRUE(ExitedWith(RunQuarvel(args), 0, {"1 entries left out"}));
  // A shapefile export is a file a kind of geometry: the folder is read.
  const std::string source = std::string(c.output).ends_with(".shp") ? dir.File("out") : out;
  std::size_t layers, features;
  CountFeatures(ToolOutput("ogrinfo", {"-ro", "-so", "-al", source}), layers, features);
  EXPECT_EQ(layers, c.layers);
  EXPECT_EQ(features, c.features);

  std::string listing = ToolOutput("ogrinfo", {"-ro", "-q", "-al", source});
  if (std::string(c.output).ends_with(".kml")) {
    // Longitude and latitude in the file: ogr2ogr takes them back to the
    // drawing's CRS, where they agree to the reprojection's precision.
    SKIP_WITHOUT("ogr2ogr");
    const std::string back = dir.File("back.gpkg");
    ToolOutput("ogr2ogr", {"-t_srs", "EPSG:32631", back, out});
    listing = ToolOutput("ogrinfo", {"-ro", "-q", "-al", back});
  }
  const auto points = WktPoints(listing);
  ASSERT_EQ(points.size(), kDrawnPoints.size()) << listing;
  const double tolerance = std::string(c.output).ends_with(".kml") ? 1e-6 : 1e-9;
  for (std::size_t k = 0; k < points.size(); ++k) {
    EXPECT_NEAR(points[k].first, kDrawnPoints[k].first, tolerance) << k;
    EXPECT_NEAR(points[k].second, kDrawnPoints[k].second, tolerance) << k;
  }
  const std::vector<std::string> fields =
      c.ourFields ? std::vector<std::string>{"layer (String) = roads", "name (String) = R1", "code (Integer) = 7",
                                             "colour (String) = #c81e1e", "width (Real) = 2",
                                             "z (Real) = -1500.25", "name (String) = W-1",
                                             "text (String) = Hello there", "height (Real) = 3"}
                  : std::vector<std::string>{"Layer (String) = roads", "Layer (String) = wells", "Text (String) = Hello there"};
  // KML keeps the name as its own "Name".
  const auto lower = [](std::string text) {
    for (char& ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return text;
  };
  for (const std::string& field : fields) EXPECT_NE(lower(listing).find(lower(field)), std::string::npos) << field;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, VectorRoundTrip,
    ::testing::Values(VectorCase{"d.gpkg", {}, 3, 6, true}, VectorCase{"d.geojson", {}, 1, 6, true},
                      VectorCase{"d.csv", {}, 1, 6, true}, VectorCase{"d.shp", {}, 3, 6, true},
                      VectorCase{"d.dxf", {}, 1, 6, false},
                      VectorCase{"d.kml", {"--crs", "EPSG:32631"}, 3, 6, true},
                      VectorCase{"d.sqlite", {"--format", "SQLite"}, 3, 6, true}),
    [](const auto& info) {
      std::string name = info.param.output;
      return name.substr(name.find('.') + 1);
    });

TEST(VectorImport, PointsOgr2ogrMadeFromCsvComeInAsPointsOrAnXyzList) {
  SKIP_WITHOUT("ogr2ogr");
  TempDir dir;
  const std::string csv = dir.Write("wells.csv", "x,y,depth,well\n5,5,-1500.25,W-1\n7.5,2.25,-1400,W-2\n");
  const std::string gpkg = dir.File("wells.gpkg");
  ToolOutput("ogr2ogr", {"-f", "GPKG", gpkg, csv, "-oo", "X_POSSIBLE_NAMES=x", "-oo", "Y_POSSIBLE_NAMES=y",
                         "-oo", "AUTODETECT_TYPE=YES", "-nln", "wells"});
  const struct {
    std::vector<std::string> options;
    int kind;
  } cases[] = {{{}, kKindPoint}, {{"--xyz"}, kKindXyz}};
  for (const auto& c : cases) {
    std::vector<std::string> args = {"import", gpkg, "-o", dir.File("w.qvd"), "--z-field", "depth",
                                     "--name-field", "well"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    ASSERT_TRUE(ExitedWith(RunQuarvel(args), 0, {}));
    KOnes doc;
    ASSERT_TRUE(OpenTextFile(doc, dir.File("w.qvd")));
    const KDrawingFeatures got = FeaturesOfDrawing(doc);
    ASSERT_EQ(got.features.size(), 2u);
    EXPECT_EQ(doc.entries.front()->kind, c.kind);
    EXPECT_EQ(doc.entries.front()->layer->name.str(), "wells");
    EXPECT_EQ(got.features[1].points.front(), (KFeaturePoint{7.5, 2.25, -1400}));
    if (c.kind == kKindPoint) {
      EXPECT_EQ(got.features[1].name, "W-2");
    }
  }
}

TEST(VectorImport, ToCrsReprojectsAsOgr2ogrDoes) {
  SKIP_WITHOUT("ogr2ogr");
  TempDir dir;
  const std::string drawing = dir.Write("d.qvd", kExchangeDrawing), gpkg = dir.File("d.gpkg");
  ASSERT_TRUE(ExitedWith(RunQuarvel({"export", drawing, "-o", gpkg, "--crs", "EPSG:32631"}), 0, {}));
  ASSERT_TRUE(ExitedWith(RunQuarvel({"import", gpkg, "-o", dir.File("ll.qvd"), "--to-crs", "EPSG:4326"}), 0, {}));
  ToolOutput("ogr2ogr", {"-t_srs", "EPSG:4326", dir.File("ll.gpkg"), gpkg});
  const auto want = WktPoints(ToolOutput("ogrinfo", {"-ro", "-q", "-al", dir.File("ll.gpkg")}));
  KOnes doc;
  ASSERT_TRUE(OpenTextFile(doc, dir.File("ll.qvd")));
  std::vector<std::pair<double, double>> got;
  for (const KFeature& f : FeaturesOfDrawing(doc).features)
    for (const KFeaturePoint& p : f.points) got.emplace_back(p.x, p.y);
  got.emplace_back(got[2]);  // the ring's closing point, which ogrinfo lists
  ASSERT_EQ(got.size(), want.size());
  // Each point where ogr2ogr puts it; the drawing format writes points and
  // texts with six decimals.
  for (const auto& [x, y] : want)
    EXPECT_TRUE(std::any_of(got.begin(), got.end(), [&](const auto& p) {
      return std::fabs(p.first - x) < 1e-6 && std::fabs(p.second - y) < 1e-6;
    })) << x << " " << y;
}

// What travels of the bundled map (its lines, points, texts and values,
// with their layers, names, colours, codes and widths) draws the same
// picture after a GeoPackage and back as before. Styles of layers and
// symbol insertions do not travel, so the comparison is with the map's
// features drawn plainly (the map itself differs by its symbols, layer
// styles and hidden layer).
TEST(VectorImport, BundledMapThroughGeoPackageDrawsTheSamePicture) {
  TempDir dir;
  const std::string map = std::string(QUARVEL_SOURCE_DIR) + "/examples/map.qvd";
  KOnes original, plain;
  ASSERT_TRUE(OpenTextFile(original, map));
  const KDrawingFeatures features = FeaturesOfDrawing(original);
  AddFeatures(plain, features.features, false);
  ASSERT_TRUE(SaveToFile(plain, dir.File("plain.qvd")));

  const std::string gpkg = dir.File("map.gpkg"), back = dir.File("back.qvd");
  ASSERT_TRUE(ExitedWith(RunQuarvel({"export", map, "-o", gpkg}), 0, {"2 entries left out"}));
  ASSERT_TRUE(ExitedWith(RunQuarvel({"import", gpkg, "-o", back}), 0, {}));
  KOnes imported;
  ASSERT_TRUE(OpenTextFile(imported, back));
  EXPECT_EQ(FeaturesOfDrawing(imported).features.size(), features.features.size());

  // The same renderer over the same entries: the same bytes.
  const auto render = [&](const std::string& drawing, const std::string& png) {
    EXPECT_TRUE(ExitedWith(RunQuarvel({"render", "--size", "800x600", drawing, "-o", dir.File(png)}), 0, {}));
    return ReadFileBytes(dir.File(png));
  };
  EXPECT_EQ(render(dir.File("plain.qvd"), "plain.png"), render(back, "back.png"));
}

}  // namespace
