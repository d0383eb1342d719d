// One relaxation sweep: Gauss-Seidel in index order with over-relaxation.
// Interior nodes use the 13-point biharmonic stencil straight from the value
// array; the other nodes average partial estimates from neighbour lists
// built once per level. Rows go in blocks of interleaved rows (see
// RelaxBlockSteps). On several threads the blocks run as a wavefront: a
// block starts a column once the row below it has passed two columns beyond
// it, so every node reads exactly the values the row-by-row sweep would.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <thread>

#include "model/grid/kcreate_grid.h"
#include "model/grid/kcreate_grid_node.h"
#include "model/grid/kcreate_grid_stencil.h"

using namespace kgrid_stencil;

void KCreateGrid::MarkInterior() {
  std::fill(flags_.begin(), flags_.end(), 0);
  std::uint8_t* flags = flags_.data();
  const std::int32_t* link = linkOf_.data();
  const bool anyLink = !links_.empty();
  const std::ptrdiff_t w = nx_;
  const auto free = [&](std::ptrdiff_t n) { return link[n] == kNoLinkRecord; };
  for (int j = 2; j <= ny_ - 3; ++j) {
    const std::ptrdiff_t first = Index(2, j), end = Index(nx_ - 2, j);
    // Without breaks every node there is interior: a loop the compiler can
    // run several nodes at a time.
    if (!anyLink) {
      for (std::ptrdiff_t n = first; n < end; ++n)
        flags[n] = kInteriorFlag | kPlainFlag;
      continue;
    }
    for (std::ptrdiff_t n = first; n < end; ++n)
      if (free(n) && free(n - 1) && free(n + 1) && free(n - w) && free(n + w)) flags[n] = kInteriorFlag | kPlainFlag;
  }
  for (const std::int32_t n : cellNode_) flags[n] &= static_cast<std::uint8_t>(~kPlainFlag);
  BuildBorderLists();
}

void KCreateGrid::BuildBorderLists() {
  terms_.clear();
  border_.clear();
  rowBorder_.assign(static_cast<std::size_t>(ny_) + 1, 0);
  // Interior nodes come in long runs: eight flags are tested at once.
  constexpr std::uint64_t kAllInterior = 0x0101010101010101ull * kInteriorFlag;
  for (int j = 0; j < ny_; ++j) {
    rowBorder_[static_cast<std::size_t>(j)] = static_cast<std::int32_t>(border_.size());
    const std::uint8_t* rowFlags = flags_.data() + Index(0, j);
    for (int i = 0; i < nx_; ++i) {
      if (i + 8 <= nx_) {
        std::uint64_t eight;
        std::memcpy(&eight, rowFlags + i, sizeof eight);
        if ((eight & kAllInterior) == kAllInterior) {
          i += 7;
          continue;
        }
      }
      const int node = Index(i, j);
      if (rowFlags[i] & kInteriorFlag) continue;
      BorderNode b{};
      b.node = node;
      b.cell = CellAt(node);
      b.firstTerm = static_cast<std::int32_t>(terms_.size());
      int dg[4];
      for (int d = 0; d < 4; ++d) b.nb[d] = Neighbour(node, d);
      for (int d = 0; d < 4; ++d) dg[d] = Diagonal(node, d);
      const auto add = [&](TermKind kind, int a, int c, int e = -1) {
        terms_.push_back({a, c, e, kind});
        b.weight += kTermWeight[kind];
      };
      // The order is the summation order: it fixes the rounding.
      for (int axis = 0; axis < 2; ++axis)
        if (b.nb[axis] >= 0 && b.nb[axis + 2] >= 0) add(kMidpoint, b.nb[axis], b.nb[axis + 2]);
      for (int d = 0; d < 4; ++d) {
        if (b.nb[d] < 0) continue;
        const int far = Neighbour(b.nb[d], d);
        if (far >= 0) add(kExtrapolation, b.nb[d], far);
      }
      for (int d = 0; d < 2; ++d)
        if (dg[d] >= 0 && dg[d + 2] >= 0) add(kMidpoint, dg[d], dg[d + 2]);
      for (int d = 0; d < 4; ++d) {
        if (dg[d] < 0) continue;
        const int far = Diagonal(dg[d], d);
        if (far >= 0) add(kExtrapolation, dg[d], far);
      }
      for (int d = 0; d < 4; ++d) {
        const int a = b.nb[d], c = b.nb[(d + 1) % 4];
        if (a < 0 || c < 0) continue;
        const int e = Neighbour(c, d);
        if (e >= 0) add(kPlane, a, c, e);
      }
      b.termCount = static_cast<std::int32_t>(terms_.size()) - b.firstTerm;
      if (b.weight < kNoEstimate) b.termCount = 0;
      border_.push_back(b);
    }
  }
  rowBorder_[static_cast<std::size_t>(ny_)] = static_cast<std::int32_t>(border_.size());
  // Grown by doubling, the lists would keep up to twice what they hold for
  // the whole relaxation.
  terms_.shrink_to_fit();
  border_.shrink_to_fit();
}

double KCreateGrid::RelaxInteriorRun(int& node, int end, double largest) {
  // The two values just written to the left are carried in registers.
  double* z = values_.data();
  const std::ptrdiff_t w = nx_;
  const double factor = relaxation.factor;
  const double leftWeight = factor * kDirect;
  const std::uint8_t* flags = flags_.data();
  int n = node;
  // The run's nodes are consecutive and cells are numbered in node order:
  // one search finds the run's first data cell, each later one is the next.
  std::int32_t cell = -1;
  const auto nextCell = [&](int at) { return cell = cell < 0 ? CellAt(at) : cell + 1; };
  double left = z[n - 1], left2 = z[n - 2];
  for (; n < end && (flags[n] & kInteriorFlag); ++n) {
    double* p = z + n;
    const double value =
        (flags[n] & kPlainFlag)
            ? kgrid_node::Plain(p, w, left, left2, factor, leftWeight, largest)
            : kgrid_node::Data(p, w, left, left2, cells_[static_cast<std::size_t>(nextCell(n))],
                               factor, smooth, largest);
    p[0] = value;
    left2 = left;
    left = value;
  }
  node = n;
  return largest;
}

bool KCreateGrid::BorderTarget(const BorderNode& b, double& target) const {
  if (b.termCount == 0) return false;
  const double* z = values_.data();
  double sum = 0.0;
  const EstimateTerm* t = terms_.data() + b.firstTerm;
  for (const EstimateTerm* end = t + b.termCount; t < end; ++t) {
    switch (t->kind) {
      case kMidpoint: sum += kTermWeight[kMidpoint] * ((z[t->a] + z[t->b]) / 2); break;
      case kExtrapolation: sum += kTermWeight[kExtrapolation] * (2 * z[t->a] - z[t->b]); break;
      default: sum += kTermWeight[kPlane] * (z[t->a] + z[t->b] - z[t->e]); break;
    }
  }
  const double estimate = sum / b.weight;
  if (estimate > kUnsetAbove) return false;

  target = estimate;
  const std::int32_t c = b.cell;
  if (c >= 0 && b.nb[0] >= 0 && b.nb[1] >= 0 && b.nb[2] >= 0 && b.nb[3] >= 0) {
    const DataCell& cell = cells_[static_cast<std::size_t>(c)];
    const double gx2 = z[b.nb[kMinusX]] - z[b.nb[kPlusX]];
    const double gy2 = z[b.nb[kMinusY]] - z[b.nb[kPlusY]];
    const double tied = cell.z + 0.5 * (gx2 * cell.dx + gy2 * cell.dy);
    const double a = std::max(0.0, smooth * cell.w);
    target = a > kHugeWeight ? estimate : (tied + a * estimate) / (a + 1.0);
  }
  return true;
}

double KCreateGrid::RelaxBorder(const BorderNode& b, double largest) {
  double target;
  if (!BorderTarget(b, target)) return largest;
  double* p = values_.data() + b.node;
  const double change = target - *p;
  *p += relaxation.factor * change;
  return std::fabs(change) > largest ? std::fabs(change) : largest;
}

namespace {

// One thread: the whole row is one stretch, nobody to wait for.
struct NoSync {
  int Stretch(int nx) const { return nx; }
  void Wait(int, int) {}
  void Passed(int, int) {}
};

}  // namespace

template <class Sync>
double KCreateGrid::SweepRow(int j, double largest, Sync& sync) {
  const BorderNode* border = border_.data() + rowBorder_[static_cast<std::size_t>(j)];
  const int row = Index(0, j);
  const int stretch = sync.Stretch(nx_);
  for (int c0 = 0; c0 < nx_; c0 += stretch) {
    const int c1 = std::min(nx_, c0 + stretch);
    sync.Wait(j, c1);
    largest = RelaxSpan(row + c0, row + c1, border, largest);
    sync.Passed(j, c1);
  }
  return largest;
}

double KCreateGrid::RelaxSpan(int n, int end, const BorderNode*& border, double largest) {
  const std::uint8_t* flags = flags_.data();
  while (n < end) {
    if (flags[n] & kInteriorFlag) {
      largest = RelaxInteriorRun(n, end, largest);
    } else {
      largest = RelaxBorder(*border++, largest);
      ++n;
    }
  }
  return largest;
}

template <class Sync>
double KCreateGrid::SweepBlock(int first, int rows, double largest, Sync& sync) {
  RowBlock b;
  StartBlock(b, first, rows);
  const int lag = kBlockLag * (rows - 1);   // columns the last row trails the first
  const int steps = nx_ + lag;
  const int stretch = sync.Stretch(nx_);
  for (int s0 = 0; s0 < steps; s0 += stretch) {
    const int s1 = std::min(steps, s0 + stretch);
    sync.Wait(first, std::min(s1, nx_));
    RelaxBlockSteps(b, s0, s1);
    sync.Passed(first + rows - 1, std::clamp(s1 - lag, 0, nx_));
  }
  // The largest change skips NaN; the order the changes meet in is free.
  return std::max(largest, b.largest);
}

double KCreateGrid::Sweep() {
  double largest = 0.0;
  NoSync none;
  const int k = BlockRows();
  for (int j = 0; j < ny_; j += k) largest = SweepBlock(j, std::min(k, ny_ - j), largest, none);
  return largest;
}

double KCreateGrid::SweepEdge(int width) {
  double largest = 0.0;
  NoSync none;
  // Columns [c0, c1) of row j; border points at the row's border list.
  const auto stretch = [&](int j, int c0, int c1, const BorderNode* border) {
    largest = RelaxSpan(Index(c0, j), Index(c1, j), border, largest);
  };
  for (int j = 0; j < ny_; ++j) {
    if (j < width || j >= ny_ - width || 2 * width >= nx_) {
      largest = SweepRow(j, largest, none);
      continue;
    }
    const BorderNode* first = border_.data() + rowBorder_[static_cast<std::size_t>(j)];
    const BorderNode* last = border_.data() + rowBorder_[static_cast<std::size_t>(j) + 1];
    stretch(j, 0, width, first);
    const int right = Index(nx_ - width, j);
    stretch(j, nx_ - width, nx_,
            std::lower_bound(first, last, right, [](const BorderNode& b, int n) { return b.node < n; }));
  }
  return largest;
}

double KCreateGrid::SweepEdgeBack(int width) {
  double largest = 0.0;
  // Columns [c0, c1) of row j from right to left; last is one past the
  // row's border nodes, walked back as the nodes are.
  const auto stretch = [&](int j, int c0, int c1) {
    const BorderNode* first = border_.data() + rowBorder_[static_cast<std::size_t>(j)];
    const BorderNode* border = border_.data() + rowBorder_[static_cast<std::size_t>(j) + 1];
    const int lo = Index(c0, j);
    for (int n = Index(c1, j) - 1; n >= lo; --n) {
      if (flags_[static_cast<std::size_t>(n)] & kInteriorFlag) {
        const BorderNode* none = nullptr;
        largest = RelaxNode(n, none, nullptr, largest);
        continue;
      }
      while (border > first && border[-1].node > n) --border;
      --border;   // border->node == n: every node that is not interior is listed
      largest = RelaxBorder(*border, largest);
    }
  };
  const bool narrow = 2 * width >= nx_;
  for (int j = ny_ - 1; j >= 0; --j) {
    if (j < width || j >= ny_ - width || narrow) {
      stretch(j, 0, nx_);
      continue;
    }
    stretch(j, nx_ - width, nx_);
    stretch(j, 0, width);
  }
  return largest;
}

// Threads that sweep blocks of rows t, t + T, t + 2T, ... for as long as one
// Relax runs. Each block's last row publishes how many of its columns are
// done; a block waits for the row below it to be two columns ahead of the
// stretch its first row starts.
class KCreateGrid::SweepTeam {
public:
  SweepTeam(KCreateGrid& grid, int threads) : grid_(grid), progress_(static_cast<std::size_t>(grid.ny())) {
    count_ = std::max(1, threads);
    // Stretches short enough to keep the rows close, long enough that
    // handing over between cores costs little.
    stretch_ = std::clamp(grid.nx() / 8, 32, 256);
    largest_.resize(static_cast<std::size_t>(count_));
    for (int t = 1; t < count_; ++t) workers_.emplace_back([this, t] { Work(t); });
  }
  ~SweepTeam() {
    stop_.store(true, std::memory_order_relaxed);
    generation_.fetch_add(1, std::memory_order_release);
    generation_.notify_all();
    for (std::thread& w : workers_) w.join();
  }
  SweepTeam(const SweepTeam&) = delete;
  SweepTeam& operator=(const SweepTeam&) = delete;

  // One sweep, on the team or on the calling thread alone. Threads pay only
  // while they run: when other work keeps the cores busy, each row waits
  // for a thread that is off its core, and a sweep can take a hundred times
  // as long as on one thread. So now and then one sweep runs alone and the
  // next on the team, both timed, and the quicker serves until the next
  // trial; a losing team is tried ever less often. The values are the same
  // either way.
  double Sweep() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    switch (phase_) {
      case Phase::kRun:
        if (--untilTrial_ <= 0) phase_ = Phase::kTrialAlone;
        return useTeam_ ? TeamSweep() : grid_.Sweep();
      case Phase::kTrialAlone: {
        const double largest = grid_.Sweep();
        alone_ = Clock::now() - start;
        phase_ = Phase::kTrialTeam;
        return largest;
      }
      case Phase::kTrialTeam:
      default: {
        const double largest = TeamSweep();
        useTeam_ = Clock::now() - start < alone_;
        interval_ = useTeam_ ? kTrialEvery : std::min(2 * interval_, kLongestInterval);
        untilTrial_ = interval_;
        phase_ = Phase::kRun;
        return largest;
      }
    }
  }

  double TeamSweep() {
    for (Progress& p : progress_) p.done.store(0, std::memory_order_relaxed);
    finished_.store(0, std::memory_order_relaxed);
    generation_.fetch_add(1, std::memory_order_release);
    generation_.notify_all();
    Rows(0);
    for (int seen = finished_.load(std::memory_order_acquire); seen < count_ - 1;
         seen = finished_.load(std::memory_order_acquire))
      finished_.wait(seen, std::memory_order_acquire);
    // The largest change does not depend on the order it is taken in.
    return *std::max_element(largest_.begin(), largest_.end());
  }

  // The Sync of SweepRow.
  int Stretch(int) const { return stretch_; }
  void Wait(int j, int c1) {
    if (j == 0) return;
    const int need = std::min(c1 + 2, grid_.nx());
    const std::atomic<int>& below = progress_[static_cast<std::size_t>(j - 1)].done;
    for (int spins = 0; below.load(std::memory_order_acquire) < need; ++spins)
      if (spins > 64) std::this_thread::yield();
  }
  void Passed(int j, int c1) { progress_[static_cast<std::size_t>(j)].done.store(c1, std::memory_order_release); }

private:
  struct alignas(64) Progress {
    std::atomic<int> done{0};
  };

  void Rows(int t) {
    double largest = 0.0;
    const int k = grid_.BlockRows();
    const int ny = grid_.ny();
    for (int j = t * k; j < ny; j += count_ * k) largest = grid_.SweepBlock(j, std::min(k, ny - j), largest, *this);
    largest_[static_cast<std::size_t>(t)] = largest;
  }
  void Work(int t) {
    unsigned seen = 0;
    for (;;) {
      generation_.wait(seen, std::memory_order_acquire);
      seen = generation_.load(std::memory_order_acquire);
      if (stop_.load(std::memory_order_relaxed)) return;
      Rows(t);
      finished_.fetch_add(1, std::memory_order_release);
      finished_.notify_one();
    }
  }

  KCreateGrid& grid_;
  int count_ = 1, stretch_ = 256;
  // Sweeps between trials while the team wins, and the most while it loses.
  static constexpr int kTrialEvery = 32, kLongestInterval = 1024;
  enum class Phase { kTrialAlone, kTrialTeam, kRun };
  Phase phase_ = Phase::kTrialAlone;
  bool useTeam_ = true;
  int untilTrial_ = 0, interval_ = kTrialEvery;
  std::chrono::steady_clock::duration alone_{};
  std::vector<Progress> progress_;
  std::vector<double> largest_;
  std::vector<std::thread> workers_;
  std::atomic<unsigned> generation_{0};
  std::atomic<int> finished_{0};
  std::atomic<bool> stop_{false};
};

double KCreateGrid::SweepWith(SweepTeam* team) { return team ? team->Sweep() : Sweep(); }

KCreateGrid::TeamPtr KCreateGrid::MakeTeam(int threads) {
  // Below a few rows a thread the hand-overs cost more than the work.
  threads = std::min(threads, ny_ / 4);
  if (threads < 2) return nullptr;
  return TeamPtr(new SweepTeam(*this, threads));
}

void KCreateGrid::SweepTeamDeleter::operator()(SweepTeam* team) const { delete team; }
