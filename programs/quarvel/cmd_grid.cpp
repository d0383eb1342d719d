// quarvel grid [--times N] [--num-x N] [--smooth S] [--precision P]
//              [--box XMIN,YMIN,XMAX,YMAX] [--solver sweep|fast|auto] [--threads N]
//              [--points LAYER] [--faults LAYER] [--outline LAYER] FILE... [-o NET]
// Opens the drawings into one window as "quarvel info" does, gathers the
// f(x,y) input from its layers (the f(x,y) layers, or those named: each
// option may be given again for more layers), runs the gridding levels with the dialog's
// defaults (or the values given) and writes the net file. Status lines go to
// standard error, with a progress bar when it is a terminal. Ctrl-C answers
// "&End": nothing is written.
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "io/fxy/fxy_driver.h"
#include "platform/base/c_locale.h"
#include "programs/quarvel/command.h"
#include "programs/quarvel/open_input.h"
#include "window/editor/quarvel_window.h"

namespace {

constexpr const char* kUsage =
    "grid [--times N] [--num-x N] [--smooth S] [--precision P] [--box XMIN,YMIN,XMAX,YMAX]\n"
    "             [--solver sweep|fast|auto] [--threads N]\n"
    "             [--points LAYER] [--faults LAYER] [--outline LAYER] FILE... [-o NET]\n"
    "             (--solver auto: sweep when the input has break lines, fast otherwise)";

volatile sig_atomic_t interrupted = 0;
extern "C" void OnInterrupt(int) { interrupted = 1; }

// Catches Ctrl-C for its lifetime; a second Ctrl-C kills as usual.
class InterruptScope {
public:
  InterruptScope() {
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, &previous_);
  }
  ~InterruptScope() { sigaction(SIGINT, &previous_, nullptr); }
  InterruptScope(const InterruptScope&) = delete;
  InterruptScope& operator=(const InterruptScope&) = delete;

private:
  struct sigaction previous_;
};

// Status lines on standard error. On a terminal each level's progress line
// is redrawn in place behind a bar; otherwise the last progress line of a
// level is printed when the level ends.
class StderrStatus : public KFxyStatus {
public:
  explicit StderrStatus(bool terminal) : terminal_(terminal) {}

  void Text(int x, int y, const std::string& text) override {
    if (y == 0) {            // head line of a new level
      FinishLevel();
      std::fprintf(stderr, "%s\n", text.c_str());
    } else if (x == kLabelX) {
      label_ = text;
      first_ = 0;
    } else {
      progress_ = text;
    }
  }
  void Progress(const KFxyProgress& p) override {
    if (!terminal_) return;
    if (first_ <= 0) first_ = p.change;
    // Share of the way from the first reported change down to the precision,
    // on a log scale.
    double share = 1;
    if (p.precision > 0 && first_ > p.precision && p.change > p.precision)
      share = std::log(first_ / p.change) / std::log(first_ / p.precision);
    if (!(share >= 0)) share = 0;
    if (share > 1) share = 1;
    constexpr int kWidth = 30;
    const int filled = static_cast<int>(share * kWidth);
    std::fprintf(stderr, "\r\033[K%s [%s%s] %s", label_.c_str(), std::string(filled, '#').c_str(),
                 std::string(kWidth - filled, '.').c_str(), progress_.c_str());
    std::fflush(stderr);
    drawn_ = true;
  }
  KFxyAnswer Ask() override { return interrupted ? KFxyAnswer::kEnd : KFxyAnswer::kContinue; }
  bool StopRequested() override { return interrupted != 0; }

  // Ends the current level's line.
  void FinishLevel() {
    if (terminal_ && drawn_) std::fprintf(stderr, "\n");
    if (!terminal_ && !progress_.empty()) std::fprintf(stderr, "%s %s\n", label_.c_str(), progress_.c_str());
    drawn_ = false;
    progress_.clear();
  }

private:
  static constexpr int kLabelX = 10;
  bool terminal_;
  bool drawn_ = false;
  std::string label_, progress_;
  double first_ = 0;
};

// Cores not already busy: the wavefront's rows wait for each other, so a
// thread on a core that other processes keep busy stalls the rest.
int AvailableCores() {
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  double load = 0;
  if (getloadavg(&load, 1) != 1) return cores;
  return std::clamp(cores - static_cast<int>(std::lround(load)), 1, cores);
}

bool ParseNumber(const std::string& text, double& value) {
  KCLocaleScope c;
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  // An underflow (1e-308) still gives the nearest number: only an overflow
  // (infinite) is refused.
  return !text.empty() && end && *end == '\0' && (errno == 0 || errno == ERANGE) && std::isfinite(value);
}

bool ParseInt(const std::string& text, int& value) {
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || !end || *end != '\0' || errno != 0 || v < -1000000000 || v > 1000000000) return false;
  value = static_cast<int>(v);
  return true;
}

struct Options {
  std::vector<std::string> inputs;
  std::string output;
  KFxyOptions fxy;
  bool threadsGiven = false;   // else the cores available
  // Layers named for points, break lines and outlines; an empty role keeps
  // its default layer.
  std::vector<std::string> layers[3];
};

bool Bad(const std::string& what) {
  std::fprintf(stderr, "quarvel grid: %s\nusage: quarvel %s\n", what.c_str(), kUsage);
  return false;
}

bool ParseArguments(const std::vector<std::string>& args, Options& o) {
  bool optionsDone = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsDone || a.size() < 2 || a[0] != '-') {
      o.inputs.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsDone = true;
      continue;
    }
    if (i + 1 >= args.size()) return Bad(a + " needs a value");
    const std::string& v = args[++i];
    if (a == "-o" || a == "--output") {
      o.output = v;
    } else if (a == "--times") {
      if (int times = 0; ParseInt(v, times))
        o.fxy.times = times;
      else
        return Bad("--times needs a whole number");
    } else if (a == "--num-x") {
      if (int numX = 0; ParseInt(v, numX))
        o.fxy.numX = numX;
      else
        return Bad("--num-x needs a whole number");
    } else if (a == "--smooth") {
      if (double smooth = 0; ParseNumber(v, smooth))
        o.fxy.smooth = smooth;
      else
        return Bad("--smooth needs a number");
    } else if (a == "--precision") {
      if (double pre = 0; ParseNumber(v, pre))
        o.fxy.precision = pre;
      else
        return Bad("--precision needs a number");
    } else if (a == "--solver") {
      using Solver = KFxyDialogData::Solver;
      if (v != "sweep" && v != "fast" && v != "auto") return Bad("--solver is sweep, fast or auto");
      o.fxy.solver = v == "fast" ? Solver::kFast : v == "auto" ? Solver::kAuto : Solver::kSweep;
    } else if (a == "--threads") {
      if (!ParseInt(v, o.fxy.threads) || o.fxy.threads < 1 || o.fxy.threads > 1024) return Bad("--threads needs a number from 1 to 1024");
      o.threadsGiven = true;
    } else if (a == "--points" || a == "--faults" || a == "--outline") {
      o.layers[a == "--points" ? 0 : a == "--faults" ? 1 : 2].push_back(v);
    } else if (a == "--box") {
      std::vector<std::string> parts(1);
      for (char ch : v) {
        if (ch == ',')
          parts.emplace_back();
        else
          parts.back() += ch;
      }
      if (parts.size() != 4) return Bad("--box needs XMIN,YMIN,XMAX,YMAX");
      std::array<double, 4> box{};
      for (std::size_t k = 0; k < 4; ++k)
        if (!ParseNumber(parts[k], box[k])) return Bad("--box needs four numbers");
      if (box[2] <= box[0] || box[3] < box[1]) return Bad("--box needs XMIN < XMAX and YMIN <= YMAX");
      o.fxy.box = box;
    } else {
      return Bad("unknown option '" + a + "'");
    }
  }
  if (o.inputs.empty()) return Bad("no drawing given");
  return true;
}

KExit RunGrid(const std::vector<std::string>& args) {
  Options o;
  if (!ParseArguments(args, o)) return KExit::kUsage;

  QuarvelWindow window;
  for (const std::string& input : o.inputs) {
    if (const KResult opened = OpenInput(window, input); !opened) {
      std::fprintf(stderr, "quarvel grid: %s; nothing written\n", opened.message().c_str());
      return ExitFor(opened.status());
    }
  }

  KFxyDialogData d;
  // A default layer may be missing; one the user named must be there.
  KFxyLayerChoice named;
  for (int role = 0; role < 3; ++role) {
    named.Role(role) = o.layers[role];
    if (!o.layers[role].empty()) d.layerNames.Role(role) = o.layers[role];
  }
  if (const std::vector<std::string> missing = MissingFxyLayers(window, named); !missing.empty()) {
    Bad("the drawing has no layer '" + missing.front() + "'");
    return KExit::kUsage;
  }
  const KFxyInput in = BeginFxy(window, d);
  if (!o.output.empty()) d.output = o.output;
  if (!o.threadsGiven) o.fxy.threads = AvailableCores();
  ApplyFxyOptions(o.fxy, d);

  interrupted = 0;
  InterruptScope catchCtrlC;
  {
    KCLocaleScope c;
    std::fprintf(stderr, "%s; box %g,%g,%g,%g; %s\n", FxySourcesText(in).c_str(), d.minX, d.minY, d.maxX, d.maxY,
                 FxyCaption(d).c_str());
    if (in.droppedPoints)
      std::fprintf(stderr, "%zu points left out: not finite numbers\n", in.droppedPoints);
  }
  StderrStatus status(isatty(STDERR_FILENO) == 1);
  const KResultWith<KFxyRun> r = RunFxy(in, d, status);
  status.FinishLevel();

  const KFxyRun& run = r.value();
  if (r.ok()) {
    std::fprintf(stderr, "wrote %s: %d X %d nodes, %d sweeps over %d levels\n", d.output.c_str(), run.nx, run.ny,
                 run.sweeps, run.levelsRun);
  } else if (r.status() == KStatus::kCancelled || r.status() == KStatus::kCannotWrite) {
    // These messages say themselves what became of the net file.
    std::fprintf(stderr, "quarvel grid: %s\n", r.message().c_str());
  } else {
    std::fprintf(stderr, "quarvel grid: %s; nothing written\n", r.message().c_str());
  }
  return ExitFor(r.status());
}

KCommandRegistrar reg({"grid", kUsage, &RunGrid});

}  // namespace
