// The minimum-curvature engine alone: geometry, breaks, data cells, seeding
// and relaxation, on small grids built from plain points and lines.
#include "model/grid/kcreate_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

namespace {

using G = KCreateGrid;

KOne Pt(double gx, double gy, double z, double w = 1.0) {
  KOne p;
  p.x = gx;
  p.y = gy;
  p.z = z;
  p.w = w;
  return p;
}

KGridLine Line(std::vector<double> gx, std::vector<double> gy) { return {std::move(gx), std::move(gy)}; }

// A grid of nx * ny nodes with unit steps whose grid coordinates equal the
// world coordinates plus 0.5 (origin half a step before the box).
void Geometry(G& g, int nx, int ny) { g.SetGeometry(0, 0, nx - 3, ny - 3, 1, 1); }

// The driver's per-level order, first level.
KRelaxEnd Level(G& g, const std::vector<KOne>& pts, const std::vector<KGridLine>& breaks,
        double precision, int limit = 30000, KRelaxListener* listener = nullptr, int threads = 1) {
  g.Prepare(pts.data(), pts.size(), breaks);
  g.SeedFromData();
  g.SpreadFromData();
  g.FillUnset();
  return g.Relax(precision, limit, listener, threads);
}

// Scattered points of a smooth surface over an nx * ny grid, and two breaks:
// a slanted one across the grid and a closed box.
struct FaultedSet {
  std::vector<KOne> pts;
  std::vector<KGridLine> breaks = {Line({20.3, 41.7}, {-3, 75}),
                                   Line({55.5, 70.5, 70.5, 55.5, 55.5}, {20.5, 20.5, 40.5, 40.5, 20.5})};
  FaultedSet(int nx, int ny, int count) {
    std::mt19937 rng(17);
    std::uniform_real_distribution<double> x(0.0, nx - 1.0), y(0.0, ny - 1.0);
    for (int k = 0; k < count; ++k) {
      KOne p = Pt(x(rng), y(rng), 0);
      p.z = 50 + 20 * std::sin(p.x / 9) * std::cos(p.y / 13) + (p.x > 20.3 + 0.27 * (p.y + 3) ? -15 : 0);
      pts.push_back(p);
    }
    pts.push_back(Pt(30, 30, 60));   // exactly on a node
  }
};

TEST(GridGeometry, NodeCountsOriginAndConversions) {
  G g;
  g.SetGeometry(10, 20, 30, 25, 2, 0.5);
  EXPECT_EQ(g.nx(), 13);        // trunc(20 / 2 + 3)
  EXPECT_EQ(g.ny(), 13);        // trunc(5 / 0.5 + 3)
  EXPECT_DOUBLE_EQ(g.x0(), 9);  // half a step before the box
  EXPECT_DOUBLE_EQ(g.y0(), 19.75);
  EXPECT_DOUBLE_EQ(g.ToGridX(10), 0.5);
  EXPECT_DOUBLE_EQ(g.ToGridY(25), 10.5);
  EXPECT_DOUBLE_EQ(g.ToWorldX(g.ToGridX(17.3)), 17.3);
  EXPECT_DOUBLE_EQ(g.ToWorldY(3), 21.25);
  EXPECT_EQ(G::NodeCount(0, 9.99, 1), 12);   // truncation, not rounding
  EXPECT_THROW(g.SetGeometry(0, 0, 1e6, 1, 1, 1), std::length_error);
}

TEST(GridGeometry, NeighbourAndDiagonalStepsStopAtEdgesAndBlockedLinks) {
  G g;
  Geometry(g, 5, 4);
  // A vertical break between columns 1 and 2, rows 0 and 1 only.
  g.Prepare(nullptr, 0, {Line({1.5, 1.5}, {-0.5, 1.5})});
  EXPECT_EQ(g.Neighbour(g.Index(0, 0), G::kMinusX), -1);
  EXPECT_EQ(g.Neighbour(g.Index(0, 0), G::kMinusY), -1);
  EXPECT_EQ(g.Neighbour(g.Index(4, 3), G::kPlusX), -1);
  EXPECT_EQ(g.Neighbour(g.Index(4, 3), G::kPlusY), -1);
  EXPECT_EQ(g.Neighbour(g.Index(3, 2), G::kPlusY), g.Index(3, 3));
  EXPECT_EQ(g.Neighbour(g.Index(1, 0), G::kPlusX), -1);   // blocked
  EXPECT_EQ(g.Neighbour(g.Index(2, 1), G::kMinusX), -1);  // from both ends
  EXPECT_EQ(g.Neighbour(g.Index(1, 2), G::kPlusX), g.Index(2, 2));  // past the break's end

  // Diagonal 0 (+x, +y) from (1, 1): +y first reaches (1, 2), then +x (2, 2).
  EXPECT_EQ(g.Diagonal(g.Index(1, 1), 0), g.Index(2, 2));
  // Diagonal 3 (+x, -y) from (1, 1): +x is blocked, so -y first, then +x is
  // blocked again: no diagonal.
  EXPECT_EQ(g.Diagonal(g.Index(1, 1), 3), -1);
  // Diagonal 2 (-x, -y) from (2, 2): -y reaches (2, 1), whose -x is blocked;
  // the first move succeeded, so there is no second try.
  EXPECT_EQ(g.Diagonal(g.Index(2, 2), 2), -1);
  // Diagonal 1 (-x, +y) from (2, 1): -x blocked, so +y to (2, 2), then -x.
  EXPECT_EQ(g.Diagonal(g.Index(2, 1), 1), g.Index(1, 2));
}

TEST(GridBreaks, SegmentParallelToRowsCrossesOnlyColumns) {
  G g;
  Geometry(g, 10, 10);
  g.Prepare(nullptr, 0, {Line({2.3, 6.7}, {4.5, 4.5})});
  // Columns 3..6 are crossed between rows 4 and 5.
  ASSERT_EQ(g.linkRecords().size(), 8u);
  for (int i = 3; i <= 6; ++i) {
    for (int j : {4, 5}) {
      const int rec = g.LinkRecordOf(g.Index(i, j));
      ASSERT_GE(rec, 0) << i << "," << j;
      const auto& links = g.linkRecords()[rec].links;
      EXPECT_EQ(links[G::kPlusX], G::kLinkOpen);
      EXPECT_EQ(links[G::kMinusX], G::kLinkOpen);
      EXPECT_EQ(links[j == 4 ? G::kPlusY : G::kMinusY], G::kLinkBlocked);
      EXPECT_EQ(links[j == 4 ? G::kMinusY : G::kPlusY], G::kLinkOpen);
      EXPECT_EQ(g.linkRecords()[rec].owner, g.Index(i, j));
    }
  }
  EXPECT_EQ(g.LinkRecordOf(g.Index(2, 4)), G::kNoLinkRecord);
  EXPECT_EQ(g.LinkRecordOf(g.Index(7, 5)), G::kNoLinkRecord);
}

TEST(GridBreaks, DiagonalBreakBlocksEveryCrossedLinkAndNumbersRecordsInIndexOrder) {
  G g;
  Geometry(g, 8, 8);
  g.Prepare(nullptr, 0, {Line({0.2, 6.6}, {1.1, 5.3})});
  // Exactly the links whose segment the break crosses are blocked.
  const auto cross = [](double ax, double ay, double bx, double by, double cx, double cy) {
    return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
  };
  const auto crosses = [&](double px, double py, double qx, double qy) {
    const double bx0 = 0.2, by0 = 1.1, bx1 = 6.6, by1 = 5.3;
    return cross(px, py, qx, qy, bx0, by0) * cross(px, py, qx, qy, bx1, by1) < 0 &&
           cross(bx0, by0, bx1, by1, px, py) * cross(bx0, by0, bx1, by1, qx, qy) < 0;
  };
  int blocked = 0;
  for (int j = 0; j < 8; ++j)
    for (int i = 0; i < 8; ++i)
      for (int d : {G::kPlusX, G::kPlusY}) {
        const int i2 = i + (d == G::kPlusX), j2 = j + (d == G::kPlusY);
        if (i2 >= 8 || j2 >= 8) continue;
        const bool hit = crosses(i, j, i2, j2);
        EXPECT_EQ(g.Neighbour(g.Index(i, j), d) < 0, hit) << i << "," << j << " d" << d;
        EXPECT_EQ(g.Neighbour(g.Index(i2, j2), (d + 2) % 4) < 0, hit) << i2 << "," << j2;
        blocked += hit;
      }
  EXPECT_GT(blocked, 8);
  for (std::size_t r = 1; r < g.linkRecords().size(); ++r)
    EXPECT_LT(g.linkRecords()[r - 1].owner, g.linkRecords()[r].owner);
}

TEST(GridBreaks, SegmentStartingJustBeforeTheFirstRowStillCrossesIt) {
  G g;
  Geometry(g, 6, 6);
  g.Prepare(nullptr, 0, {Line({3.5, 3.5}, {-0.5, 2.5})});
  for (int j = 0; j <= 2; ++j) EXPECT_EQ(g.Neighbour(g.Index(3, j), G::kPlusX), -1) << j;
  EXPECT_EQ(g.Neighbour(g.Index(3, 3), G::kPlusX), g.Index(4, 3));
  // A crossing just before column 0 touches no link inside the grid.
  G h;
  Geometry(h, 6, 6);
  h.Prepare(nullptr, 0, {Line({-0.5, 4.5}, {2.5, 2.5})});
  EXPECT_EQ(h.Neighbour(h.Index(0, 2), G::kPlusX), h.Index(1, 2));
}

TEST(GridDataCells, SnappingMeansAndDroppedPoints) {
  G g;
  Geometry(g, 6, 6);
  const std::vector<KOne> pts = {
      Pt(2.2, 3.1, 10, 1), Pt(1.7, 2.6, 20, 3),   // both snap to (2, 3)
      Pt(-1.2, 0.3, 5),                            // above -1.5: snaps to (0, 0)
      Pt(-1.6, 0.3, 7),                            // outside
      Pt(65536.2, 1, 9),                           // far outside, must not wrap
      Pt(4.4, 4.9, NAN),                           // not a number
      Pt(4.6, 1.0, 3),                             // beside the break below
  };
  g.Prepare(pts.data(), pts.size(), {Line({4.5, 5.5}, {0.5, 0.5})});
  ASSERT_EQ(g.dataCells().size(), 2u);
  const int c0 = g.DataCellOf(g.Index(0, 0)), c1 = g.DataCellOf(g.Index(2, 3));
  EXPECT_EQ(c0, 0);   // numbered in index order
  EXPECT_EQ(c1, 1);
  const auto& cell = g.dataCells()[1];
  EXPECT_EQ(cell.count, 2);
  EXPECT_DOUBLE_EQ(cell.z, 15);
  EXPECT_DOUBLE_EQ(cell.w, 2);
  EXPECT_NEAR(cell.dx, (0.2 - 0.3) / 2, 1e-12);
  EXPECT_NEAR(cell.dy, (0.1 - 0.4) / 2, 1e-12);
  EXPECT_NEAR(g.dataCells()[0].dx, -1.2, 1e-12);
  EXPECT_EQ(g.DataCellOf(g.Index(5, 1)), G::kNoDataCell);  // beside the fault
  EXPECT_EQ(g.DataCellOf(g.Index(0, 1)), G::kNoDataCell);

  g.SeedFromData();
  EXPECT_DOUBLE_EQ(g.Value(2, 3), 15);
  EXPECT_DOUBLE_EQ(g.Value(0, 0), 5);
  EXPECT_DOUBLE_EQ(g.dataMean(), 10);
  EXPECT_GT(g.Value(1, 1), G::kUnsetAbove);
}

TEST(GridSeeding, SpreadFillAndDataMean) {
  G g;
  Geometry(g, 7, 7);
  // A closed box around node (5, 5) cuts it off; nothing can reach it.
  const KGridLine box = Line({4.5, 5.5, 5.5, 4.5, 4.5}, {4.5, 4.5, 5.5, 5.5, 4.5});
  const std::vector<KOne> pts = {Pt(1, 1, 4), Pt(3, 2, 8)};
  g.Prepare(pts.data(), pts.size(), {box});
  g.SeedFromData();
  g.SpreadFromData();
  EXPECT_DOUBLE_EQ(g.Value(0, 1), 4);   // along x from (1, 1)
  EXPECT_DOUBLE_EQ(g.Value(1, 2), 4);   // along y
  EXPECT_DOUBLE_EQ(g.Value(3, 3), 8);
  EXPECT_GT(g.Value(5, 1), G::kUnsetAbove);  // two steps away: not yet
  g.FillUnset();
  for (int j = 0; j < 7; ++j)
    for (int i = 0; i < 7; ++i) EXPECT_LE(g.Value(i, j), G::kUnsetAbove);
  EXPECT_DOUBLE_EQ(g.Value(5, 5), 6);   // the data mean
  // No estimate reaches the boxed node: relaxation leaves it alone.
  g.Relax(1e-9, 200, nullptr);
  EXPECT_DOUBLE_EQ(g.Value(5, 5), 6);
}

TEST(GridSeeding, CoarserLevelGivesBilinearValuesExceptNextToBreaks) {
  for (const bool faulted : {true, false}) {
    SCOPED_TRACE(faulted);
    G coarse;
    coarse.SetGeometry(0, 0, 10, 10, 2, 2);
    std::vector<KGridLine> breaks;
    if (faulted) breaks.push_back(Line({3.5, 3.5}, {-1, 9}));
    coarse.Prepare(nullptr, 0, breaks);
    for (int j = 0; j < coarse.ny(); ++j)
      for (int i = 0; i < coarse.nx(); ++i)
        coarse.values()[coarse.Index(i, j)] = 3 + 2 * coarse.ToWorldX(i) - coarse.ToWorldY(j);
    EXPECT_NEAR(coarse.BilinearAt(1.3, 7.9), 3 + 2.6 - 7.9, 1e-12);
    EXPECT_EQ(coarse.BilinearAt(coarse.ToWorldX(3.5), 3) > G::kUnsetAbove, faulted);  // corner by the break
    EXPECT_GT(coarse.BilinearAt(-5, 3), G::kUnsetAbove);
    EXPECT_GT(coarse.BilinearAt(coarse.ToWorldX(coarse.nx() - 0.5), 3), G::kUnsetAbove);

    // Fine grids reaching past the coarse one on the right, and on both
    // sides; each node as BilinearAt gives it, bit for bit.
    for (const double xmin : {0.0, -6.0}) {
      G fine;
      fine.SetGeometry(xmin, 0, 16, 10, 1, 1);
      const std::vector<KOne> pts = {Pt(fine.ToGridX(9), fine.ToGridY(9), 100)};
      fine.Prepare(pts.data(), pts.size(), {});
      fine.SeedFromData();
      fine.SeedFromCoarser(coarse);
      for (int j = 0; j < fine.ny(); ++j)
        for (int i = 0; i < fine.nx(); ++i) {
          const bool data = fine.DataCellOf(fine.Index(i, j)) >= 0;
          ASSERT_EQ(fine.Value(i, j), data ? 100 : coarse.BilinearAt(fine.ToWorldX(i), fine.ToWorldY(j)))
              << i << "," << j;
        }
      const int at9 = static_cast<int>(fine.ToGridX(9) + 0.5);
      EXPECT_DOUBLE_EQ(fine.Value(at9, 10), 100);   // data kept
      EXPECT_EQ(fine.Value(at9 - 1, 2) > G::kUnsetAbove, faulted);   // its coarse cell touches the break
    }
  }
}

TEST(GridSeeding, CubicSeedFollowsACubicAndFallsBackToBilinearByBreaksAndEdges) {
  // A cubic surface: bilinear values miss it, cubic ones do not.
  const auto f = [](double x, double y) { return 0.01 * x * x * x - 0.2 * x * y + 0.3 * y * y + x; };
  G coarse;
  coarse.SetGeometry(0, 0, 20, 20, 2, 2);
  // A break along x = 12.6, in each grid's own coordinates.
  const auto prepare = [](G& g) {
    g.Prepare(nullptr, 0, {Line({g.ToGridX(12.6), g.ToGridX(12.6)}, {-1, g.ny() + 1.0})});
  };
  prepare(coarse);
  for (int j = 0; j < coarse.ny(); ++j)
    for (int i = 0; i < coarse.nx(); ++i)
      coarse.values()[coarse.Index(i, j)] = f(coarse.ToWorldX(i), coarse.ToWorldY(j));
  G cubic, bilinear;
  for (G* g : {&cubic, &bilinear}) {
    g->SetGeometry(0, 0, 20, 20, 1, 1);
    prepare(*g);
  }
  cubic.SeedFromCoarserCubic(coarse);
  bilinear.SeedFromCoarser(coarse);
  const auto at = [&](const G& g, int i, int j) { return g.Value(i, j) - f(g.ToWorldX(i), g.ToWorldY(j)); };
  EXPECT_NEAR(at(cubic, 7, 9), 0, 1e-9);     // inside, away from the break
  EXPECT_GT(std::fabs(at(bilinear, 7, 9)), 1e-3);
  // By the edge, and where the cubic's coarse nodes touch the break but the
  // bilinear's do not (17) or do too (15).
  for (const auto& [i, j] : std::vector<std::pair<int, int>>{{1, 9}, {9, 1}, {22, 9}, {9, 22}, {17, 9}, {15, 9}})
    EXPECT_EQ(cubic.Value(i, j), bilinear.Value(i, j)) << i << "," << j;
  EXPECT_LT(bilinear.Value(17, 9), G::kUnsetAbove);
  EXPECT_GT(bilinear.Value(15, 9), G::kUnsetAbove);
}

TEST(GridRelax, DataNodeWithSmoothZeroKeepsItsValueAndOffNodeDataFollowsTheSlope) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> u(0.0, 11.0);
  std::vector<KOne> pts = {Pt(6, 6, 42.0)};   // exactly on node (6, 6)
  for (int k = 0; k < 30; ++k) {
    const double x = u(rng), y = u(rng);
    if (std::hypot(x - 6, y - 6) > 1) pts.push_back(Pt(x, y, 40 + 0.5 * x - 0.25 * y + std::sin(x)));
  }
  struct Check : KRelaxListener {
    G* g;
    int calls = 0;
    KSweepAnswer OnTenthSweep(int, double, double) override {
      ++calls;
      EXPECT_EQ(g->Value(6, 6), 42.0);
      return KSweepAnswer::kGoOn;
    }
  } check;
  G g;
  Geometry(g, 13, 13);
  check.g = &g;
  EXPECT_EQ(Level(g, pts, {}, 1e-10, 30000, &check), KRelaxEnd::kConverged);
  EXPECT_GT(check.calls, 0);
  EXPECT_EQ(g.Value(6, 6), 42.0);

  // On a plane, data off the nodes moved along the slope gives the plane
  // exactly: every node ends on it.
  std::vector<KOne> plane;
  for (int k = 0; k < 40; ++k) {
    const double x = u(rng), y = u(rng);
    plane.push_back(Pt(x, y, 7 + 1.5 * x - 0.75 * y));
  }
  G p;
  Geometry(p, 13, 13);
  Level(p, plane, {}, 1e-12);
  for (int j = 0; j < 13; ++j)
    for (int i = 0; i < 13; ++i) EXPECT_NEAR(p.Value(i, j), 7 + 1.5 * i - 0.75 * j, 1e-6);
}

TEST(GridRelax, SmoothingBlendsDataWithTheEstimate) {
  // One outlier among points on a plane: smoothing pulls its node toward the
  // plane, more with a larger weight.
  std::vector<KOne> pts;
  for (int j = 1; j < 12; j += 2)
    for (int i = 1; i < 12; i += 2) pts.push_back(Pt(i, j, i == 5 && j == 5 ? 20 : 0));
  double previous = 1e9;
  for (double smooth : {0.0, 1.0, 10.0}) {
    G g;
    Geometry(g, 13, 13);
    g.smooth = smooth;
    Level(g, pts, {}, 1e-9);
    const double at = g.Value(5, 5);
    if (smooth == 0) {
      EXPECT_DOUBLE_EQ(at, 20);
    }
    EXPECT_LT(at, previous + 1e-12);
    EXPECT_GT(at, 0);
    previous = at;
  }
  EXPECT_LT(previous, 10);
}

TEST(GridRelax, ValuesDoNotCrossABreakAndItsNeighboursAvoidTheStencil) {
  std::vector<KOne> pts;
  for (int j = 1; j < 14; j += 3)
    for (int i = 1; i < 14; i += 3) pts.push_back(Pt(i + 0.2, j - 0.1, i < 8 ? 0.0 : 100.0));
  // Breaks between columns 7 and 8 across the whole grid: slightly slanted,
  // and straight with a vertex lying exactly on row 6 (one crossing there).
  for (const KGridLine& line : {Line({7.4, 7.6}, {-2, 17}), Line({7.5, 7.5, 7.5}, {-2, 6, 17})}) {
    G g;
    Geometry(g, 16, 16);
    Level(g, pts, {line}, 1e-9);
    for (int j = 0; j < 16; ++j)
      for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(g.Value(i, j), i <= 7 ? 0.0 : 100.0) << i << "," << j;
        const bool nearBreak = i >= 6 && i <= 9;   // beside a crossing or next to one
        if (nearBreak) {
          EXPECT_FALSE(g.IsInterior(g.Index(i, j))) << i << "," << j;
        }
      }
    EXPECT_TRUE(g.IsInterior(g.Index(4, 5)));
    EXPECT_TRUE(g.IsInterior(g.Index(10, 5)));
    EXPECT_FALSE(g.IsInterior(g.Index(1, 5)));   // border rows and columns
  }
}

TEST(GridRelax, InterleavedAndThreadedSweepsMatchRowAtATimeBitForBit) {
  // An odd row count leaves a block of one row at the end.
  const FaultedSet set(90, 71, 400);
  G one;
  Geometry(one, 90, 71);
  one.sweepRows = 1;
  Level(one, set.pts, set.breaks, 1e-6, 400);
  for (auto [threads, rows] : {std::pair{1, 2}, {2, 1}, {2, 2}, {5, 2}}) {
    G many;
    Geometry(many, 90, 71);
    many.sweepRows = rows;
    Level(many, set.pts, set.breaks, 1e-6, 400, nullptr, threads);
    EXPECT_EQ(many.sweepsRun(), one.sweepsRun()) << threads << " " << rows;
    EXPECT_TRUE(many.values() == one.values()) << threads << " " << rows;
  }
}

TEST(GridRelax, FastSolverGivesTheSameBitsOnAnyThreadCount) {
  // Enough rows and nodes that the mixing, restriction and interpolation
  // are shared out; five cycles, so that the mixing (from the third) moves
  // the values twice.
  const FaultedSet set(800, 720, 3000);
  std::vector<double> first;
  for (int threads : {1, 2, 3}) {
    G g;
    Geometry(g, 800, 720);
    g.Prepare(set.pts.data(), set.pts.size(), set.breaks);
    g.SeedFromData();
    g.SpreadFromData();
    g.FillUnset();
    ASSERT_EQ(g.RelaxFast(0, 20, nullptr, threads), KRelaxEnd::kLimit);
    if (first.empty()) first = g.values();
    EXPECT_TRUE(g.values() == first) << threads;
  }
}

TEST(GridRelax, FastSolverReachesTheSweepsFixedPointInFewerSweeps) {
  // Large enough for coarse grids and the direct solves of the edge strips
  // (a break crosses the bottom strip), with breaks, data nodes and a
  // smoothing weight, so that every kind of node and the data blend take
  // part; and too narrow for the strips (under three strip widths across),
  // where edge sweeps stand in for them.
  struct Case {
    int nx, ny, points, speedUp;
  };
  for (const Case c : {Case{100, 80, 400, 4}, Case{11, 60, 60, 1}}) {
    const FaultedSet set(c.nx, c.ny, c.points);
    G sweep, fast;
    for (G* g : {&sweep, &fast}) {
      Geometry(*g, c.nx, c.ny);
      g->smooth = 0.5;
    }
    ASSERT_EQ(Level(sweep, set.pts, set.breaks, 1e-8), KRelaxEnd::kConverged) << c.nx;
    fast.Prepare(set.pts.data(), set.pts.size(), set.breaks);
    fast.SeedFromData();
    fast.SpreadFromData();
    fast.FillUnset();
    ASSERT_EQ(fast.RelaxFast(1e-8, 30000, nullptr, 2), KRelaxEnd::kConverged) << c.nx;
    double largest = 0;
    for (std::size_t n = 0; n < sweep.NodeTotal(); ++n)
      largest = std::max(largest, std::fabs(fast.values()[n] - sweep.values()[n]));
    // The z values span about 70; the sweeps, slow to converge, still lie
    // about 1e-6 from their own fixed point at this precision.
    EXPECT_LT(largest, 1e-5) << c.nx;
    EXPECT_LT(fast.sweepsRun() * c.speedUp, sweep.sweepsRun()) << c.nx << ": " << fast.sweepsRun() << " " << sweep.sweepsRun();
  }
}

TEST(GridRelax, ProgressEveryTenthSweepAndTheAnswers) {
  std::vector<KOne> pts;
  std::mt19937 rng(9);
  std::uniform_real_distribution<double> u(0.0, 20.0);
  for (int k = 0; k < 60; ++k) pts.push_back(Pt(u(rng), u(rng), u(rng)));
  struct Record : KRelaxListener {
    std::vector<int> sweeps;
    KSweepAnswer answer = KSweepAnswer::kGoOn;
    KSweepAnswer OnTenthSweep(int sweep, double change, double factor) override {
      sweeps.push_back(sweep);
      EXPECT_GT(change, 0);
      EXPECT_GE(factor, 0.5);
      EXPECT_LE(factor, 1.8);
      return sweeps.size() == 2 ? answer : KSweepAnswer::kGoOn;
    }
  };
  for (KSweepAnswer answer : {KSweepAnswer::kGoOn, KSweepAnswer::kStop}) {
    Record r;
    r.answer = answer;
    G g;
    Geometry(g, 24, 24);
    const KRelaxEnd result = Level(g, pts, {}, 1e-300, 30, &r);
    EXPECT_EQ(result, answer == KSweepAnswer::kGoOn ? KRelaxEnd::kLimit : KRelaxEnd::kStopped);
    if (answer == KSweepAnswer::kGoOn) {
      EXPECT_EQ(r.sweeps, (std::vector<int>{8, 18, 28}));
      EXPECT_EQ(g.sweepsRun(), 30);
    } else {
      EXPECT_EQ(r.sweeps, (std::vector<int>{8, 18}));
      EXPECT_EQ(g.sweepsRun(), 19);
    }
  }
}

TEST(GridRelax, FlatDataStopsAtTheFirstSweepWithoutPoisoningTheFactor) {
  const std::vector<KOne> pts = {Pt(2, 2, 5), Pt(7, 3, 5), Pt(4, 8, 5)};
  G g;
  Geometry(g, 10, 10);
  EXPECT_EQ(Level(g, pts, {}, 0.0), KRelaxEnd::kConverged);   // precision 0: all z equal
  EXPECT_EQ(g.sweepsRun(), 1);
  EXPECT_EQ(g.relaxation.factor, 1.3);
  for (double v : g.values()) EXPECT_EQ(v, 5.0);
}

TEST(GridRelax, NonFiniteOrExplodingChangesCountAsDivergedNotConverged) {
  const std::vector<KOne> pts = {Pt(2, 2, 1), Pt(7, 3, 2), Pt(4, 8, 3)};
  for (double poison : {std::nan(""), 1e12}) {
    G g;
    Geometry(g, 10, 10);
    g.Prepare(pts.data(), pts.size(), {});
    g.SeedFromData();
    g.SpreadFromData();
    g.FillUnset();
    g.values()[static_cast<std::size_t>(g.Index(5, 5))] = poison;
    EXPECT_EQ(g.Relax(1e-3, 100, nullptr), KRelaxEnd::kDiverged) << poison;
    EXPECT_FALSE(g.ValuesSound());
  }
}

TEST(GridWeight, FactorAdaptsStaysInRangeAndResetsAboveTheTop) {
  G::CWeightDF w;
  w.Update(3.0);   // the first update always lands on 1.3
  EXPECT_DOUBLE_EQ(w.factor, 1.3);
  EXPECT_DOUBLE_EQ(w.best, 3.0);
  w.Update(6.0);   // 1.3 + (3 - 6) / 6
  EXPECT_DOUBLE_EQ(w.factor, 0.8);
  EXPECT_DOUBLE_EQ(w.best, 3.0);
  w.Update(30.0);  // below 0.5: raised to 0.5
  EXPECT_DOUBLE_EQ(w.factor, 0.5);
  w.Update(2.0);   // 0.5 + 0.5
  EXPECT_DOUBLE_EQ(w.factor, 1.0);
  w.Update(1.0);   // 1 + 1 = 2 > 1.8: back to 1.3
  EXPECT_DOUBLE_EQ(w.factor, 1.3);
  EXPECT_DOUBLE_EQ(w.best, 1.0);
  w.Update(0.0);   // nothing changed: no division by zero
  EXPECT_DOUBLE_EQ(w.factor, 1.3);

  std::mt19937 rng(3);
  std::lognormal_distribution<double> change(0.0, 2.0);
  G::CWeightDF r;
  for (int k = 0; k < 10000; ++k) {
    r.Update(change(rng));
    ASSERT_GE(r.factor, 0.5);
    ASSERT_LE(r.factor, 1.8);
  }
}

}  // namespace
