// Marching squares over open links, then the cell segments of each level
// joined into lines through the edges they share.
#include "model/contour/contour.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// An edge is a link: x-link of node n is 2n, y-link 2n + 1. Both cells on
// either side of an edge name it alike, which joins their segments.
using EdgeId = std::int64_t;
struct Segment {
  EdgeId a, b;
};

bool Usable(const KNodeGrid& g, int i, int j) { return g.Inside(i, j) && std::isfinite(g.Value(i, j)); }

// The cell with lower-left node (i, j): corners counter-clockwise from
// there, edge e runs from corner e to corner (e + 1) % 4.
struct Cell {
  double v[4];
  bool open[4];
  EdgeId edge[4];
};

bool LoadCell(const KNodeGrid& g, int i, int j, Cell& c) {
  const int ci[4] = {i, i + 1, i + 1, i};
  const int cj[4] = {j, j, j + 1, j + 1};
  bool usable[4];
  for (int k = 0; k < 4; ++k) {
    usable[k] = Usable(g, ci[k], cj[k]);
    c.v[k] = usable[k] ? g.Value(ci[k], cj[k]) : 0.0;
  }
  c.open[0] = usable[0] && usable[1] && !g.CutX(i, j);
  c.open[1] = usable[1] && usable[2] && !g.CutY(i + 1, j);
  c.open[2] = usable[3] && usable[2] && !g.CutX(i, j + 1);
  c.open[3] = usable[0] && usable[3] && !g.CutY(i, j);
  c.edge[0] = 2 * static_cast<EdgeId>(g.Index(i, j));
  c.edge[1] = 2 * static_cast<EdgeId>(g.Index(i + 1, j)) + 1;
  c.edge[2] = 2 * static_cast<EdgeId>(g.Index(i, j + 1));
  c.edge[3] = 2 * static_cast<EdgeId>(g.Index(i, j)) + 1;
  return c.open[0] || c.open[1] || c.open[2] || c.open[3];
}

// Segments of one level in one cell.
void CellSegments(const Cell& c, double level, std::vector<Segment>& out) {
  bool above[4], crossed[4];
  for (int k = 0; k < 4; ++k) above[k] = c.v[k] >= level;
  int crossings = 0;
  for (int e = 0; e < 4; ++e) {
    crossed[e] = c.open[e] && above[e] != above[(e + 1) % 4];
    crossings += crossed[e];
  }
  if (crossings < 2) return;
  const auto join = [&](int e, int f) { out.push_back({c.edge[e], c.edge[f]}); };
  if (c.open[0] && c.open[1] && c.open[2] && c.open[3]) {
    if (crossings == 2) {
      int first = -1;
      for (int e = 0; e < 4; ++e)
        if (crossed[e]) {
          if (first < 0) first = e;
          else join(first, e);
        }
      return;
    }
    // Saddle: the corners on the other side of the centre are cut off.
    const bool centreAbove = (c.v[0] + c.v[1] + c.v[2] + c.v[3]) * 0.25 >= level;
    for (int k = 0; k < 4; ++k)
      if (above[k] != centreAbove) join((k + 3) % 4, k);
    return;
  }
  // Some edge is closed: walk the runs of open edges that follow one and
  // join crossings only within a run, where nodes connect.
  int closed = 0;
  while (c.open[closed]) ++closed;
  int run[3], inRun = 0;
  for (int step = 1; step <= 4; ++step) {
    const int e = (closed + step) % 4;
    if (c.open[e] && crossed[e]) run[inRun++] = e;
    if (!c.open[e] || step == 4) {
      if (inRun == 2) {
        join(run[0], run[1]);
      } else if (inRun == 3) {
        // Three crossings along four nodes: keep the node below apart.
        const int between = (run[0] + 1) % 4;
        if (!above[between]) join(run[0], run[1]);
        else join(run[1], run[2]);
      }
      inRun = 0;
    }
  }
}

void EdgePoint(const KNodeGrid& g, EdgeId edge, double level, double& x, double& y) {
  const EdgeId node = edge / 2;
  const int i = static_cast<int>(node % g.nx), j = static_cast<int>(node / g.nx);
  const int i2 = (edge & 1) ? i : i + 1, j2 = (edge & 1) ? j + 1 : j;
  const double a = g.Value(i, j), b = g.Value(i2, j2);
  double t = b != a ? (level - a) / (b - a) : 0.5;
  t = std::clamp(t, 0.0, 1.0);
  x = g.WorldX(i + t * (i2 - i));
  y = g.WorldY(j + t * (j2 - j));
}

// Joins the segments of one level into lines: first those with a free end,
// then closed loops.
void JoinLevel(const KNodeGrid& g, const std::vector<Segment>& segs, int k, double level,
               std::vector<KContourLine>& out) {
  const std::size_t n = segs.size();
  std::vector<std::pair<EdgeId, std::size_t>> ends;  // (edge, 2 * segment + end)
  ends.reserve(2 * n);
  for (std::size_t s = 0; s < n; ++s) {
    ends.push_back({segs[s].a, 2 * s});
    ends.push_back({segs[s].b, 2 * s + 1});
  }
  std::sort(ends.begin(), ends.end());
  // partner[2s + e]: the segment end sharing that edge, or npos.
  constexpr std::size_t npos = static_cast<std::size_t>(-1);
  std::vector<std::size_t> partner(2 * n, npos);
  for (std::size_t q = 0; q + 1 < ends.size(); ++q)
    if (ends[q].first == ends[q + 1].first) {
      partner[ends[q].second] = ends[q + 1].second;
      partner[ends[q + 1].second] = ends[q].second;
      ++q;
    }
  std::vector<std::uint8_t> used(n, 0);
  const auto edgeOf = [&](std::size_t end) { return (end & 1) ? segs[end / 2].b : segs[end / 2].a; };
  const auto trace = [&](std::size_t startEnd) {
    KContourLine line;
    line.level = k;
    line.value = level;
    const auto add = [&](EdgeId e) {
      double x, y;
      EdgePoint(g, e, level, x, y);
      line.x.push_back(x);
      line.y.push_back(y);
    };
    add(edgeOf(startEnd));
    std::size_t end = startEnd;
    while (true) {
      used[end / 2] = 1;
      const std::size_t far = end ^ 1;
      add(edgeOf(far));
      const std::size_t next = partner[far];
      if (next == npos) break;
      if (next == startEnd) {
        line.closed = true;
        break;
      }
      if (used[next / 2]) break;
      end = next;
    }
    out.push_back(std::move(line));
  };
  for (std::size_t end = 0; end < 2 * n; ++end)
    if (!used[end / 2] && partner[end] == npos) trace(end);
  for (std::size_t s = 0; s < n; ++s)
    if (!used[s]) trace(2 * s);
}

}  // namespace

double RoundContourStep(double lo, double hi) {
  if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo)) return 0.0;
  // A tenth of the range, from halves: hi - lo may overflow.
  const double raw = (hi / 2 - lo / 2) / 5.0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  double step = power;
  for (double m : {2.0, 2.5, 5.0, 10.0})
    if (m * power <= raw * (1 + 1e-12)) step = m * power;
  return step;
}

KContourLevels LevelsInRange(double lo, double hi, double start, double step, int maxLevels) {
  KContourLevels levels;
  levels.start = start;
  levels.step = step;
  if (!(step > 0) || !std::isfinite(step) || !std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(start) ||
      hi < lo)
    return levels;
  const double first = std::ceil((lo - start) / step), last = std::floor((hi - start) / step);
  if (!(last >= first) || last - first + 1 > maxLevels || std::fabs(first) > 1e9 || std::fabs(last) > 1e9)
    return levels;
  levels.first = static_cast<int>(first);
  levels.last = static_cast<int>(last);
  return levels;
}

std::vector<KContourLine> TraceContours(const KNodeGrid& g, const KContourLevels& levels) {
  std::vector<KContourLine> lines;
  const int count = levels.Count();
  if (count <= 0 || g.nx < 2 || g.ny < 2 || g.values.size() != static_cast<std::size_t>(g.nx) * g.ny) return lines;
  std::vector<std::vector<Segment>> segs(static_cast<std::size_t>(count));
  Cell c;
  for (int j = 0; j + 1 < g.ny; ++j)
    for (int i = 0; i + 1 < g.nx; ++i) {
      if (!LoadCell(g, i, j, c)) continue;
      double lo = INFINITY, hi = -INFINITY;
      for (int e = 0; e < 4; ++e)
        if (c.open[e]) {
          lo = std::min({lo, c.v[e], c.v[(e + 1) % 4]});
          hi = std::max({hi, c.v[e], c.v[(e + 1) % 4]});
        }
      // Levels in lo < level <= hi cross an edge; one to spare each side
      // keeps rounding from losing one.
      const auto bounded = [&](double k) { return static_cast<int>(std::clamp(k, double(levels.first), double(levels.last))); };
      const int kLo = bounded(std::floor((lo - levels.start) / levels.step));
      const int kHi = bounded(std::ceil((hi - levels.start) / levels.step));
      for (int k = kLo; k <= kHi; ++k)
        CellSegments(c, levels.Value(k), segs[static_cast<std::size_t>(k - levels.first)]);
    }
  for (int q = 0; q < count; ++q)
    JoinLevel(g, segs[static_cast<std::size_t>(q)], levels.first + q, levels.Value(levels.first + q), lines);
  return lines;
}
