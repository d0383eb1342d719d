// Accuracy of the whole driver: points sampled from known surfaces are
// gridded and the written grid is compared with the surface.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "io/fxy/fxy_driver.h"
#include "io/grid/net_file_reader.h"
#include "tests/support/recording_status.h"
#include "tests/support/temp_dir.h"

namespace {

// Smooth test surface on [0, 100]^2. Its second derivatives are bounded by
// |fxx| <= 10/15^2 = 0.044, |fxy| <= 10/(15*20) = 0.033, |fyy| <= 10/20^2 = 0.025.
double Smooth(double x, double y) { return 50 + 0.2 * x + 10 * std::sin(x / 15) * std::cos(y / 20); }

// The fault: the line from (45, -10) to (57, 110); east of it is 20 lower.
bool East(double x, double y) { return x > 45 + 0.1 * (y + 10); }
double Faulted(double x, double y) { return Smooth(x, y) - (East(x, y) ? 20 : 0); }
double FaultDistance(double x, double y) { return std::fabs(x - 45 - 0.1 * (y + 10)) / std::sqrt(1.01); }

// A jittered lattice: spacing 5, each point moved up to 1.5 in x and y, so
// no point of the square is farther than about 8 / sqrt(2) from data.
template <class F>
KFxyInput Sample(F f) {
  KFxyInput in;
  std::mt19937 rng(2024);
  std::uniform_real_distribution<double> jitter(-1.5, 1.5);
  for (int j = 0; j <= 20; ++j)
    for (int i = 0; i <= 20; ++i) {
      KOne p;
      p.x = std::clamp(5.0 * i + jitter(rng), 0.0, 100.0);
      p.y = std::clamp(5.0 * j + jitter(rng), 0.0, 100.0);
      p.z = f(p.x, p.y);
      in.points.push_back(p);
    }
  return in;
}

// Grids in with times 3 (final step 2.5) and a tight precision, so that the
// converged surface is measured, not the stopping rule.
KNetFile Grid(const KFxyInput& in, const TempDir& dir, KFxyDialogData::Solver solver) {
  KFxyDialogData d;
  ProposeFxyGrid(in, d);
  d.times = 3;
  d.pre = 1e-4;
  d.solver = solver;
  d.output = dir.File("net");
  RecordingStatus status;
  const KResult r = RunFxy(in, d, status);
  EXPECT_TRUE(r.ok()) << r.message();
  KNetFile net;
  const KResult read = ReadNetFile(d.output, net);
  EXPECT_TRUE(read.ok()) << read.message();
  return net;
}

constexpr double kMaxError = 0.3, kRmsError = 0.05;

struct Errors {
  double rms = 0, max = 0;
  int count = 0;
};

// Errors at the nodes inside [0, 100]^2 that pass the filter.
template <class F, class Keep>
Errors Measure(const KNetFile& net, F f, Keep keep) {
  Errors e;
  double sum = 0;
  for (int i = 0; i < net.nx; ++i)
    for (int j = 0; j < net.ny; ++j) {
      const double x = net.WorldX(i), y = net.WorldY(j);
      if (x < 0 || x > 100 || y < 0 || y > 100 || !keep(x, y)) continue;
      const double d = net.ValueAt(i, j) - f(x, y);
      sum += d * d;
      e.max = std::max(e.max, std::fabs(d));
      ++e.count;
    }
  e.rms = std::sqrt(sum / e.count);
  return e;
}

// Both solvers meet the same bounds.
class GridAccuracy : public testing::TestWithParam<KFxyDialogData::Solver> {};
INSTANTIATE_TEST_SUITE_P(Solvers, GridAccuracy,
                         testing::Values(KFxyDialogData::Solver::kSweep, KFxyDialogData::Solver::kFast));

TEST_P(GridAccuracy, SmoothSurfaceIsReproducedWithinTheInterpolationBound) {
  TempDir dir;
  const KNetFile net = Grid(Sample(Smooth), dir, GetParam());
  ASSERT_EQ(net.nx, 43);
  const Errors e = Measure(net, Smooth, [](double, double) { return true; });
  ASSERT_GT(e.count, 1500);
  // Piecewise-linear interpolation of data no farther apart than h = 8
  // could err by h^2 / 8 * (|fxx| + 2 |fxy| + |fyy|) = 8 * 0.136 = 1.09. A
  // minimum-curvature surface follows the curvature between the data, so
  // what remains is mostly the tie of each point to a node up to 1.25 away
  // by the slope alone: 1/2 * 0.136 * 1.25^2 = 0.11. Allow 0.3 at any node
  // (under a third of the linear bound) and 0.05 RMS (0.5 % of the
  // amplitude).
  EXPECT_LT(e.max, kMaxError);
  EXPECT_LT(e.rms, kRmsError);
}

TEST_P(GridAccuracy, StepAcrossABreakSurvives) {
  TempDir dir;
  KFxyInput in = Sample(Faulted);
  const KNetFile plain = Grid(in, dir, GetParam());
  in.breaks.push_back({{45, 57}, {-10, 110}, 0, "fault"});
  const KNetFile faulted = Grid(in, dir, GetParam());

  // Away from the fault the surface is as smooth as before.
  const auto far = [](double x, double y) { return FaultDistance(x, y) > 5; };
  const Errors away = Measure(faulted, Faulted, far);
  EXPECT_LT(away.max, kMaxError);
  EXPECT_LT(away.rms, kRmsError);

  // Right at the fault, each row keeps the 20 step between the nodes on
  // either side (each within one step, 2.5, of it). Those nodes are reached
  // from one side only, by extrapolation over up to 2.5 with a slope known
  // to about 0.2: allow 1.5.
  int rows = 0;
  for (int j = 0; j < faulted.ny; ++j) {
    const double y = faulted.WorldY(j);
    if (y < 0 || y > 100) continue;
    int west = -1, east = -1;
    for (int i = 0; i < faulted.nx; ++i) {
      const double x = faulted.WorldX(i);
      if (!East(x, y)) west = i;
      else if (east < 0) east = i;
    }
    ASSERT_GE(west, 0);
    ASSERT_EQ(east, west + 1);
    const double xw = faulted.WorldX(west), xe = faulted.WorldX(east);
    const double step = (faulted.ValueAt(west, j) - Smooth(xw, y)) - (faulted.ValueAt(east, j) - Smooth(xe, y));
    EXPECT_NEAR(step, 20, 1.5) << "row " << j;
    ++rows;
  }
  EXPECT_GT(rows, 35);

  // Without the break the step is smeared over the nodes near the fault:
  // there the error is a good part of the step, with the break a fraction of
  // one unit.
  const auto near = [](double x, double y) { return FaultDistance(x, y) <= 5; };
  const Errors withBreak = Measure(faulted, Faulted, near);
  const Errors without = Measure(plain, Faulted, near);
  EXPECT_LT(withBreak.rms, 0.6);
  EXPECT_GT(without.rms, 10 * withBreak.rms);
}

}  // namespace
