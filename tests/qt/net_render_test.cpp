// "quarvel net-render" and "quarvel net-grid3d" run as programs: the
// picture's colours and contours, damaged input, and the whole way from
// points and a fault to a coloured grid under a drawing.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QSet>
#include <cmath>
#include <string>

#include "io/grid/grid_file_reader.h"
#include "io/grid/net_file_reader.h"
#include "io/grid/net_node_grid.h"
#include "render/net/net_picture.h"
#include "tests/qt/paint_util.h"
#include "tests/support/net_grids.h"
#include "tests/support/result_checks.h"

namespace {

bool Dark(QColor c) { return c.red() + c.green() + c.blue() < 200; }

KNetPicture PictureOf(const std::string& path) {
  KNetFile net;
  EXPECT_TRUE(ReadNetFile(path, net));
  return KNetPicture(NodeGridFromNet(net));
}

TEST(NetRender, PlaneColoursChangeMonotonicallyAcross) {
  TempDir dir;
  const std::string net = dir.File("plane.net");
  WriteTestNet(net, 30, [](int i, int) { return 10.0 * i; });
  for (const char* out : {"p.png", "p.svg", "p.pdf"}) {
    const ProgramRun r = RunQuarvel({"net-render", net, "-o", dir.File(out), "--size", "600x400", "--contours", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
  }
  const QImage image(QString::fromStdString(dir.File("p.png")));
  ASSERT_EQ(image.size(), QSize(600, 400));
  // Each pixel back to a value through the picture's own colour scale.
  const KNetPicture picture = PictureOf(net);
  const auto valueIndex = [&](QColor c) {
    int best = -1, bestDistance = 1 << 30;
    for (int k = 0; k <= 1000; ++k) {
      const KColorRef ref = picture.colours().ColorAt(picture.lo() + (picture.hi() - picture.lo()) * k / 1000);
      const int d = std::abs(KRedOf(ref) - c.red()) + std::abs(KGreenOf(ref) - c.green()) +
                    std::abs(KBlueOf(ref) - c.blue());
      if (d < bestDistance) bestDistance = d, best = k;
    }
    return bestDistance < 12 ? best : -1;
  };
  for (int y : {60, 200, 340}) {
    int previous = -1, first = -1, cells = 0;
    for (int x = 0; x < 600 - KNetPicture::kLegendWidth; ++x) {
      const int k = valueIndex(image.pixelColor(x, y));
      if (k < 0) continue;  // background
      ++cells;
      if (first < 0) first = k;
      EXPECT_GE(k, previous) << "x " << x << " y " << y;
      previous = k;
    }
    EXPECT_GT(cells, 300);
    EXPECT_LT(first, 30);
    EXPECT_GT(previous, 970);
  }
}

TEST(NetRender, NoContourCrossesAFaultWithAStep) {
  TempDir dir;
  const std::string net = dir.File("fault.net");
  WriteTestNet(net, 20, [](int i, int j) { return j + (i >= 10 ? 3.5 : 0.0); }, 9);
  const ProgramRun r = RunQuarvel({"net-render", net, "-o", dir.File("f.png"), "--size", "700x600", "--contours", "1"});
  ASSERT_EQ(r.status, 0) << r.err;
  const QImage image(QString::fromStdString(dir.File("f.png")));
  const KNetPicture picture = PictureOf(net);
  const KViewTransform view = picture.Fit({700, 600});
  double faultX, top, bottom, unused;
  view.ToDevice(9.5, 19.5, faultX, top);
  view.ToDevice(9.5, -0.5, unused, bottom);
  int fault = 0, left = 0, right = 0;
  for (int y = static_cast<int>(top) + 2; y < bottom - 2; ++y) {
    for (int x = static_cast<int>(faultX) - 4; x <= faultX + 4; ++x)
      EXPECT_FALSE(Dark(image.pixelColor(x, y))) << "contour at " << x << "," << y;
    fault += image.pixelColor(static_cast<int>(faultX), y) == Qt::white;
    left += Dark(image.pixelColor(static_cast<int>(faultX) - 60, y));
    right += Dark(image.pixelColor(static_cast<int>(faultX) + 60, y));
  }
  EXPECT_GT(fault, (bottom - top) * 0.9);  // the fault itself is drawn
  EXPECT_GE(left, 15);                     // contours on both sides
  EXPECT_GE(right, 15);
}

TEST(NetRender, DamagedNetFileIsNamedAndNothingIsWritten) {
  TempDir dir;
  const std::string bad = dir.Write("bad.net", std::string(60, '\x01'));
  for (const char* command : {"net-render", "net-grid3d"}) {
    EXPECT_TRUE(ExitedWith(RunQuarvel({command, bad, "-o", dir.File("out")}), 1, {"net file '" + bad + "'"})) << command;
  }
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"bad.net"});
  EXPECT_EQ(RunQuarvel({"net-render", bad, "-o", dir.File("o.png"), "--contours", "-2"}).status, 2);
}

// Nodes that are not finite are refused by every command that shows them;
// extreme finite ones keep a colour scale across their whole range.
TEST(NetRender, NonFiniteNodesRefusedAndExtremeValuesKeepTheirScale) {
  TempDir dir;
  const std::string nan = dir.File("nan.net"), wide = dir.File("wide.net");
  WriteTestNet(nan, 5, [](int i, int j) { return i == 2 && j == 1 ? NAN : 1.0; });
  EXPECT_TRUE(ExitedWith(RunQuarvel({"net-render", nan, "-o", dir.File("n.png")}), 1,
                         {"net file '" + nan + "': node (2, 1) holds", "not a finite value"}));
  EXPECT_TRUE(ExitedWith(RunQuarvel({"net-xyz", nan}), 1, {"node (2, 1) holds"}));

  WriteTestNet(wide, 5, [](int i, int) { return i == 0 ? -1e308 : i == 4 ? 1e308 : 0.0; });
  const KNetPicture picture = PictureOf(wide);
  const double scale[] = {-1e308, -5e307, 0, 5e307, 1e308};
  ASSERT_EQ(picture.colours().entries.size(), 5u);
  for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(picture.colours().entries[k].value, scale[k]) << k;
  EXPECT_EQ(RunQuarvel({"net-render", wide, "-o", dir.File("w.png"), "--size", "400x300"}).status, 0);
}

// An output name need not be valid text: the file is named by its bytes as
// given, not by a decoded and re-encoded name.
TEST(NetRender, OutputNameIsWrittenAsGiven) {
  TempDir dir;
  WriteTestNet(dir.File("plane.net"), 4, [](int i, int) { return i; });
  const std::string name = "map\xff.png";
  EXPECT_EQ(RunQuarvel({"net-render", dir.File("plane.net"), "-o", dir.File(name), "--size", "40x30"}).status, 0);
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{name, "plane.net"}));
}

// Points and a fault are gridded, the net file is rendered with contours,
// and its GRID3D file is drawn under the drawing.
TEST(NetRender, PointsAndAFaultBecomeAGridUnderTheDrawing) {
  TempDir dir;
  std::string drawing = "Layer M f(x,y)\\break\nPline\n480,-50\n520,1050\n\nLayer M f(x,y)\\xyz\nXYZ\n";
  for (int j = 0; j <= 10; ++j)
    for (int i = 0; i <= 10; ++i)
      drawing += std::to_string(i * 100 + 7 * (j % 3)) + "," + std::to_string(j * 100) + "," +
                 std::to_string(j * 20 + (i > 5 ? 150 : 0) + (i * i) % 7) + "\n";
  drawing += "\n";
  const std::string qvd = dir.Write("d.qvd", drawing);
  const std::string net = dir.File("d.net"), grd = dir.File("d.grd");
  ProgramRun r = RunQuarvel({"grid", "--times", "2", "--num-x", "12", qvd, "-o", net});
  ASSERT_EQ(r.status, 0) << r.err;
  r = RunQuarvel({"net-render", net, "-o", dir.File("net.png"), "--contours", "25"});
  ASSERT_EQ(r.status, 0) << r.err;
  const QImage rendered(QString::fromStdString(dir.File("net.png")));
  int dark = 0;
  for (int y = 0; y < rendered.height(); ++y)
    for (int x = 0; x < rendered.width() - KNetPicture::kLegendWidth; ++x) dark += Dark(rendered.pixelColor(x, y));
  EXPECT_GT(dark, 500);  // contours

  r = RunQuarvel({"net-grid3d", net, "-o", grd});
  ASSERT_EQ(r.status, 0) << r.err;
  KGridFile grid;
  ASSERT_TRUE(ReadGridFile(grid, grd));
  KNetFile read;
  ASSERT_TRUE(ReadNetFile(net, read));
  ASSERT_EQ(grid.nx, read.nx);
  ASSERT_EQ(grid.ny, read.ny);
  EXPECT_EQ(grid.x0, read.x0);
  for (int j = 0; j < grid.ny; ++j)
    for (int i = 0; i < grid.nx; ++i) ASSERT_EQ(grid.values[i + j * grid.nx], read.ValueAt(i, j));

  const std::string map = dir.Write("map.qvd", "GRID3D " + grd + "\n" + drawing);
  r = RunQuarvel({"render", map, "-o", dir.File("map.png"), "--size", "400x400"});
  ASSERT_EQ(r.status, 0) << r.err;
  const QImage picture(QString::fromStdString(dir.File("map.png")));
  QSet<QRgb> colours;
  for (int y = 0; y < picture.height(); y += 3)
    for (int x = 0; x < picture.width(); x += 3) colours.insert(picture.pixel(x, y));
  EXPECT_GT(colours.size(), 50);  // the coloured grid, not a blank page
}

// Ticks and a scale bar stand in the margin below and left of the cells:
// black there only when asked; a margin of half the picture is refused.
TEST(NetRender, TicksAndScaleBarStandInTheMargin) {
  TempDir dir;
  const std::string net = dir.File("plane.net");
  WriteTestNet(net, 30, [](int i, int j) { return 10.0 * i + j; });
  const auto blackBelowAndLeft = [&](std::vector<std::string> extra) {
    std::vector<std::string> args = {"net-render", net, "-o", dir.File("d.png"), "--size", "600x400", "--contours", "0"};
    args.insert(args.end(), extra.begin(), extra.end());
    EXPECT_TRUE(ExitedWith(RunQuarvel(args), 0, {}));
    const QImage image(QString::fromStdString(dir.File("d.png")));
    const auto black = [](QRgb p) { return qGray(p) < 40; };
    return CountPixels(image.copy(0, 340, 480, 60), black) + CountPixels(image.copy(0, 0, 40, 400), black);
  };
  EXPECT_EQ(blackBelowAndLeft({}), 0);
  EXPECT_GT(blackBelowAndLeft({"--ticks", "--scale-bar"}), 100);
  EXPECT_TRUE(ExitedWith(RunQuarvel({"net-render", net, "-o", dir.File("m.png"), "--margin", "50%"}), 2, {"--margin"}));
}

}  // namespace
