// The OK computation of the f(x,y) dialog: checks, levels, net file.
#include "io/fxy/fxy_driver.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <new>

#include "model/grid/kcreate_grid.h"
#include "io/grid/net_file_writer.h"
#include "platform/base/c_locale.h"
#include "platform/files/private_directory.h"

namespace {

// Where the status lines go on the status surface.
constexpr int kLineX = 10, kHeadY = 0, kProgressX = 50, kFirstLineY = 30, kLineStep = 20;

template <class... Args>
std::string Format(const char* format, Args... args) {
  char text[256];
  KCLocaleScope c;   // '.' decimals whatever the process locale
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

double PhysicalMemory() {
  const long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGESIZE);
  return pages > 0 && size > 0 ? static_cast<double>(pages) * static_cast<double>(size) : 0;
}

bool Finite(double v) { return std::isfinite(v); }

KResult Refuse(const std::string& why) { return KResult(KStatus::kRefused, why); }

// Reports every tenth sweep to the status and asks the question. "Next" and
// "&End" both stop the level's relaxation; the listener remembers an end (or
// a stop request) so that the run ends after the level.
class LevelListener : public KRelaxListener {
public:
  LevelListener(KFxyStatus& status, int level, int levels, int y, double precision)
      : status_(status), y_(y) {
    progress_.level = level;
    progress_.levels = levels;
    progress_.precision = precision;
  }
  KSweepAnswer OnTenthSweep(int sweep, double change, double factor) override {
    status_.Text(kProgressX, y_, Format("%05d %.4e %6.3lf ", sweep, change, factor));
    progress_.sweep = sweep;
    progress_.change = change;
    progress_.factor = factor;
    status_.Progress(progress_);
    const KFxyAnswer answer = status_.StopRequested() ? KFxyAnswer::kEnd : status_.Ask();
    ended_ = answer == KFxyAnswer::kEnd;
    return answer == KFxyAnswer::kContinue ? KSweepAnswer::kGoOn : KSweepAnswer::kStop;
  }
  bool Ended() const { return ended_; }

private:
  KFxyStatus& status_;
  int y_;
  KFxyProgress progress_;
  bool ended_ = false;
};

// The input points and breaks in the grid coordinates of one level. The
// originals stay in world coordinates, so every level converts from them.
void ToGrid(const KCreateGrid& g, const KFxyInput& in, std::vector<KOne>& points,
            std::vector<KGridLine>& breaks) {
  points.resize(in.points.size());
  for (std::size_t k = 0; k < in.points.size(); ++k) {
    points[k] = in.points[k];
    points[k].x = g.ToGridX(in.points[k].x);
    points[k].y = g.ToGridY(in.points[k].y);
  }
  breaks.resize(in.breaks.size());
  for (std::size_t k = 0; k < in.breaks.size(); ++k) {
    const KFxyCurve& c = in.breaks[k];
    KGridLine& line = breaks[k];
    line.gx.resize(c.x.size());
    line.gy.resize(c.y.size());
    for (std::size_t i = 0; i < c.x.size(); ++i) line.gx[i] = g.ToGridX(c.x[i]);
    for (std::size_t i = 0; i < c.y.size(); ++i) line.gy[i] = g.ToGridY(c.y[i]);
  }
}

// The precision a level is solved to. The sweeps take the dialog's on every
// level. The fast solver takes it on the last level and halves it on each
// level before: a coarse level costs a quarter of the one after it, and the
// closer its values, the fewer cycles the finer level needs from their
// interpolation (on survey lines at 1987² nodes, 17% less work at the same
// accuracy).
double LevelPrecision(double pre, KFxyDialogData::Solver solver, int level, int levels) {
  if (solver != KFxyDialogData::Solver::kFast) return pre;
  return std::ldexp(pre, -(levels - level));
}

}  // namespace

KResultWith<std::vector<KFxyLevel>> PlanFxyLevels(const KFxyInput& in, const KFxyDialogData& d,
                                                  double memoryBytes) {
  std::vector<KFxyLevel> levels;
  if (in.points.empty()) {
    std::string layers;
    for (const std::string& name : d.layerNames.points) layers += (layers.empty() ? "" : ", ") + name;
    return Refuse("no data point on the layer" + std::string(d.layerNames.points.size() > 1 ? "s " : " ") + layers);
  }
  if (d.numX < 3) return Refuse("num x must be at least 3 (it is " + std::to_string(d.numX) + ")");
  if (!Finite(d.minX) || !Finite(d.minY) || !Finite(d.maxX) || !Finite(d.maxY) || d.maxX < d.minX ||
      d.maxY < d.minY)
    return Refuse("the box is not a finite rectangle");
  if (!(d.deltX > 0) || !(d.deltY > 0) || !Finite(d.deltX) || !Finite(d.deltY))
    return Refuse(d.maxX == d.minX ? "the box has no width: all points share one x"
                                   : "the grid steps (delt x, delt y) must be positive numbers");
  if (!(d.smooth >= 0) || !Finite(d.smooth)) return Refuse("smooth must be 0 or more");
  // Beyond this magnitude a z value reads as an unset node, and the
  // proposed precision (a share of the z range) would overflow.
  for (const KOne& p : in.points)
    if (!(std::fabs(p.z) <= KCreateGrid::kUnsetAbove))
      return Refuse(Format("the z value %g at (%g, %g) is out of range: z values must lie within +-1e100", p.z,
                           p.x, p.y));
  if (!(d.pre >= 0) || !Finite(d.pre)) return Refuse("the precision must be 0 or more");

  const int times = d.times < 1 ? 1 : d.times;
  const double budget = memoryBytes > 0 ? memoryBytes : PhysicalMemory();
  double dx = d.deltX, dy = d.deltY, previousNodes = 0;
  for (int level = 1; level <= times; ++level) {
    const double nx = KCreateGrid::NodeCount(d.minX, d.maxX, dx);
    const double ny = KCreateGrid::NodeCount(d.minY, d.maxY, dy);
    if (!(nx <= KCreateGrid::kMaxAxisNodes && ny <= KCreateGrid::kMaxAxisNodes))
      return Refuse(Format("level %d would have %s X %s nodes; at most %d are possible along an axis", level,
                           FxyCountText(nx).c_str(), FxyCountText(ny).c_str(), KCreateGrid::kMaxAxisNodes));
    const double nodes = nx * ny;
    // This level and the one it is seeded from live together; add the
    // working copy of the points and the data cells.
    const double bytes = (nodes + previousNodes) * KCreateGrid::kBytesPerNode +
                         static_cast<double>(in.points.size()) * sizeof(KOne) +
                         std::min(nodes, static_cast<double>(in.points.size())) * sizeof(KCreateGrid::DataCell);
    if (budget > 0 && bytes > budget)
      return Refuse(Format("level %d would have %s X %s nodes, more than memory holds (%s MiB needed)", level,
                           FxyCountText(nx).c_str(), FxyCountText(ny).c_str(),
                           FxyCountText(std::ceil(bytes / 1048576.0)).c_str()));
    levels.push_back({static_cast<int>(nx), static_cast<int>(ny), dx, dy});
    previousNodes = nodes;
    dx /= 2;
    dy /= 2;
  }
  return levels;
}

KFxyDialogData::Solver ChosenSolver(const KFxyInput& input, KFxyDialogData::Solver asked) {
  using Solver = KFxyDialogData::Solver;
  if (asked != Solver::kAuto) return asked;
  return input.breaks.empty() ? Solver::kFast : Solver::kSweep;
}

KResult CheckNetOutput(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash != std::string::npos && path.substr(0, slash) == PrivateDirectoryPath())
    if (KResult dir = EnsurePrivateDirectory(path.substr(0, slash)); !dir) return dir;
  return CheckLinkOwner(path);
}

int LargestFxyNumX(const KFxyInput& input, const KFxyDialogData& data, double memoryBytes) {
  KFxyDialogData d = data;
  const auto fits = [&](int numX) {
    d.numX = numX;
    OnFxyNumXChanged(d);
    return PlanFxyLevels(input, d, memoryBytes).ok();
  };
  // More nodes along x never make a grid that fits more easily.
  int lo = 3, hi = KCreateGrid::kMaxAxisNodes;
  if (!fits(lo)) return hi;
  while (lo < hi) {
    const int mid = lo + (hi - lo + 1) / 2;
    if (fits(mid))
      lo = mid;
    else
      hi = mid - 1;
  }
  return lo;
}

KResultWith<KFxyRun> RunFxyLevels(const KFxyInput& in, KFxyDialogData& d, KFxyStatus& status,
                                  std::unique_ptr<KCreateGrid>& result, double memoryBytes) {
  result.reset();
  KFxyRun run;
  if (KResult plan = PlanFxyLevels(in, d, memoryBytes); !plan) return plan;

  if (d.times < 1) d.times = 1;
  const int times = d.times;
  const KFxyDialogData::Solver solver = ChosenSolver(in, d.solver);
  int y = kFirstLineY;
  std::unique_ptr<KCreateGrid> previous;
  std::vector<KOne> points;
  std::vector<KGridLine> breaks;
  try {
    for (int level = 1; level <= times; ++level) {
      auto grid = std::make_unique<KCreateGrid>();
      grid->smooth = d.smooth;
      grid->SetGeometry(d.minX, d.minY, d.maxX, d.maxY, d.deltX, d.deltY);
      const double precision = LevelPrecision(d.pre, solver, level, times);
      status.Text(kLineX, kHeadY, Format("%d/%d  (%d X %d) %e", level, times, grid->nx(), grid->ny(), precision));
      status.Text(kLineX, y, Format("%d/%d", level, times));

      ToGrid(*grid, in, points, breaks);
      grid->Prepare(points.data(), points.size(), breaks);
      std::vector<KOne>().swap(points);   // the data cells hold what the level needs of them
      grid->SeedFromData();
      if (!previous && grid->dataCells().empty())
        return Refuse("no data point lies inside the grid away from the break lines");
      if (previous) {
        if (solver == KFxyDialogData::Solver::kFast)
          grid->SeedFromCoarserCubic(*previous);
        else
          grid->SeedFromCoarser(*previous);
        previous.reset();   // seeded: its memory can serve this level
      } else {
        grid->SpreadFromData();
      }
      grid->FillUnset();

      LevelListener listener(status, level, times, y, precision);
      const KRelaxEnd end = solver == KFxyDialogData::Solver::kFast
                                ? grid->RelaxFast(precision, d.iterationLimit, &listener, d.threads)
                                : grid->Relax(precision, d.iterationLimit, &listener, d.threads);
      run.sweeps += grid->sweepsRun();
      run.levelsRun = level;
      run.nx = grid->nx();
      run.ny = grid->ny();

      if (end == KRelaxEnd::kDiverged || !grid->ValuesSound())
        return {KResult(KStatus::kFailed,
                        Format("the gridding diverged at level %d after %d sweeps (largest change %.4g); "
                               "try fewer break lines, a larger smooth or fewer levels",
                               level, grid->sweepsRun(), grid->lastChange())),
                run};

      d.deltX /= 2;
      d.deltY /= 2;
      previous = std::move(grid);
      if (listener.Ended() || status.StopRequested())
        return {KResult(KStatus::kCancelled, "ended; no net file written"), run};
      y += kLineStep;
    }
  } catch (const std::bad_alloc&) {
    return {KResult(KStatus::kFailed, "not enough memory for the grid"), run};
  }

  result = std::move(previous);
  return run;
}

KResultWith<KFxyRun> RunFxy(const KFxyInput& in, KFxyDialogData& d, KFxyStatus& status, double memoryBytes) {
  if (KResult plan = PlanFxyLevels(in, d, memoryBytes); !plan) return plan;
  // Checked before the work, so a refused output costs no gridding.
  if (KResult output = CheckNetOutput(d.output); !output) return output;
  std::unique_ptr<KCreateGrid> grid;
  KResultWith<KFxyRun> run = RunFxyLevels(in, d, status, grid, memoryBytes);
  if (!run) return run;
  if (KResult written = WriteNetFile(*grid, d.output); !written) return {std::move(written), run.value()};
  return run;
}
