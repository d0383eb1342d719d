// RelaxFast: multigrid cycles for the equations the sweeps relax.
//
// Away from data, borders and breaks the equations are the 13-point
// biharmonic stencil, whose smooth error the sweeps remove only very slowly.
// Each cycle sweeps the grid, takes the residual of those plain nodes to a
// grid of twice the step (and so on down), solves there for the correction
// with the same stencil, and brings it back by bilinear interpolation before
// sweeping again. Coarse nodes whose block touches anything but plain nodes
// hold a zero correction. The nodes by the grid's edge get extra sweeps of
// their own, and successive cycles are combined by Anderson mixing. The
// sweeps have the last word, so the fixed point is that of the sweeps.
#include <algorithm>
#include <cmath>
#include <vector>
#include <cstdlib>
#include <cstdio>
#include <ctime>

#include "grid/kcreate_grid.h"
#include "grid/kcreate_grid_stencil.h"

using namespace kgrid_stencil;

namespace {

// Sweeps before and after each coarse correction, and on the coarsest grid.
static int Knob(const char* n, int d) { const char* v = getenv(n); return v ? atoi(v) : d; }
static double KnobD(const char* n, double d) { const char* v = getenv(n); return v ? atof(v) : d; }
static int kPreSweeps = Knob("K_PRE", 2), kPostSweeps = Knob("K_POST", 2), kCoarseSweeps = Knob("K_CS", 2), kCoarsestSweeps = 30;
// Cycles remembered by the mixing.
static int kMixHistory = Knob("K_MIX", 3);
// Share of the coarse correction applied: the coarse grids see the nodes
// by data as fixed, the fine grid does not, and the full correction can
// overshoot there.
static double kDamp = KnobD("K_DAMP", 1.0);
// Extra sweeps of the nodes this close to the grid's edge, per cycle.
static int kEdgeSweeps = Knob("K_EDGE", 0), kEdgeWidth = Knob("K_EW", 4);
// Grids smaller than this along an axis are not coarsened further.
static int kSmallest = Knob("K_SMALL", 6);
// Coarse rows: 5 x 5 weights, the node itself in the middle; margin.
constexpr int kRow = 25, kCentre = 12, kPad = 2;
// Rows this close to a coarse grid's edge are built one by one.
constexpr int kEdgeRows = 3;

// The stencil at p on a grid w wide.
inline double Stencil(const double* p, std::ptrdiff_t w) {
  return kDirect * (p[-1] + p[1] + p[-w] + p[w]) - kDiagonal * (p[-w - 1] + p[-w + 1] + p[w - 1] + p[w + 1]) -
         kFar * (p[-2] + p[2] + p[-2 * w] + p[2 * w]);
}

// The correction equations of one coarse grid, stored with a margin of two
// zero nodes on every side so that no row needs bounds checks. Row (I, J)
// has 25 weights for the nodes (I + di, J + dj), |di|, |dj| <= 2; rows away
// from anything but plain nodes all share one set.
struct Level {
  int nx = 0, ny = 0, pw = 0;
  std::vector<std::int32_t> rowOf;   // by I + J * nx: row index, or -1 for the shared row
  std::vector<double> rows;          // kRow weights a row
  double shared[kRow] = {};
  std::vector<double> e, src, res;   // padded
  std::ptrdiff_t off[kRow] = {};
  std::size_t P(int i, int j) const { return static_cast<std::size_t>(i + kPad + (j + kPad) * pw); }
  const double* Row(int i, int j) const {
    const std::int32_t r = rowOf[static_cast<std::size_t>(i + j * nx)];
    return r < 0 ? shared : &rows[static_cast<std::size_t>(r) * kRow];
  }
};

// The coarse nodes a fine coordinate x interpolates from (bilinear; the last
// fine node of an even count takes the last coarse node alone).
struct Weights {
  int n = 0;
  int at[2] = {0, 0};
  double w[2] = {0, 0};
};
inline Weights Interp(int x, int coarseCount) {
  Weights r;
  const int x0 = x / 2;
  if ((x & 1) == 0 || x0 + 1 >= coarseCount) {
    r.n = 1, r.at[0] = x0, r.w[0] = 1.0;
  } else {
    r.n = 2, r.at[0] = x0, r.at[1] = x0 + 1, r.w[0] = r.w[1] = 0.5;
  }
  return r;
}

// Sizes and margins of the grid under one of nx x ny.
Level Shape(int nx, int ny) {
  Level c;
  c.nx = (nx + 1) / 2;
  c.ny = (ny + 1) / 2;
  c.pw = c.nx + 2 * kPad;
  const std::size_t padded = static_cast<std::size_t>(c.pw) * static_cast<std::size_t>(c.ny + 2 * kPad);
  c.e.assign(padded, 0.0);
  c.src.assign(padded, 0.0);
  c.res.assign(padded, 0.0);
  c.rowOf.assign(static_cast<std::size_t>(c.nx) * static_cast<std::size_t>(c.ny), -1);
  for (int dj = -2; dj <= 2; ++dj)
    for (int di = -2; di <= 2; ++di) c.off[(dj + 2) * 5 + di + 2] = di + dj * static_cast<std::ptrdiff_t>(c.pw);
  return c;
}

// Adds weight * (R A P) row (I, J) contributions of one fine row: the fine
// row has entries (fx, fy, a) handed to each by fineRow, fine node (x, y)
// lies in the block of (I, J) with restriction weight rw.
struct RowBuilder {
  const Level& c;
  double acc[kRow];
  int I, J;
  void Add(int fx, int fy, double a) {
    const Weights wx = Interp(fx, c.nx), wy = Interp(fy, c.ny);
    for (int p = 0; p < wy.n; ++p)
      for (int q = 0; q < wx.n; ++q) {
        const int di = wx.at[q] - I, dj = wy.at[p] - J;
        acc[(dj + 2) * 5 + di + 2] += a * wx.w[q] * wy.w[p];
      }
  }
};

// R A P of a constant fine row (5 x 5 weights) on an unbounded grid.
void SharedRow(const double* fine, double* out) {
  Level big;
  big.nx = big.ny = 1 << 20;
  RowBuilder rb{big, {}, 8, 8};
  for (int y = 15; y <= 17; ++y)
    for (int x = 15; x <= 17; ++x) {
      const double rw = 0.25 * (x == 16 ? 1.0 : 0.5) * (y == 16 ? 1.0 : 0.5);
      for (int dj = -2; dj <= 2; ++dj)
        for (int di = -2; di <= 2; ++di) {
          const double a = fine[(dj + 2) * 5 + di + 2];
          if (a != 0.0) rb.Add(x + di, y + dj, rw * a);
        }
    }
  std::copy(rb.acc, rb.acc + kRow, out);
}

// Builds the rows of c, the grid under a fine grid of fnx x fny: rows near
// c's edge or whose block holds a special fine node are built one by one
// from fineRow(x, y, rb, rw), the others share the row made from shared.
template <class Special, class FineRow>
void BuildRows(Level& c, int fnx, int fny, const double* sharedFine, Special special, FineRow fineRow) {
  SharedRow(sharedFine, c.shared);
  for (int J = 0; J < c.ny; ++J)
    for (int I = 0; I < c.nx; ++I) {
      bool own = I < kEdgeRows || J < kEdgeRows || I >= c.nx - kEdgeRows || J >= c.ny - kEdgeRows;
      for (int y = 2 * J - 1; y <= 2 * J + 1 && !own; ++y)
        for (int x = 2 * I - 1; x <= 2 * I + 1 && !own; ++x)
          own = x >= 0 && y >= 0 && x < fnx && y < fny && special(x, y);
      if (!own) continue;
      RowBuilder rb{c, {}, I, J};
      for (int y = std::max(0, 2 * J - 1); y <= std::min(fny - 1, 2 * J + 1); ++y)
        for (int x = std::max(0, 2 * I - 1); x <= std::min(fnx - 1, 2 * I + 1); ++x) {
          // Restriction is the transpose of interpolation, a quarter of it.
          const Weights wx = Interp(x, c.nx), wy = Interp(y, c.ny);
          double rw = 0.0;
          for (int p = 0; p < wy.n; ++p)
            for (int q = 0; q < wx.n; ++q)
              if (wx.at[q] == I && wy.at[p] == J) rw += 0.25 * wx.w[q] * wy.w[p];
          if (rw != 0.0) fineRow(x, y, rb, rw);
        }
      c.rowOf[static_cast<std::size_t>(I + J * c.nx)] = static_cast<std::int32_t>(c.rows.size() / kRow);
      c.rows.insert(c.rows.end(), rb.acc, rb.acc + kRow);
    }
}

// The grid under coarse level f.
Level Coarsen(const Level& f) {
  Level c = Shape(f.nx, f.ny);
  BuildRows(
      c, f.nx, f.ny, f.shared, [&](int x, int y) { return f.rowOf[static_cast<std::size_t>(x + y * f.nx)] >= 0; },
      [&](int x, int y, RowBuilder& rb, double rw) {
        const double* row = f.Row(x, y);
        for (int dj = -2; dj <= 2; ++dj)
          for (int di = -2; di <= 2; ++di) {
            const double a = row[(dj + 2) * 5 + di + 2];
            const int fx = x + di, fy = y + dj;
            if (a != 0.0 && fx >= 0 && fy >= 0 && fx < f.nx && fy < f.ny) rb.Add(fx, fy, rw * a);
          }
      });
  return c;
}

void SweepLevel(Level& l, int times) {
  for (int t = 0; t < times; ++t)
    for (int J = 0; J < l.ny; ++J)
      for (int I = 0; I < l.nx; ++I) {
        const double* row = l.Row(I, J);
        if (row[kCentre] == 0.0) continue;
        const std::size_t p = l.P(I, J);
        double s = l.src[p];
        const double* e = &l.e[p];
        for (int k = 0; k < kRow; ++k)
          if (k != kCentre) s -= row[k] * e[l.off[k]];
        l.e[p] = s / row[kCentre];
      }
}

void Residual(Level& l) {
  for (int J = 0; J < l.ny; ++J)
    for (int I = 0; I < l.nx; ++I) {
      const double* row = l.Row(I, J);
      const std::size_t p = l.P(I, J);
      double s = l.src[p];
      const double* e = &l.e[p];
      for (int k = 0; k < kRow; ++k) s -= row[k] * e[l.off[k]];
      l.res[p] = s;
    }
}

// src of c = R res, res given at the fine nodes by res(x, y); e of c = 0.
template <class Res>
void Restrict(int fnx, int fny, Res res, Level& c) {
  std::fill(c.src.begin(), c.src.end(), 0.0);
  std::fill(c.e.begin(), c.e.end(), 0.0);
  for (int y = 0; y < fny; ++y) {
    const Weights wy = Interp(y, c.ny);
    for (int x = 0; x < fnx; ++x) {
      const double r = res(x, y);
      if (r == 0.0) continue;
      const Weights wx = Interp(x, c.nx);
      for (int p = 0; p < wy.n; ++p)
        for (int q = 0; q < wx.n; ++q) c.src[c.P(wx.at[q], wy.at[p])] += 0.25 * wx.w[q] * wy.w[p] * r;
    }
  }
}

// fine(x, y) += scale * (P e of c) at every fine node take(x, y) admits.
template <class Fine, class Take>
void Prolong(const Level& c, int fnx, int fny, double scale, Fine fine, Take take) {
  for (int y = 0; y < fny; ++y) {
    const Weights wy = Interp(y, c.ny);
    for (int x = 0; x < fnx; ++x) {
      if (!take(x, y)) continue;
      const Weights wx = Interp(x, c.nx);
      double v = 0.0;
      for (int p = 0; p < wy.n; ++p)
        for (int q = 0; q < wx.n; ++q) v += wx.w[q] * wy.w[p] * c.e[c.P(wx.at[q], wy.at[p])];
      fine(x, y) += scale * v;
    }
  }
}

// One V-cycle on levels[k] (k >= 1) for its current src.
void Cycle(std::vector<Level>& levels, std::size_t k) {
  Level& l = levels[k];
  if (k + 1 == levels.size()) {
    SweepLevel(l, kCoarsestSweeps);
    return;
  }
  SweepLevel(l, kCoarseSweeps);
  Residual(l);
  Level& c = levels[k + 1];
  Restrict(l.nx, l.ny, [&](int x, int y) { return l.res[l.P(x, y)]; }, c);
  Cycle(levels, k + 1);
  Prolong(c, l.nx, l.ny, 1.0, [&](int x, int y) -> double& { return l.e[l.P(x, y)]; }, [](int, int) { return true; });
  SweepLevel(l, kCoarseSweeps);
}

// Anderson mixing of successive cycles: the cycle is a linear map u -> G(u)
// whose fixed point is the solution; from the last few pairs it takes the
// combination whose residual G(u) - u is least. Differences are kept in
// floats: they only steer the step, the sweeps check the result.
class Mixing {
public:
  Mixing(int history, std::size_t total) : m_(history), total_(total) {
    if (m_ > 0) {
      start_.resize(total);
      dF_.assign(static_cast<std::size_t>(m_), {});
      dG_.assign(static_cast<std::size_t>(m_), {});
      gram_.assign(static_cast<std::size_t>(m_ * m_), 0.0);
    }
  }
  void Start(const std::vector<double>& u) {
    if (m_ > 0) start_ = u;
  }
  void Mix(std::vector<double>& g) {
    if (m_ <= 0) return;
    // f = G(u) - u; the newest column is (f - fPrev, g - gPrev).
    std::vector<double>& f = start_;
    for (std::size_t n = 0; n < total_; ++n) f[n] = g[n] - f[n];
    if (!fPrev_.empty()) {
      const int c = next_;
      next_ = (next_ + 1) % m_;
      stored_ = std::min(stored_ + 1, m_);
      std::vector<float>& df = dF_[static_cast<std::size_t>(c)];
      std::vector<float>& dg = dG_[static_cast<std::size_t>(c)];
      df.resize(total_);
      dg.resize(total_);
      for (std::size_t n = 0; n < total_; ++n) {
        df[n] = static_cast<float>(f[n] - fPrev_[n]);
        dg[n] = static_cast<float>(g[n] - gPrev_[n]);
      }
      for (int i = 0; i < stored_; ++i) gram_[c * m_ + i] = gram_[i * m_ + c] = Dot(df, dF_[static_cast<std::size_t>(i)]);
    }
    fPrev_ = f;
    gPrev_ = g;
    if (stored_ == 0) return;
    std::vector<double> h(static_cast<std::size_t>(stored_ * stored_)), r(static_cast<std::size_t>(stored_)), gamma;
    double trace = 0;
    for (int i = 0; i < stored_; ++i) trace += gram_[i * m_ + i];
    for (int i = 0; i < stored_; ++i) {
      r[i] = Dot(dF_[static_cast<std::size_t>(i)], f);
      for (int j = 0; j < stored_; ++j) h[i * stored_ + j] = gram_[i * m_ + j];
      h[i * stored_ + i] += 1e-10 * trace;
    }
    if (!Solve(h, r, stored_, gamma)) {
      stored_ = next_ = 0;
      return;
    }
    for (int i = 0; i < stored_; ++i) {
      const float* col = dG_[static_cast<std::size_t>(i)].data();
      const double gi = gamma[i];
      for (std::size_t n = 0; n < total_; ++n) g[n] -= gi * col[n];
    }
  }

private:
  template <class A, class B>
  static double Dot(const std::vector<A>& a, const std::vector<B>& b) {
    double s = 0;
    for (std::size_t n = 0; n < a.size(); ++n) s += static_cast<double>(a[n]) * static_cast<double>(b[n]);
    return s;
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
  std::vector<double> start_, fPrev_, gPrev_, gram_;
  std::vector<std::vector<float>> dF_, dG_;
};

}  // namespace

int KCreateGrid::RelaxFast(double precision, int limit, KRelaxListener* listener, int threads) {
  MarkInterior();
  sweepsRun_ = 0;
  lastChange_ = 0.0;
  TeamPtr team = MakeTeam(threads);
  relaxation.factor = 1.0;   // plain Gauss-Seidel smooths best here
  const double bound = DivergenceBound();
  const std::ptrdiff_t w = nx_;

  // Nodes no sweep changes keep their value: no correction reaches them.
  if (getenv("K_T")) fprintf(stderr, "start %d: %.3f\n", nx_, double(clock()) / CLOCKS_PER_SEC);
  RowEntry entries[kMaxRowEntries];
  for (int n = 0; n < static_cast<int>(NodeTotal()); ++n) {
    double b;
    static int pin = Knob("K_PIN", 1);
    if (pin && cellOf_[static_cast<std::size_t>(n)] >= 0) flags_[static_cast<std::size_t>(n)] |= kFixedFlag;
    if (pin == 2 && !(flags_[static_cast<std::size_t>(n)] & kInteriorFlag)) flags_[static_cast<std::size_t>(n)] |= kFixedFlag;
    if (!(flags_[static_cast<std::size_t>(n)] & kPlainFlag) && UpdateRow(n, entries, b) < 0)
      flags_[static_cast<std::size_t>(n)] |= kFixedFlag;
  }
  const auto fixed = [&](int x, int y) { return (flags_[static_cast<std::size_t>(x + y * w)] & kFixedFlag) != 0; };

  // The fine equations as rows of 1 - (update weights); plain nodes share one.
  static constexpr double kPlainRow[kRow] = {0,    0,    kFar, 0,    0,    0,     kDiagonal, -kDirect, kDiagonal,
                                             0,    kFar, -kDirect, 1.0, -kDirect, kFar, 0, kDiagonal, -kDirect,
                                             kDiagonal, 0, 0, 0, kFar, 0, 0};
  std::vector<Level> levels;
  if (nx_ >= 2 * kSmallest && ny_ >= 2 * kSmallest) {
    levels.push_back(Shape(nx_, ny_));
    BuildRows(
        levels.back(), nx_, ny_, kPlainRow,
        [&](int x, int y) { return !(flags_[static_cast<std::size_t>(x + y * w)] & kPlainFlag); },
        [&](int x, int y, RowBuilder& rb, double rw) {
          const int n = x + y * nx_;
          if (flags_[static_cast<std::size_t>(n)] & kFixedFlag) return;
          double b;
          rb.Add(x, y, rw);
          const int count = UpdateRow(n, entries, b);
          for (int k = 0; k < count; ++k) {
            const int m = entries[k].node;
            if (!(flags_[static_cast<std::size_t>(m)] & kFixedFlag)) rb.Add(m % nx_, m / nx_, -rw * entries[k].c);
          }
        });
    while (levels.back().nx >= 2 * kSmallest && levels.back().ny >= 2 * kSmallest) {
      Level c = Coarsen(levels.back());
      levels.push_back(std::move(c));
    }
  }
  if (getenv("K_T")) fprintf(stderr, "setup %d: %.3f\n", nx_, double(clock()) / CLOCKS_PER_SEC);
  // levels[k] is the grid k + 1 halvings down; Cycle counts from 1.
  levels.insert(levels.begin(), Level{});

  // What the sweep would change at (x, y): the fine residual.
  const auto residual = [&](int x, int y) -> double {
    const std::size_t n = static_cast<std::size_t>(x + y * w);
    const double* p = &values_[n];
    if (flags_[n] & kPlainFlag) return Stencil(p, w) - p[0];
    if (flags_[n] & kFixedFlag) return 0.0;
    double b;
    const int count = UpdateRow(static_cast<int>(n), entries, b);
    double t = b;
    for (int k = 0; k < count; ++k) t += entries[k].c * values_[static_cast<std::size_t>(entries[k].node)];
    return t - p[0];
  };

  // A sweep; false when the relaxation is to stop with *result.
  const auto sweep = [&](int* result) {
    const double change = SweepWith(team.get());
    ++sweepsRun_;
    lastChange_ = change;
    if (!std::isfinite(change) || change > bound) {
      *result = kDiverged;
      return false;
    }
    if (change < precision || change <= 0) {
      *result = ValuesSound() ? 0 : kDiverged;
      return false;
    }
    if (sweepsRun_ >= limit) {
      *result = ValuesSound() ? 0 : kDiverged;
      return false;
    }
    return true;
  };

  int result = 0;
  Mixing mixing(kMixHistory, NodeTotal());
  for (;;) {
    mixing.Start(values_);
    for (int s = 0; s < kPreSweeps; ++s)
      if (!sweep(&result)) return result;
    static bool dbg = getenv("K_DBG");
    auto rnorm = [&]() { double s2 = 0; for (int y = 0; y < ny_; ++y) for (int x = 0; x < nx_; ++x) { double r = residual(x, y); s2 += r * r; } return std::sqrt(s2); };
    if (dbg) fprintf(stderr, "cycle %d: before %.4g", sweepsRun_, rnorm());
    if (levels.size() > 1) {
      Restrict(nx_, ny_, residual, levels[1]);
      if (dbg) { Level& l1 = levels[1]; double a = 0; for (double v : l1.src) a += v * v; Residual(l1); double b = 0; for (double v : l1.res) b += v*v; SweepLevel(l1, 5); Residual(l1); double c = 0; for (double v : l1.res) c += v*v; fprintf(stderr, " L1 src %.4g res0 %.4g res5 %.4g", std::sqrt(a), std::sqrt(b), std::sqrt(c)); std::fill(l1.e.begin(), l1.e.end(), 0.0);}
      Cycle(levels, 1);
      Prolong(
          levels[1], nx_, ny_, kDamp, [&](int x, int y) -> double& { return values_[static_cast<std::size_t>(x + y * w)]; },
          [&](int x, int y) { return !fixed(x, y); });
    }
    if (dbg) { double mx = 0; int ax = 0, ay = 0; for (int y = 0; y < ny_; ++y) for (int x = 0; x < nx_; ++x) { double r = std::fabs(residual(x, y)); if (r > mx) { mx = r; ax = x; ay = y; } } fprintf(stderr, " after cc %.4g max %.3g at %d,%d flags %d levels %zu\n", rnorm(), mx, ax, ay, flags_[ax + ay * nx_], levels.size()); }
    for (int s = 0; s < kEdgeSweeps; ++s) SweepEdge(kEdgeWidth);
    for (int s = 0; s < kPostSweeps; ++s)
      if (!sweep(&result)) return result;
    mixing.Mix(values_);
    if (!ValuesSound()) return kDiverged;
    if (listener) {
      const int answer = listener->OnTenthSweep(sweepsRun_ - 1, lastChange_, relaxation.factor);
      if (answer != 0) return answer;
    }
  }
}
