// Relaxation sweeps of the gridding engine on square grids: scattered data
// from a smooth surface, with and without a fault across the grid. Reports
// the time per sweep (each iteration is one Relax of kSweeps sweeps).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "model/grid/kcreate_grid.h"

namespace {

constexpr int kSweeps = 10;

// A prepared, seeded and filled grid of n x n nodes, per1000 points a
// thousand nodes.
KCreateGrid MakeGrid(int n, bool fault, int per1000 = 50) {
  KCreateGrid g;
  g.SetGeometry(0, 0, n - 3, n - 3, 1, 1);
  std::mt19937 rng(1);
  std::uniform_real_distribution<double> u(0, n - 1);
  std::vector<KOne> pts(static_cast<std::size_t>(n) * n * per1000 / 1000);
  for (KOne& p : pts) {
    p.x = u(rng);
    p.y = u(rng);
    p.z = 100 * std::sin(p.x / 50) * std::cos(p.y / 70);
  }
  std::vector<KGridLine> breaks;
  if (fault) breaks.push_back({{n * 0.2, n * 0.7}, {-1.0, n + 1.0}});
  g.Prepare(pts.data(), pts.size(), breaks);
  g.SeedFromData();
  g.SpreadFromData();
  g.FillUnset();
  return g;
}

// Arguments: nodes a side, fault (0 or 1), points a thousand nodes.
void BM_RelaxSweeps(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const bool fault = state.range(1) != 0;
  KCreateGrid g = MakeGrid(n, fault, static_cast<int>(state.range(2)));
  const std::vector<double> start = g.values();
  for (auto _ : state) {
    state.PauseTiming();
    g.values() = start;
    g.relaxation = KCreateGrid::CWeightDF();
    state.ResumeTiming();
    benchmark::DoNotOptimize(g.Relax(0.0, kSweeps, nullptr));
  }
  state.counters["nodes"] = static_cast<double>(g.NodeTotal());
  // Node updates per second of CPU time.
  state.counters["updates"] = benchmark::Counter(static_cast<double>(g.NodeTotal()) * kSweeps,
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RelaxSweeps)->Args({200, 0, 50})->Args({1000, 0, 50})->Args({1000, 1, 50})->Args({1000, 0, 10})->Unit(benchmark::kMillisecond);

void BM_Prepare(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(MakeGrid(n, true).dataMean());
}
BENCHMARK(BM_Prepare)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
