// Contouring over a node grid with cut links and nodes left out, and the
// node grid a net file gives.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/contour/contour.h"
#include "io/grid/net_file_reader.h"
#include "io/grid/net_file_writer.h"
#include "io/grid/net_node_grid.h"
#include "model/grid/kcreate_grid.h"
#include "tests/support/temp_dir.h"

namespace {

KNodeGrid Plane(int nx, int ny, double a, double b, double c) {
  KNodeGrid g;
  g.nx = nx;
  g.ny = ny;
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i) g.values.push_back(a * i + b * j + c);
  return g;
}

bool Finite(const KNodeGrid& g, int i, int j) { return std::isfinite(g.Value(i, j)); }
bool IsWhole(double v) { return std::fabs(v - std::round(v)) < 1e-9; }

// Every contour point is the crossing of one link (unit grid at the origin):
// that link must join two nodes that belong and not be cut.
void ExpectOnlyOpenLinksCrossed(const KNodeGrid& g, const std::vector<KContourLine>& lines) {
  for (const KContourLine& line : lines)
    for (std::size_t k = 0; k < line.x.size(); ++k) {
      const double x = line.x[k], y = line.y[k];
      if (IsWhole(y) && !IsWhole(x)) {
        const int i = static_cast<int>(std::floor(x)), j = static_cast<int>(std::lround(y));
        EXPECT_TRUE(g.OpenX(i, j) && Finite(g, i, j) && Finite(g, i + 1, j)) << "level " << line.value << " crosses x-link " << i << "," << j;
      } else if (IsWhole(x) && !IsWhole(y)) {
        const int i = static_cast<int>(std::lround(x)), j = static_cast<int>(std::floor(y));
        EXPECT_TRUE(g.OpenY(i, j) && Finite(g, i, j) && Finite(g, i, j + 1)) << "level " << line.value << " crosses y-link " << i << "," << j;
      } else {
        ADD_FAILURE() << "point " << x << "," << y << " lies on no single link";
      }
    }
}

TEST(Contour, RoundStepGivesTenToTwentyLevels) {
  for (double range : {1.0, 1.7, 2.3, 3.9, 7.2, 9.99, 0.013, 4500.0}) {
    const double step = RoundContourStep(-range / 3, range);
    const double levels = (range * 4 / 3) / step;
    EXPECT_GE(levels, 10 - 1e-9) << range;
    EXPECT_LE(levels, 20 + 1e-9) << range;
  }
  EXPECT_EQ(RoundContourStep(3, 3), 0);
  EXPECT_EQ(RoundContourStep(0, INFINITY), 0);
  EXPECT_DOUBLE_EQ(RoundContourStep(-1e308, 1e308), 2e307);  // the range itself overflows
  EXPECT_EQ(LevelsInRange(0, 1e9, 0, 1, 1000).Count(), 0);  // too many
}

// A plane gives one straight line a level, at the level's value all along.
TEST(Contour, PlaneGivesStraightParallelLinesAtTheLevels) {
  struct Case { double a, b, c, step; int levels; };
  for (const Case& t : {Case{1, 0, 0.3, 1, 10}, Case{0, 2, 0.1, 1.5, 6}, Case{1, 1, 0.25, 2, 7}}) {
    const KNodeGrid g = Plane(11, 6, t.a, t.b, t.c);
    double lo, hi;
    ASSERT_TRUE(g.Range(lo, hi));
    const KContourLevels levels = LevelsInRange(lo, hi, 0, t.step);
    const std::vector<KContourLine> lines = TraceContours(g, levels);
    ASSERT_EQ(static_cast<int>(lines.size()), t.levels) << t.a << " " << t.b;
    for (std::size_t q = 0; q < lines.size(); ++q) {
      const KContourLine& line = lines[q];
      EXPECT_DOUBLE_EQ(line.value, (levels.first + static_cast<int>(q)) * t.step);
      EXPECT_FALSE(line.closed);
      for (std::size_t k = 0; k < line.x.size(); ++k)
        EXPECT_NEAR(t.a * line.x[k] + t.b * line.y[k] + t.c, line.value, 1e-9);
    }
  }
}

TEST(Contour, SaddleIsResolvedByTheCentre) {
  KNodeGrid g = Plane(2, 2, 0, 0, 0);
  for (double low : {-0.4, 0.0}) {
    g.values = {1, low, low, 1};  // corners (0,0) and (1,1) high; mean 0.3 or 0.5
    const auto lines = TraceContours(g, LevelsInRange(0.5, 0.5, 0, 0.5));
    ASSERT_EQ(lines.size(), 2u);
    // A centre at or above the level joins the high corners and cuts off
    // the low ones; below it, the other way round.
    for (const auto& line : lines) {
      const double mx = (line.x.front() + line.x.back()) / 2, my = (line.y.front() + line.y.back()) / 2;
      const bool nearLowCorner = (mx > 0.5) != (my > 0.5);
      EXPECT_EQ(nearLowCorner, low >= 0) << low;
    }
  }
}

// A fault with a step across it: contours on both sides, none over it.
TEST(Contour, CutLinksAreNeverCrossed) {
  KNodeGrid g = Plane(10, 10, 0, 1, 0.25);
  g.cutX.assign(100, 0);
  for (int j = 0; j < 10; ++j) {
    g.cutX[g.Index(4, j)] = 1;
    for (int i = 5; i < 10; ++i) g.values[g.Index(i, j)] += 3.5;
  }
  const auto lines = TraceContours(g, LevelsInRange(0, 13, 0, 1));
  int left = 0, right = 0;
  for (const auto& line : lines) {
    for (double x : line.x) EXPECT_TRUE(x <= 4 || x >= 5) << x;
    (line.x.front() <= 4 ? left : right)++;
  }
  EXPECT_EQ(left, 9);   // levels 1 .. 9 on the low side
  EXPECT_EQ(right, 9);  // 4 .. 12 on the high side
  ExpectOnlyOpenLinksCrossed(g, lines);
}

// A strip ending in a column (a cut y-link) breaks the contour through it.
TEST(Contour, StripEndsStopContours) {
  KNodeGrid g = Plane(10, 8, 0, 1, 0.25);
  g.cutY.assign(80, 0);
  g.cutY[g.Index(3, 4)] = 1;
  const auto lines = TraceContours(g, LevelsInRange(4.75, 4.75, 0, 4.75));
  ASSERT_EQ(lines.size(), 2u);
  for (const auto& line : lines)
    for (double x : line.x) EXPECT_TRUE(x <= 2 || x >= 4) << x;
}

TEST(Contour, RandomCutsAndHolesAreRespected) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> value(0, 10), chance(0, 1);
  KNodeGrid g = Plane(30, 25, 0, 0, 0);
  for (double& v : g.values) v = value(random);
  g.cutX.resize(g.values.size());
  g.cutY.resize(g.values.size());
  g.inside.resize(g.values.size());
  for (std::size_t k = 0; k < g.values.size(); ++k) {
    g.cutX[k] = chance(random) < 0.2;
    g.cutY[k] = chance(random) < 0.2;
    g.inside[k] = chance(random) > 0.1;
  }
  g.values[g.Index(17, 3)] = NAN;  // not finite: left out as well
  const auto lines = TraceContours(g, LevelsInRange(0, 10, 0, 0.7));
  ASSERT_GT(lines.size(), 50u);
  ExpectOnlyOpenLinksCrossed(g, lines);
}

TEST(Contour, NetFileCutsBecomeCutLinks) {
  TempDir dir;
  KCreateGrid grid;
  grid.SetGeometry(0, 0, 3, 4, 1, 1);
  grid.Prepare(nullptr, 0, {{{1.5, 3.5}, {3.5, 3.5}}, {{4.5, 4.5}, {-1, 2.5}}});
  for (int j = 0; j < grid.ny(); ++j)
    for (int i = 0; i < grid.nx(); ++i) grid.values()[grid.Index(i, j)] = 100 * i + j;
  ASSERT_TRUE(WriteNetFile(grid, dir.File("a.net")));
  KNetFile net;
  ASSERT_TRUE(ReadNetFile(dir.File("a.net"), net));
  const KNodeGrid g = NodeGridFromNet(net);
  ASSERT_EQ(g.nx, 6);
  ASSERT_EQ(g.ny, 7);
  EXPECT_DOUBLE_EQ(g.x0, -0.5);
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 7; ++j) {
      EXPECT_EQ(g.Value(i, j), 100 * i + j);
      EXPECT_EQ(g.CutY(i, j), (i == 2 || i == 3) && j == 3) << i << "," << j;
      EXPECT_EQ(g.CutX(i, j), i == 4 && j <= 2) << i << "," << j;
    }
}

}  // namespace
