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

KRelaxEnd KCreateGrid::Relax(double precision, int limit, KRelaxListener* listener, int threads) {
  MarkInterior();
  sweepsRun_ = 0;
  lastChange_ = 0.0;
  TeamPtr team = MakeTeam(threads);
  return RunSweeps(precision, limit, listener, team.get());
}

KRelaxEnd KCreateGrid::RunSweeps(double precision, int limit, KRelaxListener* listener, SweepTeam* team) {
  // Converged only where the values are sound too: the largest change skips
  // NaN nodes.
  const auto unlessUnsound = [this](KRelaxEnd end) { return ValuesSound() ? end : KRelaxEnd::kDiverged; };
  int counter = 1;
  const double bound = DivergenceBound();
  for (int k = 0; k < limit; ++k) {
    const double change = SweepWith(team);
    ++sweepsRun_;
    lastChange_ = change;
    // A NaN change would otherwise pass for "nothing changed".
    if (!std::isfinite(change) || change > bound) return KRelaxEnd::kDiverged;
    // A sweep that changed nothing has converged whatever the precision.
    if (change < precision || change <= 0) return unlessUnsound(KRelaxEnd::kConverged);
    relaxation.Update(change);
    if (++counter == kReportEvery) {
      counter = 0;
      if (!ValuesSound()) return KRelaxEnd::kDiverged;
      if (listener && listener->OnTenthSweep(k, change, relaxation.factor) == KSweepAnswer::kStop)
        return KRelaxEnd::kStopped;
    }
  }
  return unlessUnsound(KRelaxEnd::kLimit);
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
