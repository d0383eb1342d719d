// Relax: sweeps until the largest change is below the precision, with the
// over-relaxation factor adapted after every sweep and the listener told
// every tenth.
#include <algorithm>
#include <cmath>

#include "model/grid/kcreate_grid.h"

namespace {

// Sweeps between two progress reports; the first comes after the 9th sweep.
constexpr int kReportEvery = 10;
// A change this many times the data's magnitude means the sweeps diverge.
constexpr double kDivergeFactor = 1e6;

}  // namespace

int KCreateGrid::Relax(double precision, int limit, KRelaxListener* listener, int threads) {
  MarkInterior();
  sweepsRun_ = 0;
  lastChange_ = 0.0;
  TeamPtr team = MakeTeam(threads);
  return RunSweeps(precision, limit, listener, team.get());
}

int KCreateGrid::RunSweeps(double precision, int limit, KRelaxListener* listener, SweepTeam* team) {
  int counter = 1;
  const double bound = DivergenceBound();
  for (int k = 0; k < limit; ++k) {
    const double change = SweepWith(team);
    ++sweepsRun_;
    lastChange_ = change;
    // A NaN change would otherwise pass for "nothing changed".
    if (!std::isfinite(change) || change > bound) return kDiverged;
    // A sweep that changed nothing has converged whatever the precision.
    // The largest change skips NaN nodes, so the values are checked too.
    if (change < precision || change <= 0) return ValuesSound() ? 0 : kDiverged;
    relaxation.Update(change);
    if (++counter == kReportEvery) {
      counter = 0;
      if (!ValuesSound()) return kDiverged;
      if (listener) {
        const int answer = listener->OnTenthSweep(k, change, relaxation.factor);
        if (answer != 0) return answer;
      }
    }
  }
  return ValuesSound() ? 0 : kDiverged;
}

double KCreateGrid::DivergenceBound() const {
  double magnitude = std::fabs(dataMean_);
  for (const DataCell& c : cells_) magnitude = std::max(magnitude, std::fabs(c.z));
  // All-zero data still allows round-off-sized changes.
  return kDivergeFactor * std::max(magnitude, 1e-300);
}

bool KCreateGrid::ValuesSound() const {
  const double bound = DivergenceBound();
  for (double v : values_)
    if (!(std::fabs(v) <= bound)) return false;
  return true;
}
