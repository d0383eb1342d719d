// Interleaved rows: the K rows of a block advance together, row r of the
// block lagging kBlockLag * r columns, so that each step updates K nodes
// that do not depend on each other.
#include <algorithm>
#include <cstddef>
#include <utility>

#include "model/grid/kcreate_grid.h"
#include "model/grid/kcreate_grid_node.h"
#include "model/grid/kcreate_grid_stencil.h"

namespace {

// The per-row bodies must be inlined for the row state to stay in registers.
#define QUARVEL_INLINE __attribute__((always_inline))

// f(0), f(1), ..., f(K - 1), written out so that per-row state stays in
// registers.
template <int K, class F>
inline void EachRow(F&& f) {
  [&]<int... r>(std::integer_sequence<int, r...>) { (f(r), ...); }(std::make_integer_sequence<int, K>{});
}

}  // namespace

void KCreateGrid::StartBlock(RowBlock& b, int first, int rows) const {
  b.first = first;
  b.rows = rows;
  b.largest = 0.0;
  for (int r = 0; r < rows; ++r) {
    b.border[r] = border_.data() + rowBorder_[static_cast<std::size_t>(first + r)];
    b.cell[r] = rowCell_.empty() ? 0 : rowCell_[static_cast<std::size_t>(first + r)];
  }
}

// Kept out of line: inlined, its rare kinds would crowd the registers the
// common case needs.
__attribute__((noinline)) double KCreateGrid::RelaxNode(int node, const BorderNode*& border, std::int32_t* cell,
                                                       double largest) {
  const std::uint8_t f = flags_[static_cast<std::size_t>(node)];
  if (!(f & kInteriorFlag)) {
    if (cell && border->cell != kNoDataCell) ++*cell;
    return RelaxBorder(*border++, largest);
  }
  double* p = values_.data() + node;
  const double factor = relaxation.factor;
  p[0] = (f & kPlainFlag)
             ? kgrid_node::Plain(p, nx_, p[-1], p[-2], factor, factor * kgrid_stencil::kDirect, largest)
             : kgrid_node::Data(p, nx_, p[-1], p[-2], cells_[static_cast<std::size_t>(cell ? (*cell)++ : CellAt(node))],
                                factor, smooth, largest);
  return largest;
}

template <int K>
void KCreateGrid::RelaxBlockStepsOf(RowBlock& b, int s0, int s1) {
  double* z = values_.data();
  const std::uint8_t* flags = flags_.data();
  const std::ptrdiff_t w = nx_;
  const std::ptrdiff_t down = w - kBlockLag;   // from a row's node to the next row's, same step
  const std::ptrdiff_t row0 = Index(0, b.first);
  const double factor = relaxation.factor;
  const double leftWeight = factor * kgrid_stencil::kDirect;
  const BorderNode* border[K];
  // Cells are numbered in node order: each row's data nodes take the next
  // of its cells rather than searching for theirs.
  std::int32_t cell[K];
  EachRow<K>([&](int r) QUARVEL_INLINE {
    border[r] = b.border[r];
    cell[r] = b.cell[r];
  });
  // One running maximum for all rows: it skips NaN, so the order the
  // changes meet in does not matter. It is handed around by value: were its
  // address taken, every store to a node could change it, and it would be
  // reloaded after each.
  double largest = b.largest;
  const auto edgeStep = [&](int s, double big) {
    for (int r = 0; r < K; ++r) {
      const int c = s - kBlockLag * r;
      if (c >= 0 && c < nx_) big = RelaxNode(static_cast<int>(row0 + s + r * down), border[r], &cell[r], big);
    }
    return big;
  };
  // Between these steps every row is at a column that may be interior,
  // where the two values just written to the left are carried in registers
  // (reading them back would lengthen each row's chain of updates by the
  // store-to-load delay).
  const int inBegin = std::max(s0, 2 + kBlockLag * (K - 1));
  const int inEnd = std::min(s1, nx_ - 2);
  int s = s0;
  for (; s < s1 && s < inBegin; ++s) largest = edgeStep(s, largest);
  // One step of the K rows, nodes of any kind; left and left2 carry on.
  const auto mixedStep = [&](std::ptrdiff_t n0, double* left, double* left2) QUARVEL_INLINE {
    EachRow<K>([&](int r) QUARVEL_INLINE {
      const std::ptrdiff_t n = n0 + r * down;
      double* p = z + n;
      double v;
      const std::uint8_t f = flags[n];
      if (f & kPlainFlag) {
        v = kgrid_node::Plain(p, w, left[r], left2[r], factor, leftWeight, largest);
        p[0] = v;
      } else if (f & kInteriorFlag) {   // data: the commonest of the other kinds
        v = kgrid_node::Data(p, w, left[r], left2[r], cells_[static_cast<std::size_t>(cell[r]++)], factor, smooth,
                             largest);
        p[0] = v;
      } else {
        largest = RelaxNode(static_cast<int>(n), border[r], &cell[r], largest);
        v = p[0];
      }
      left2[r] = left[r];
      left[r] = v;
    });
  };
  const auto allPlain = [&](std::ptrdiff_t n0) QUARVEL_INLINE {
    std::uint8_t all = kPlainFlag;
    EachRow<K>([&](int r) QUARVEL_INLINE { all &= flags[n0 + r * down]; });
    return all != 0;
  };
  if (s < inEnd) {
    double left[K], left2[K];
    EachRow<K>([&](int r) QUARVEL_INLINE {
      const double* p = z + row0 + s + r * down;
      left[r] = p[-1];
      left2[r] = p[-2];
    });
    for (; s < inEnd; ++s) {
      const std::ptrdiff_t n0 = row0 + s;
      if (!allPlain(n0)) {
        mixedStep(n0, left, left2);
        continue;
      }
      EachRow<K>([&](int r) QUARVEL_INLINE {
        double* p = z + n0 + r * down;
        const double v = kgrid_node::Plain(p, w, left[r], left2[r], factor, leftWeight, largest);
        p[0] = v;
        left2[r] = left[r];
        left[r] = v;
      });
    }
  }
  for (; s < s1; ++s) largest = edgeStep(s, largest);
  EachRow<K>([&](int r) QUARVEL_INLINE {
    b.border[r] = border[r];
    b.cell[r] = cell[r];
  });
  b.largest = largest;
}

namespace {

// Calls f.template operator()<k>() for the k = rows, at most Max.
template <int Max, class F>
void WithRows(int rows, F&& f) {
  if constexpr (Max > 1)
    if (rows < Max) return WithRows<Max - 1>(rows, f);
  f.template operator()<Max>();
}

}  // namespace

void KCreateGrid::RelaxBlockSteps(RowBlock& b, int s0, int s1) {
  WithRows<kBlockRows>(b.rows, [&]<int K>() { RelaxBlockStepsOf<K>(b, s0, s1); });
}
