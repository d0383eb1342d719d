// Prepare: node arrays, break lines turned into blocked links, data cells.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "model/grid/kcreate_grid.h"

namespace {

// Segments whose ends lie closer than this on the scan axis cross no line.
constexpr double kFlatSegment = 1e-16;

// Walks every grid line that each segment of line crosses: first the rows
// (scan coordinate gy), then the columns (scan coordinate gx). visit(rows,
// L, q) gets the crossed line L and the other coordinate q there.
template <class Visit>
void WalkCrossings(const KGridLine& line, int nx, int ny, Visit visit) {
  const std::size_t n = std::min(line.gx.size(), line.gy.size());
  for (std::size_t k = 0; k + 1 < n; ++k) {
    for (int pass = 0; pass < 2; ++pass) {
      const bool rows = pass == 0;
      const std::vector<double>& scan = rows ? line.gy : line.gx;
      const std::vector<double>& other = rows ? line.gx : line.gy;
      double s0 = scan[k], s1 = scan[k + 1], q0 = other[k], q1 = other[k + 1];
      if (!(std::fabs(s0 - s1) >= kFlatSegment)) continue;   // also skips NaN
      if (s0 > s1) {
        std::swap(s0, s1);
        std::swap(q0, q1);
      }
      const int limit = rows ? ny : nx;
      // Lines in [s0, s1): a vertex lying exactly on a line is the lower
      // end of one of its two segments, so the link there is blocked once
      // rather than by neither. ceil, not truncation: a segment starting
      // just before line 0 must still cross line 0.
      double first = std::ceil(s0);
      if (first < 0) first = 0;
      if (!(first < limit)) continue;
      const double slope = (q1 - q0) / (s1 - s0);
      int L = static_cast<int>(first);
      double q = q0 + slope * (L - s0);
      while (L < s1 && L < limit) {
        visit(rows, L, q);
        ++L;
        q += slope;
      }
    }
  }
}

// Calls visit(n) for every flagged n in increasing order. Few nodes are
// flagged, so unflagged ones are skipped eight at a time.
template <class Visit>
void ForEachFlagged(const std::vector<std::uint8_t>& flags, Visit visit) {
  const std::size_t total = flags.size();
  std::size_t n = 0;
  for (; n + 8 <= total; n += 8) {
    std::uint64_t word;
    std::memcpy(&word, flags.data() + n, sizeof word);
    if (word == 0) continue;
    for (std::size_t k = n; k < n + 8; ++k)
      if (flags[k]) visit(k);
  }
  for (; n < total; ++n)
    if (flags[n]) visit(n);
}

// The node below the crossing at q on the crossed line, or a value outside
// [-1, count) that the callers ignore. floor so that a crossing just before
// node 0 touches no link inside the grid.
int CellBelow(double q, int count) {
  if (!(q >= -1.0)) return -2;
  if (q >= count) return count;
  return static_cast<int>(std::floor(q));
}

}  // namespace

void KCreateGrid::RasteriseBreaks(const std::vector<KGridLine>& breaks) {
  const auto inside = [&](int i, int j) { return i >= 0 && i < nx_ && j >= 0 && j < ny_; };

  // Pass 1: flag the nodes on both sides of every crossing.
  for (const KGridLine& line : breaks) {
    WalkCrossings(line, nx_, ny_, [&](bool rows, int L, double q) {
      if (rows) {
        const int k = CellBelow(q, nx_);
        if (k > nx_ - 1) return;
        if (inside(k, L)) flags_[static_cast<std::size_t>(Index(k, L))] = 1;
        if (inside(k + 1, L)) flags_[static_cast<std::size_t>(Index(k + 1, L))] = 1;
      } else {
        const int k = CellBelow(q, ny_);
        if (inside(L, k)) flags_[static_cast<std::size_t>(Index(L, k))] = 1;
        if (inside(L, k + 1)) flags_[static_cast<std::size_t>(Index(L, k + 1))] = 1;
      }
    });
  }

  // Link records for the flagged nodes, numbered in index order. Without
  // breaks there is none, and no per-node table either.
  links_.clear();
  linkOf_.clear();
  if (breaks.empty()) return;
  linkOf_.assign(NodeTotal(), kNoLinkRecord);
  ForEachFlagged(flags_, [&](std::size_t n) {
    linkOf_[n] = static_cast<std::int32_t>(links_.size());
    LinkRecord rec;
    rec.owner = static_cast<std::int32_t>(n);
    links_.push_back(rec);
  });

  // Pass 2: block every crossed link from both of its ends.
  const auto block = [&](int i, int j, int d) {
    if (!inside(i, j)) return;
    const std::int32_t rec = linkOf_[static_cast<std::size_t>(Index(i, j))];
    if (rec >= 0) links_[static_cast<std::size_t>(rec)].links[d] = kLinkBlocked;
  };
  for (const KGridLine& line : breaks) {
    WalkCrossings(line, nx_, ny_, [&](bool rows, int L, double q) {
      if (rows) {
        const int k = CellBelow(q, nx_);
        if (k > nx_ - 1) return;
        block(k, L, kPlusX);
        block(k + 1, L, kMinusX);
      } else {
        const int k = CellBelow(q, ny_);
        block(L, k, kPlusY);
        block(L, k + 1, kMinusY);
      }
    });
  }
}

void KCreateGrid::BuildDataCells(const KOne* points, std::size_t count) {
  cells_.clear();
  cellNode_.clear();

  // The node a point snaps to, or -1 when it is dropped. Truncation toward
  // zero on purpose: points up to 1.5 steps before node 0 still snap to it.
  // The range is checked on the double so that far-away points cannot wrap
  // onto the grid.
  const bool anyLink = !links_.empty();
  const auto snap = [&](const KOne& p) -> std::int32_t {
    if (!std::isfinite(p.z) || !std::isfinite(p.w)) return -1;
    const double si = std::trunc(p.x + 0.5), sj = std::trunc(p.y + 0.5);
    if (!(si >= 0 && si < nx_ && sj >= 0 && sj < ny_)) return -1;
    const std::int32_t node = Index(static_cast<int>(si), static_cast<int>(sj));
    if (anyLink && linkOf_[static_cast<std::size_t>(node)] != kNoLinkRecord) return -1;  // beside a fault
    return node;
  };

  // Mark, then number the data nodes in index order. flags_ still marks the
  // link records' nodes; only those are cleared.
  for (const LinkRecord& rec : links_) flags_[static_cast<std::size_t>(rec.owner)] = 0;
  std::vector<std::int32_t> snapped(count);
  for (std::size_t p = 0; p < count; ++p) {
    snapped[p] = snap(points[p]);
    if (snapped[p] >= 0) flags_[static_cast<std::size_t>(snapped[p])] = 1;
  }
  ForEachFlagged(flags_, [&](std::size_t n) { cellNode_.push_back(static_cast<std::int32_t>(n)); });
  for (const std::int32_t n : cellNode_) flags_[static_cast<std::size_t>(n)] = 0;
  cells_.resize(cellNode_.size());
  rowCell_.assign(static_cast<std::size_t>(ny_) + 1, 0);
  for (const std::int32_t n : cellNode_) ++rowCell_[static_cast<std::size_t>(n / nx_) + 1];
  for (std::size_t j = 1; j < rowCell_.size(); ++j) rowCell_[j] += rowCell_[j - 1];

  // Sums in point order.
  for (std::size_t p = 0; p < count; ++p) {
    const std::int32_t node = snapped[p];
    if (node < 0) continue;
    const KOne& pt = points[p];
    DataCell& cell = cells_[static_cast<std::size_t>(CellAt(node))];
    const int i = node % nx_, j = node / nx_;
    cell.dx += pt.x - i;
    cell.dy += pt.y - j;
    cell.z += pt.z;
    cell.w += pt.w;
    ++cell.count;
  }
  for (DataCell& cell : cells_) {
    cell.dx /= cell.count;
    cell.dy /= cell.count;
    cell.z /= cell.count;
    cell.w /= cell.count;
  }
}

std::int32_t KCreateGrid::CellAt(int node) const {
  if (rowCell_.empty()) return kNoDataCell;
  const std::size_t j = static_cast<std::size_t>(node / nx_);
  const auto first = cellNode_.begin() + rowCell_[j], last = cellNode_.begin() + rowCell_[j + 1];
  const auto at = std::lower_bound(first, last, node);
  return at != last && *at == node ? static_cast<std::int32_t>(at - cellNode_.begin()) : kNoDataCell;
}

void KCreateGrid::Prepare(const KOne* points, std::size_t count,
                          const std::vector<KGridLine>& breaks) {
  const std::size_t total = NodeTotal();
  flags_.assign(total, 0);
  values_.assign(total, kUnset);
  RasteriseBreaks(breaks);
  BuildDataCells(points, count);   // leaves flags_ clear
  dataMean_ = 0.0;
}
