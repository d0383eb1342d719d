#pragma once
// The f(x,y) driver: the values of the f(x,y) dialog with their defaults, the
// proposed grid, the caption, and the OK computation that runs the gridding
// levels and writes the net file. Toolkit-free: the dialog and the command
// line are thin fronts that fill KFxyDialogData and implement KFxyStatus.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/grid/fxy_input.h"
#include "platform/base/result.h"

class KCreateGrid;
class KOnes;

// "net.f(x,y)" in this user's private directory (PrivateDirectoryPath):
// never in a directory others may write, where a planted link could make
// the gridding overwrite a file of ours.
std::string DefaultNetPath();
// Whether the gridding may write its net file at path: the private
// directory is made (0700) and checked when path lies in it, and a final
// link owned by another user is refused (kRefused, or as
// EnsurePrivateDirectory fails).
KResult CheckNetOutput(const std::string& path);

// The dialog's values. Fields marked "display only" are derived.
struct KFxyDialogData {
  int numX = 12;            // nodes across the box in x, before refinement
  int numY = 0;             // display only
  double deltX = 0, deltY = 0;   // steps of the first level
  double minX = 0, minY = 0, maxX = 0, maxY = 0;   // the box
  int times = 5;            // number of levels (below 1 runs one)
  double pre = 0;           // convergence precision of each level
  double smooth = 0;        // smoothing weight of each level
  double zMin = 0, zMax = 0, zDelta = 0;   // display only
  std::string output = DefaultNetPath();
  int iterationLimit = 30000;
  // How each level is solved: the relaxation sweeps, or the fast solver of
  // the same equations (KCreateGrid::RelaxFast), or whichever suits the
  // input (ChosenSolver).
  enum class Solver { kSweep, kFast, kAuto };
  Solver solver = Solver::kSweep;
  // Threads of each level's sweeps; the result does not depend on it.
  int threads = 1;
  KFxyLayerChoice layerNames;   // where the points, break lines and outlines come from
  // Change notifications of "times" since the dialog was filled; the first
  // one comes from filling the controls and is ignored.
  int timesChanges = 0;
};

// What GetFxy does before it shows the dialog: forgets the count of times
// changes, gathers the input from doc and proposes the grid.
KFxyInput BeginFxy(const KOnes& doc, KFxyDialogData& data);

// Proposes the z range, the box (outlines other than filled ones, else the
// points' extent), the steps (box width / (num x - 2)), num y and the
// precision (z range / 1000).
void ProposeFxyGrid(const KFxyInput& input, KFxyDialogData& data);

// num x changed: new steps and num y from the box. Values of num x below 3
// give no usable step and leave the steps as they were.
void OnFxyNumXChanged(KFxyDialogData& data);
// What a front may set over the proposal (what is not given keeps the
// proposed value): the fronts without a dialog fill this.
struct KFxyOptions {
  std::optional<std::array<double, 4>> box;   // xmin, ymin, xmax, ymax
  std::optional<int> numX, times;
  std::optional<double> smooth, precision;
  KFxyDialogData::Solver solver = KFxyDialogData::Solver::kSweep;
  int threads = 1;
};
// The solver a run uses: kAuto takes the sweeps when there are break lines
// (the fast solver's coarse grids stop at them, and it takes longer there)
// and the fast solver otherwise.
KFxyDialogData::Solver ChosenSolver(const KFxyInput& input, KFxyDialogData::Solver asked);
// Sets options over the proposal in data: a box or num x gives new steps
// (OnFxyNumXChanged).
void ApplyFxyOptions(const KFxyOptions& options, KFxyDialogData& data);

// times changed: true when the caption is to be updated (not the first time).
bool OnFxyTimesChanged(KFxyDialogData& data);
// "[%d X %d]": num x and num y each replaced (times - 1) times by 2 n - 1.
// Counts of a billion or more read as "6.05e+12"; none is ever negative.
std::string FxyCaption(const KFxyDialogData& data);
// A node count for people: "4097", or "1e+300" once it has ten digits.
std::string FxyCountText(double count);

// How far a level's relaxation is, for a progress bar.
struct KFxyProgress {
  int level = 0, levels = 0;   // 1-based level, number of levels
  int sweep = 0;               // 0-based sweep index
  double change = 0, factor = 0, precision = 0;
};

// The answer to the question asked during a level: go on with it, end the
// whole run ("&End": nothing is written), or go on to the next level.
enum class KFxyAnswer { kContinue, kEnd, kNext };

// Where the OK computation reports to: the status window, or standard error.
class KFxyStatus {
public:
  virtual ~KFxyStatus() = default;
  // Draws text at (x, y) of the status surface, over what was there.
  virtual void Text(int x, int y, const std::string& text) = 0;
  // The same progress line as numbers; for fronts that draw a bar.
  virtual void Progress(const KFxyProgress& /*progress*/) {}
  // The question asked every tenth sweep; kContinue also when the user has
  // not asked anything.
  virtual KFxyAnswer Ask() = 0;
  // True when the run must stop as after "&End" (for example Ctrl-C); also
  // checked between levels and before writing.
  virtual bool StopRequested() { return false; }
};

// One level of the OK computation.
struct KFxyLevel {
  int nx = 0, ny = 0;
  double dx = 0, dy = 0;
};

// Checks the dialog's values against the input and lists the levels that OK
// would run. Fails with kRefused, naming the value at fault, when they make
// no usable grid: no data point, num x below 3, a box or step that is not a
// positive finite number, a z value beyond +-1e100, a negative smoothing
// weight or precision, more
// than 32767 nodes along an axis, or more memory than memoryBytes (0: the
// machine's physical memory).
KResultWith<std::vector<KFxyLevel>> PlanFxyLevels(const KFxyInput& input, const KFxyDialogData& data,
                                                  double memoryBytes = 0);

// The largest num x, with the steps it gives (OnFxyNumXChanged), for which
// PlanFxyLevels accepts data's other values: what the dialog may offer.
// When even 3 is refused for another reason, the axis limit.
int LargestFxyNumX(const KFxyInput& input, const KFxyDialogData& data, double memoryBytes = 0);

// How far the OK computation got (also when it did not finish).
struct KFxyRun {
  int levelsRun = 0;
  int sweeps = 0;        // over all levels
  int nx = 0, ny = 0;    // nodes of the last level run
};

// The OK computation: clamps times to at least 1, runs the levels (each
// twice as fine, seeded from the one before), halving data.deltX and
// data.deltY after each, and writes the last grid to data.output. Status
// lines go to status: "%d/%d  (%d X %d) %e" at (10, 0) and "%d/%d" at
// (10, y) per level, the progress line "%05d %.4e %6.3lf " at (50, y) every
// tenth sweep; y starts at 30 and grows by 20 per level. Starting a viewer
// is left to the front. memoryBytes as for PlanFxyLevels.
// Succeeds when the net file was written. Otherwise nothing is written and
// the status says why: kRefused (as PlanFxyLevels, or no data point inside
// the grid: nothing computed), kCancelled ("&End" or a stop), kFailed (not
// enough memory, or the relaxation diverged: a change or a node value not
// finite or a million times the data's magnitude), kCannotWrite (computed, but the net file not written).
KResultWith<KFxyRun> RunFxy(const KFxyInput& input, KFxyDialogData& data, KFxyStatus& status,
                            double memoryBytes = 0);

// RunFxy without the net file: on success result holds the last level's
// grid (WriteNetFile of it writes what RunFxy would); otherwise it is empty
// and the status is RunFxy's. data.output is not used.
KResultWith<KFxyRun> RunFxyLevels(const KFxyInput& input, KFxyDialogData& data, KFxyStatus& status,
                                  std::unique_ptr<KCreateGrid>& result, double memoryBytes = 0);
