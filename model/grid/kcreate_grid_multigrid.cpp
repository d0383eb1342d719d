// RelaxFast: multigrid cycles for the equations the sweeps relax.
//
// Away from data, borders and breaks the equations are the 13-point
// biharmonic stencil, whose smooth error the sweeps remove only very slowly.
// Each cycle sweeps the grid, takes the residual of those plain nodes to a
// grid of twice the step (and so on down), solves there for the correction
// with the same stencil, and brings it back by bilinear interpolation before
// sweeping again. Coarse nodes whose block touches anything but plain nodes
// hold a zero correction, so the error next to data is left to the sweeps:
// the solver does best when little of it is there to begin with, which is
// why the data ties are taken before the first sweep and why the driver
// starts each level from cubic values of the one before. The nodes by the
// grid's edge are solved strip by strip on their own, and successive cycles are
// combined by Anderson mixing. The sweeps have the last word, so the fixed
// point is that of the sweeps. On several threads the sweeps run as the
// wavefront of Relax and the other passes by parts of the rows; the result
// is the same for any thread count.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "model/grid/kcreate_grid.h"
#include "model/grid/kcreate_grid_edge_strips.h"
#include "model/grid/kcreate_grid_node.h"
#include "model/grid/kcreate_grid_stencil.h"
#include "model/grid/row_parts.h"

using namespace kgrid_stencil;

namespace {

// Sweeps before and after each coarse correction, and on the coarsest grid.
constexpr int kPreSweeps = 2, kPostSweeps = 2, kCoarseSweeps = 4, kCoarsestSweeps = 30;
// Cycles remembered by the mixing (two floats a node each). One is as
// quick on survey lines and smooth data, but far slower to a tight
// precision beside faults.
constexpr int kMixHistory = 3;
// The cycle the mixing starts with (0 for the first). From the third, the
// finest level at 995 x 995 nodes gets by without it (peak RSS 45 rather
// than 60 MiB) in as many sweeps, and the smooth set's coarser levels need
// a few more, but reach a smaller error.
constexpr int kMixFrom = 2;
// Share of the coarse correction applied: the coarse grids see the nodes
// by data as fixed, the fine grid does not, and the full correction can
// overshoot there.
constexpr double kDamp = 0.7;
// Extra sweeps of the nodes this close to the grid's edge, per cycle, at
// most, where the edge strips cannot be solved directly; they stop once one
// changes no node by kEdgeSettled times the precision.
constexpr int kEdgeSweeps = 50, kEdgeWidth = 4;
constexpr double kEdgeSettled = 0.25;
// Direct solves of the edge strips per cycle, at most (the same settling).
constexpr int kStripPasses = 2;
// The stencil is (step^4 / 20) times the biharmonic: on twice the step the
// same equation needs a 16 times larger source.
constexpr double kStepUp = 16.0;
// Passes of the data ties before the first sweep.
constexpr int kTiePasses = 2;
// Below this many blocks of the mixing, or rows of a pass, a thread is not
// worth starting.
constexpr int kMinBlocksAThread = 8, kMinRowsAThread = 64;
// Grids smaller than this along an axis are not coarsened further.
constexpr int kSmallest = 8;

// One coarse grid of corrections: node (I, J) lies on node (2I, 2J) of the
// grid above it.
// What a node of a level does: hold 0, solve the stencil, or (within two
// nodes of the edge) take the border estimate of the corrections around it.
enum NodeRole : std::uint8_t { kFixed = 0, kFree = 1, kEdge = 2 };

// Corrections, sources and residuals in floats: the corrections only steer
// the fine values, whose sweeps have the last word, and floats halve both
// the memory and the traffic of the coarse sweeps.
// One node of a level's edge ring and its border estimate as a weighted
// sum of the corrections around it (weights already divided by their total).
struct RingNode {
  std::int32_t node, first, count;   // terms [first, first + count) of the level's list
};
struct RingTerm {
  std::int32_t node;
  float weight;
};

struct Level {
  int nx = 0, ny = 0;
  std::vector<std::uint8_t> free;   // NodeRole of each node
  // The residuals are made three rows at a time as the restriction asks for
  // them (rows): a whole grid of them was a quarter of the levels' memory.
  std::vector<float> e, src, rows;
  // The nodes whose role is kEdge that some estimate reaches, in index
  // order, and their estimates' terms.
  std::vector<RingNode> ring;
  std::vector<RingTerm> ringTerms;
  int Index(int i, int j) const { return i + j * nx; }
};

// The stencil at p on a grid w wide.
template <class T>
inline double Stencil(const T* p, std::ptrdiff_t w) {
  return kDirect * (p[-1] + p[1] + p[-w] + p[w]) - kDiagonal * (p[-w - 1] + p[-w + 1] + p[w - 1] + p[w + 1]) -
         kFar * (p[-2] + p[2] + p[-2 * w] + p[2 * w]);
}

// Within two nodes of the edge of a grid nx x ny, where the stencil does
// not reach.
inline bool OnEdgeRing(int i, int j, int nx, int ny) { return i < 2 || j < 2 || i >= nx - 2 || j >= ny - 2; }

// Appends the border estimate of node (i, j) to terms, with the partial
// estimates and weights the sweeps use by the grid's edge (no breaks: nodes
// near them are fixed at 0 on every coarse grid); returns how many terms it
// took, 0 when no estimate reaches the node.
int EdgeTerms(int i, int j, int nx, int ny, std::vector<RingTerm>& terms) {
  static constexpr int kStepX[4] = {1, 0, -1, 0}, kStepY[4] = {0, 1, 0, -1};
  const auto at = [&](int x, int y) { return x >= 0 && y >= 0 && x < nx && y < ny ? x + y * nx : -1; };
  // Node reached by a steps in direction d and b steps in (d + 1) % 4.
  const auto step = [&](int d, int a, int b) {
    const int s = (d + 1) % 4;
    return at(i + a * kStepX[d] + b * kStepX[s], j + a * kStepY[d] + b * kStepY[s]);
  };
  const std::size_t first = terms.size();
  double weight = 0.0;
  // A partial estimate sum of c[k] * e[n[k]] with weight w.
  const auto add = [&](TermKind kind, std::initializer_list<std::pair<int, double>> parts) {
    for (const auto& [n, c] : parts) terms.push_back({n, static_cast<float>(kTermWeight[kind] * c)});
    weight += kTermWeight[kind];
  };
  for (int axis = 0; axis < 2; ++axis) {
    const int a = step(axis, 1, 0), b = step(axis + 2, 1, 0);
    if (a >= 0 && b >= 0) add(kMidpoint, {{a, 0.5}, {b, 0.5}});
  }
  for (int d = 0; d < 4; ++d) {
    const int a = step(d, 1, 0), b = step(d, 2, 0);
    if (a >= 0 && b >= 0) add(kExtrapolation, {{a, 2.0}, {b, -1.0}});
  }
  for (int d = 0; d < 2; ++d) {
    const int a = step(d, 1, 1), b = step(d + 2, 1, 1);
    if (a >= 0 && b >= 0) add(kMidpoint, {{a, 0.5}, {b, 0.5}});
  }
  for (int d = 0; d < 4; ++d) {
    const int a = step(d, 1, 1), b = step(d, 2, 2);
    if (a >= 0 && b >= 0) add(kExtrapolation, {{a, 2.0}, {b, -1.0}});
  }
  for (int d = 0; d < 4; ++d) {
    const int a = step(d, 1, 0), b = step(d, 0, 1), c = step(d, 1, 1);
    if (a >= 0 && b >= 0 && c >= 0) add(kPlane, {{a, 1.0}, {b, 1.0}, {c, -1.0}});
  }
  if (weight < kNoEstimate) {
    terms.resize(first);
    return 0;
  }
  for (std::size_t k = first; k < terms.size(); ++k) terms[k].weight = static_cast<float>(terms[k].weight / weight);
  return static_cast<int>(terms.size() - first);
}

// A coarse grid under a grid of nx x ny whose free nodes fineFree marks:
// free where the coarse node is two nodes from its border and the 3 x 3
// block of fine nodes around it is all free.
Level Coarsen(int nx, int ny, const std::vector<std::uint8_t>& fineFree) {
  Level c;
  c.nx = (nx + 1) / 2;
  c.ny = (ny + 1) / 2;
  const std::size_t total = static_cast<std::size_t>(c.nx) * static_cast<std::size_t>(c.ny);
  c.free.assign(total, 0);
  c.e.assign(total, 0.0f);
  c.src.assign(total, 0.0f);
  c.rows.assign(3 * static_cast<std::size_t>(c.nx), 0.0f);
  // Only kFree is odd among the roles: the nine fine nodes are all free
  // when their roles' bitwise and is.
  static_assert(kFree == 1 && (kFixed & 1) == 0 && (kEdge & 1) == 0);
  for (int J = 2; J <= c.ny - 3; ++J) {
    // Rows 2J - 1 .. 2J + 1 and columns 2I - 1 .. 2I + 1 lie inside the fine grid.
    const std::uint8_t* f0 = &fineFree[static_cast<std::size_t>(2 * J - 1) * static_cast<std::size_t>(nx)];
    const std::uint8_t* f1 = f0 + nx;
    const std::uint8_t* f2 = f1 + nx;
    std::uint8_t* out = &c.free[static_cast<std::size_t>(c.Index(0, J))];
    for (int I = 2; I <= c.nx - 3; ++I) {
      const int i = 2 * I;
      out[I] = static_cast<std::uint8_t>(f0[i - 1] & f0[i] & f0[i + 1] & f1[i - 1] & f1[i] & f1[i + 1] & f2[i - 1] &
                                         f2[i] & f2[i + 1] & 1);
    }
  }
  // The edge ring follows the node under it: a correction the fine grid can
  // take there is carried to the edge rather than pinned to 0 two nodes in.
  for (int J = 0; J < c.ny; ++J)
    for (int I = 0; I < c.nx; ++I)
      if (OnEdgeRing(I, J, c.nx, c.ny) && fineFree[static_cast<std::size_t>(2 * I + 2 * J * nx)] != kFixed)
        c.free[static_cast<std::size_t>(c.Index(I, J))] = kEdge;
  for (int J = 0; J < c.ny; ++J)
    for (int I = 0; I < c.nx; ++I)
      if (c.free[static_cast<std::size_t>(c.Index(I, J))] == kEdge) {
        const std::int32_t first = static_cast<std::int32_t>(c.ringTerms.size());
        if (const int count = EdgeTerms(I, J, c.nx, c.ny, c.ringTerms)) c.ring.push_back({c.Index(I, J), first, count});
      }
  c.ring.shrink_to_fit();   // kept as long as the level
  c.ringTerms.shrink_to_fit();
  return c;
}

bool AnyFree(const Level& l) { return std::find(l.free.begin(), l.free.end(), 1) != l.free.end(); }

// Gauss-Seidel on the free nodes. The terms that do not depend on the node
// just written are summed first, so that the chain from node to node is one
// multiply and one add rather than the whole stencil.
void SweepLevel(Level& l, int times) {
  const std::ptrdiff_t w = l.nx;
  float* e = l.e.data();
  const float* src = l.src.data();
  const std::uint8_t* free = l.free.data();
  for (int t = 0; t < times; ++t)
    for (int J = 2; J <= l.ny - 3; ++J) {
      int n = l.Index(2, J);
      double left = e[n - 1], left2 = e[n - 2];
      for (const int end = l.Index(l.nx - 2, J); n < end; ++n) {
        float* p = e + n;
        double v = p[0];
        if (free[n] == kFree) {
          const double rest = kDirect * (p[1] + p[-w] + p[w]) -
                              kDiagonal * (p[-w - 1] + p[-w + 1] + p[w - 1] + p[w + 1]) -
                              kFar * (left2 + p[2] + p[-2 * w] + p[2 * w]) + src[n];
          p[0] = static_cast<float>(rest + kDirect * left);
          v = p[0];
        }
        left2 = left;
        left = v;
      }
    }
  // The edge ring after the stencil nodes, in index order.
  for (int t = 0; t < times; ++t)
    for (const RingNode& r : l.ring) {
      double sum = 0.0;
      for (const RingTerm* k = &l.ringTerms[static_cast<std::size_t>(r.first)], *end = k + r.count; k < end; ++k)
        sum += static_cast<double>(k->weight) * e[k->node];
      e[r.node] = static_cast<float>(sum);
    }
}

// Rows of a grid made on demand into three slots (row y in slot y % 3):
// enough for a restriction, which asks for rows in increasing order and at
// most three rows back.
template <class T>
class RowRing {
public:
  RowRing(T* slots, int width) : slots_(slots), width_(width) {}
  // Row y, made by fill(y, row) unless it is still in its slot.
  template <class Fill>
  const T* operator()(int y, Fill fill) {
    T* row = slots_ + static_cast<std::size_t>(y % 3) * static_cast<std::size_t>(width_);
    if (cached_[y % 3] != y) {
      cached_[y % 3] = y;
      fill(y, row);
    }
    return row;
  }

private:
  T* slots_;
  int width_;
  int cached_[3] = {-1, -1, -1};
};

// Row J of l's residuals: what a sweep would change at its free nodes, 0
// elsewhere.
void ResidualRow(const Level& l, int J, float* row) {
  std::fill(row, row + l.nx, 0.0f);
  if (J < 2 || J > l.ny - 3) return;
  const std::ptrdiff_t w = l.nx;
  const std::size_t first = static_cast<std::size_t>(l.Index(0, J));
  for (int I = 2; I < l.nx - 2; ++I) {
    const std::size_t n = first + static_cast<std::size_t>(I);
    if (l.free[n] == kFree) row[I] = static_cast<float>(Stencil(&l.e[n], w) + l.src[n] - l.e[n]);
  }
}

// Full weighting of fine residuals onto the free nodes of c's rows
// [J0, J1), scaled for the coarser step; rows(y) is row y of the fine
// residuals, asked for in increasing order of y, at most three rows back.
template <class Rows>
void Restrict(Rows rows, Level& c, int J0, int J1) {
  static constexpr double kWeight[3] = {0.25, 0.5, 0.25};
  for (int J = J0; J < J1; ++J) {
    const bool inner = J >= 2 && J <= c.ny - 3;   // only these hold free nodes
    decltype(rows(0)) row[3] = {};
    if (inner)
      for (int dj = -1; dj <= 1; ++dj) row[dj + 1] = rows(2 * J + dj);
    for (int I = 0; I < c.nx; ++I) {
      const std::size_t N = static_cast<std::size_t>(c.Index(I, J));
      c.e[N] = 0.0f;
      if (c.free[N] != kFree) {
        c.src[N] = 0.0f;
        continue;
      }
      double s = 0.0;
      for (int dj = -1; dj <= 1; ++dj)
        for (int di = -1; di <= 1; ++di) s += kWeight[di + 1] * kWeight[dj + 1] * row[dj + 1][2 * I + di];
      c.src[N] = static_cast<float>(kStepUp * s);
    }
  }
}

// Adds the bilinear interpolation of c's corrections to the nodes of rows
// [j0, j1) of the grid above (nx wide) that take marks. The two coarse rows
// under a fine row are summed once (pair), so that each fine node adds one
// or two sums.
template <class T, class Take>
void Prolong(const Level& c, T* fine, int nx, int j0, int j1, Take take, std::vector<double>& pair) {
  pair.resize(static_cast<std::size_t>(c.nx));
  // Even fine nodes lie on a coarse column (twice its pair sum), odd ones
  // between two.
  const double even = kDamp * 0.5, odd = kDamp * 0.25;
  for (int j = j0; j < j1; ++j) {
    const int J0 = j / 2, J1 = std::min(J0 + (j & 1), c.ny - 1);
    const float* r0 = &c.e[static_cast<std::size_t>(c.Index(0, J0))];
    const float* r1 = &c.e[static_cast<std::size_t>(c.Index(0, J1))];
    for (int I = 0; I < c.nx; ++I) pair[static_cast<std::size_t>(I)] = static_cast<double>(r0[I]) + r1[I];
    const std::size_t row = static_cast<std::size_t>(j) * static_cast<std::size_t>(nx);
    for (int i = 0; i < nx; ++i) {
      const std::size_t n = row + static_cast<std::size_t>(i);
      if (!take(n)) continue;
      const int I0 = i >> 1;
      const double add = (i & 1) && I0 + 1 < c.nx
                             ? odd * (pair[static_cast<std::size_t>(I0)] + pair[static_cast<std::size_t>(I0) + 1])
                             : even * pair[static_cast<std::size_t>(I0)];
      fine[n] = static_cast<T>(fine[n] + add);
    }
  }
}

// One V-cycle on levels[k] (k >= 1) for its current src.
void Cycle(std::vector<Level>& levels, std::size_t k, std::vector<double>& pair) {
  Level& l = levels[k];
  if (k + 1 == levels.size()) {
    SweepLevel(l, kCoarsestSweeps);
    return;
  }
  SweepLevel(l, kCoarseSweeps);
  Level& c = levels[k + 1];
  RowRing<float> ring(l.rows.data(), l.nx);
  Restrict([&](int y) { return ring(y, [&](int J, float* row) { ResidualRow(l, J, row); }); }, c, 0, c.ny);
  Cycle(levels, k + 1, pair);
  Prolong(c, l.e.data(), l.nx, 0, l.ny, [&](std::size_t n) { return l.free[n] != 0; }, pair);
  SweepLevel(l, kCoarseSweeps);
}

// Anderson mixing of successive cycles: the cycle is a linear map u -> G(u)
// whose fixed point is the solution; from the last few pairs it takes the
// combination whose residual G(u) - u is least. Differences are kept in
// floats: they only steer the step, the sweeps check the result. The nodes
// are taken in fixed blocks whose sums add up in block order, so that the
// result does not depend on how many threads share the blocks.
class Mixing {
public:
  Mixing(int history, std::size_t total, int threads) : m_(history), total_(total), threads_(threads) {
    if (m_ > 0) {
      start_.resize(total);
      dF_.assign(static_cast<std::size_t>(m_), {});
      dG_.assign(static_cast<std::size_t>(m_), {});
      gram_.assign(static_cast<std::size_t>(m_ * m_), 0.0);
      blocks_ = static_cast<int>((total + kBlock - 1) / kBlock);
      sums_.assign(static_cast<std::size_t>(blocks_) * (2 * m_), 0.0);
    }
  }
  void Start(const std::vector<double>& u) {
    if (m_ <= 0) return;
    Blocks([&](std::size_t first, std::size_t last, double*) {
      std::copy(u.begin() + static_cast<std::ptrdiff_t>(first), u.begin() + static_cast<std::ptrdiff_t>(last),
                start_.begin() + static_cast<std::ptrdiff_t>(first));
    });
  }
  // Replaces g, the result of the cycle begun at Start, by the best
  // combination of the cycles recorded.
  void Mix(std::vector<double>& g) {
    if (m_ <= 0) return;
    // f = G(u) - u, kept in start_; the newest column is (f - fPrev, g -
    // gPrev). This cycle began where the last mixing moved gPrev to, so
    // g - gPrev = f + moved: small numbers, which floats hold as well as
    // the columns, where gPrev itself would need doubles.
    std::vector<double>& f = start_;
    if (fPrev_.empty()) {
      fPrev_.resize(total_);
      moved_.assign(total_, 0.0f);
      Blocks([&](std::size_t first, std::size_t last, double*) {
        for (std::size_t n = first; n < last; ++n) {
          f[n] = g[n] - f[n];
          fPrev_[n] = static_cast<float>(f[n]);
        }
      });
      return;
    }
    const int c = next_;
    next_ = (next_ + 1) % m_;
    stored_ = std::min(stored_ + 1, m_);
    std::vector<float>& df = dF_[static_cast<std::size_t>(c)];
    std::vector<float>& dg = dG_[static_cast<std::size_t>(c)];
    df.resize(total_);
    dg.resize(total_);
    // One pass: the new column, then its products with every column
    // (sums[i]) and every column's product with f (sums[m + i]).
    Blocks([&](std::size_t first, std::size_t last, double* sums) {
      for (std::size_t n = first; n < last; ++n) {
        f[n] = g[n] - f[n];
        df[n] = static_cast<float>(f[n] - fPrev_[n]);
        dg[n] = static_cast<float>(f[n] + static_cast<double>(moved_[n]));
        fPrev_[n] = static_cast<float>(f[n]);
      }
      for (int i = 0; i < stored_; ++i) {
        const float* col = dF_[static_cast<std::size_t>(i)].data();
        sums[i] = Dot(df.data(), col, first, last);
        sums[m_ + i] = Dot(col, f.data(), first, last);
      }
    });
    std::vector<double> h(static_cast<std::size_t>(stored_ * stored_)), r(static_cast<std::size_t>(stored_)), gamma;
    for (int i = 0; i < stored_; ++i) {
      gram_[c * m_ + i] = gram_[i * m_ + c] = Total(i);
      r[static_cast<std::size_t>(i)] = Total(m_ + i);
    }
    double trace = 0;
    for (int i = 0; i < stored_; ++i) trace += gram_[i * m_ + i];
    for (int i = 0; i < stored_; ++i) {
      for (int j = 0; j < stored_; ++j) h[i * stored_ + j] = gram_[i * m_ + j];
      h[i * stored_ + i] += 1e-10 * trace;
    }
    if (!Solve(h, r, stored_, gamma)) {
      stored_ = next_ = 0;
      gamma.clear();   // g stays as it is: nothing moved
    }
    Blocks([&](std::size_t first, std::size_t last, double*) {
      for (std::size_t n = first; n < last; ++n) {
        double move = 0.0;
        for (std::size_t i = 0; i < gamma.size(); ++i) move -= gamma[i] * dG_[i][n];
        g[n] += move;
        moved_[n] = static_cast<float>(move);
      }
    });
  }

private:
  static constexpr std::size_t kBlock = std::size_t{1} << 15;

  // body(first, last, sums) for every block, sums being the block's 2m
  // slots; blocks are shared out over the threads.
  template <class Body>
  void Blocks(Body body) {
    ForRowParts(threads_, blocks_, kMinBlocksAThread, [&](int, int b0, int b1) {
      for (int b = b0; b < b1; ++b) {
        const std::size_t first = static_cast<std::size_t>(b) * kBlock;
        body(first, std::min(total_, first + kBlock), &sums_[static_cast<std::size_t>(b) * (2 * m_)]);
      }
    });
  }
  // The sum over the blocks of slot k, in block order.
  double Total(int k) const {
    double s = 0;
    for (int b = 0; b < blocks_; ++b) s += sums_[static_cast<std::size_t>(b) * (2 * m_) + k];
    return s;
  }
  // Four sums side by side: one sum would wait on every add.
  template <class A, class B>
  static double Dot(const A* a, const B* b, std::size_t first, std::size_t last) {
    double s[4] = {0, 0, 0, 0};
    const std::size_t whole = first + ((last - first) & ~std::size_t{3});
    for (std::size_t n = first; n < whole; n += 4)
      for (std::size_t k = 0; k < 4; ++k) s[k] += static_cast<double>(a[n + k]) * static_cast<double>(b[n + k]);
    for (std::size_t n = whole; n < last; ++n) s[0] += static_cast<double>(a[n]) * static_cast<double>(b[n]);
    return (s[0] + s[1]) + (s[2] + s[3]);
  }
  // h g = r by elimination with partial pivoting; false when singular.
  static bool Solve(std::vector<double> h, std::vector<double> r, int m, std::vector<double>& g) {
    for (int c = 0; c < m; ++c) {
      int p = c;
      for (int i = c + 1; i < m; ++i)
        if (std::fabs(h[i * m + c]) > std::fabs(h[p * m + c])) p = i;
      if (!(std::fabs(h[p * m + c]) > 0)) return false;
      for (int k = 0; k < m; ++k) std::swap(h[c * m + k], h[p * m + k]);
      std::swap(r[c], r[p]);
      for (int i = c + 1; i < m; ++i) {
        const double q = h[i * m + c] / h[c * m + c];
        for (int k = c; k < m; ++k) h[i * m + k] -= q * h[c * m + k];
        r[i] -= q * r[c];
      }
    }
    g.assign(static_cast<std::size_t>(m), 0.0);
    for (int c = m - 1; c >= 0; --c) {
      double v = r[c];
      for (int k = c + 1; k < m; ++k) v -= h[c * m + k] * g[k];
      g[c] = v / h[c * m + c];
    }
    return std::all_of(g.begin(), g.end(), [](double v) { return std::isfinite(v); });
  }

  int m_, stored_ = 0, next_ = 0;
  std::size_t total_;
  int threads_, blocks_ = 0;
  std::vector<double> start_, gram_, sums_;
  // Only steer, as the columns: the sweeps after the mixing remove what
  // their rounding leaves.
  std::vector<float> fPrev_, moved_;
  std::vector<std::vector<float>> dF_, dG_;
};

}  // namespace

void KCreateGrid::TieDataNodes() {
  const double saved = relaxation.factor;
  relaxation.factor = 1.0;
  double largest = 0.0;   // not asked for
  const BorderNode* border = border_.data();
  const BorderNode* const borderEnd = border + border_.size();
  // Data nodes and border nodes are both listed in index order.
  for (std::size_t c = 0; c < cellNode_.size(); ++c) {
    const std::int32_t n = cellNode_[c];
    if (flags_[static_cast<std::size_t>(n)] & kInteriorFlag) {
      double* p = &values_[static_cast<std::size_t>(n)];
      *p = kgrid_node::Data(p, nx_, p[-1], p[-2], cells_[c],
                            1.0, smooth, largest);
      continue;
    }
    while (border < borderEnd && border->node < n) ++border;
    if (border < borderEnd && border->node == n) RelaxBorder(*border, 0.0);
  }
  relaxation.factor = saved;
}

KRelaxEnd KCreateGrid::RelaxFast(double precision, int limit, KRelaxListener* listener, int threads) {
  MarkInterior();
  sweepsRun_ = 0;
  lastChange_ = 0.0;
  TeamPtr team = MakeTeam(threads);
  relaxation.factor = 1.0;   // plain Gauss-Seidel smooths best here
  const double bound = DivergenceBound();

  // Level 0 stands for this grid: its plain interior nodes are free.
  std::vector<Level> levels(1);
  levels[0].nx = nx_;
  levels[0].ny = ny_;
  levels[0].free.resize(NodeTotal());
  // Nodes by the edge that neither hold data nor touch a break take the
  // coarse corrections too.
  const auto edgeTakes = [&](std::size_t n) {
    const int i = static_cast<int>(n % static_cast<std::size_t>(nx_)), j = static_cast<int>(n / static_cast<std::size_t>(nx_));
    return OnEdgeRing(i, j, nx_, ny_) && CellAt(static_cast<int>(n)) < 0 && LinkRecordOf(static_cast<int>(n)) == kNoLinkRecord;
  };
  for (std::size_t n = 0; n < NodeTotal(); ++n)
    levels[0].free[n] = (flags_[n] & kPlainFlag) ? kFree : edgeTakes(n) ? kEdge : kFixed;
  while (levels.back().nx >= 2 * kSmallest && levels.back().ny >= 2 * kSmallest) {
    Level c = Coarsen(levels.back().nx, levels.back().ny, levels.back().free);
    if (!AnyFree(c)) break;
    levels.push_back(std::move(c));
  }
  std::vector<std::uint8_t>().swap(levels[0].free);
  // A data node starts at its points' mean z, but its tie moves that by the
  // slope times the points' offset from the node. Left to the sweeps, that
  // jump spreads into the nodes around as error the coarse grids cannot
  // reach (they hold nodes by data fixed), so the ties are taken first,
  // twice so that neighbouring data nodes see each other's.
  for (int k = 0; k < kTiePasses; ++k) TieDataNodes();
  // Per part of the rows: Prolong's sums of two coarse rows, and three rows
  // of fine residuals. Made here, as nothing may throw on the threads.
  const int parts = std::max(1, threads);
  std::vector<std::vector<double>> pairs(static_cast<std::size_t>(parts));
  std::vector<std::vector<double>> rings(static_cast<std::size_t>(parts));
  for (int part = 0; part < parts; ++part) {
    pairs[static_cast<std::size_t>(part)].reserve(static_cast<std::size_t>(nx_));
    if (levels.size() > 1) rings[static_cast<std::size_t>(part)].resize(3 * static_cast<std::size_t>(nx_));
  }

  // A sweep; false when the relaxation is to stop with *result.
  const auto sweep = [&](KRelaxEnd* result) {
    const double change = SweepWith(team.get());
    ++sweepsRun_;
    lastChange_ = change;
    if (!std::isfinite(change) || change > bound) {
      *result = KRelaxEnd::kDiverged;
      return false;
    }
    const bool converged = change < precision || change <= 0;
    if (converged || sweepsRun_ >= limit) {
      *result = !ValuesSound() ? KRelaxEnd::kDiverged : converged ? KRelaxEnd::kConverged : KRelaxEnd::kLimit;
      return false;
    }
    return true;
  };

  EdgeStrips strips(*this, kEdgeWidth);
  KRelaxEnd result = KRelaxEnd::kConverged;
  // The mixing joins from cycle kMixFrom on: a level that settles within
  // the first cycles (the finest, started from the cubic of a level solved
  // tighter) never holds its arrays, the largest the solver has.
  std::optional<Mixing> mixing;
  for (int cycle = 0;; ++cycle) {
    if (cycle == kMixFrom) mixing.emplace(kMixHistory, NodeTotal(), threads);
    if (mixing) mixing->Start(values_);
    for (int s = 0; s < kPreSweeps; ++s)
      if (!sweep(&result)) return result;
    if (levels.size() > 1) {
      // Residual of the plain nodes, what their sweep would change, three
      // rows at a time rather than a whole grid of it; each part of the
      // coarse rows keeps its own three.
      Level& c = levels[1];
      const std::ptrdiff_t w = nx_;
      ForRowParts(threads, c.ny, kMinRowsAThread, [&](int part, int J0, int J1) {
        RowRing<double> ring(rings[static_cast<std::size_t>(part)].data(), nx_);
        const auto fill = [&](int y, double* row) {
          const std::size_t first = static_cast<std::size_t>(y) * static_cast<std::size_t>(nx_);
          for (int x = 0; x < nx_; ++x) {
            const std::size_t n = first + static_cast<std::size_t>(x);
            row[x] = (flags_[n] & kPlainFlag) ? Stencil(&values_[n], w) - values_[n] : 0.0;
          }
        };
        Restrict([&](int y) { return ring(y, fill); }, c, J0, J1);
      });
      Cycle(levels, 1, pairs[0]);
      ForRowParts(threads, ny_, kMinRowsAThread, [&](int part, int j0, int j1) {
        Prolong(c, values_.data(), nx_, j0, j1, [&](std::size_t n) { return (flags_[n] & kPlainFlag) != 0 || edgeTakes(n); },
                pairs[static_cast<std::size_t>(part)]);
      });
    }
    // The rows and columns by the edge estimate from the nodes beside them
    // alone; their error creeps along the edge and no coarse grid carries
    // it. A direct solve of each strip along the edge removes it at once;
    // the strips hold each other's ends, so a second pass settles the
    // corners. Where the strips cannot be solved, sweeps of the edge nodes,
    // forward and backward in turn (one order carries a change along the
    // edge only a node a sweep against it), until the edge settles.
    if (!strips.empty()) {
      for (int s = 0; s < kStripPasses; ++s)
        if (strips.Solve() < kEdgeSettled * precision) break;
    } else {
      for (int s = 0; s < kEdgeSweeps; ++s)
        if ((s % 2 ? SweepEdgeBack(kEdgeWidth) : SweepEdge(kEdgeWidth)) < kEdgeSettled * precision) break;
    }
    for (int s = 0; s < kPostSweeps; ++s)
      if (!sweep(&result)) return result;
    if (mixing) mixing->Mix(values_);
    if (!ValuesSound()) return KRelaxEnd::kDiverged;
    if (listener && listener->OnTenthSweep(sweepsRun_ - 1, lastChange_, relaxation.factor) == KSweepAnswer::kStop)
      return KRelaxEnd::kStopped;
  }
}
