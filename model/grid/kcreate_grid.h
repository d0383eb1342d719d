#pragma once
// Minimum-curvature gridding of scattered values with faults.
//
// One KCreateGrid is one refinement level. The f(x,y) driver calls, in order:
// SetGeometry, Prepare (points and breaks already in grid coordinates),
// SeedFromData, then SeedFromCoarser (later levels) or SpreadFromData (first
// level), FillUnset and Relax. The net-file writer then reads the values
// and the link records.
//
// Nodes are stored row by row (x fastest): node (i, j) has index i + j * nx.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/grid/kxyz_list.h"
#include "model/grid/link_direction.h"

// A break line (fault) in grid coordinates.
struct KGridLine {
  std::vector<double> gx, gy;
};

// What a listener tells the relaxation after a report: whether to sweep on.
// Why it stops (the user ended the run, or asked for the next level) is the
// listener's to remember; the relaxation ends the same way for both.
enum class KSweepAnswer { kGoOn, kStop };

// How a relaxation ended.
enum class KRelaxEnd {
  kConverged,   // a sweep changed no node by the precision or more
  kLimit,       // the sweep limit ran out first
  kStopped,     // the listener answered kStop
  kDiverged,    // a change or a node value not finite, or far beyond the data's magnitude
};

// Told every tenth relaxation sweep; its answer can end the relaxation.
class KRelaxListener {
public:
  virtual ~KRelaxListener() = default;
  // sweep: 0-based index of the sweep just run; change: its largest absolute
  // change; factor: the over-relaxation factor after its update.
  virtual KSweepAnswer OnTenthSweep(int sweep, double change, double factor) = 0;
};

class KCreateGrid {
public:
  // Node values above kUnsetAbove count as unset; kUnset is the marker.
  static constexpr double kUnset = 1e302;
  static constexpr double kUnsetAbove = 1e100;
  // Link-record and data-cell markers.
  static constexpr std::int32_t kNoLinkRecord = -9;
  static constexpr std::int32_t kLinkOpen = -1;
  static constexpr std::int32_t kLinkBlocked = -199;
  static constexpr std::int32_t kNoDataCell = -100;
  // Node coordinates are 16-bit in the net file's strip table.
  static constexpr int kMaxAxisNodes = 32767;

  // Diagonal d runs one step in (d + 1) % 4 and one in d: 0 = (+x, +y),
  // 1 = (-x, +y), 2 = (-x, -y), 3 = (+x, -y).
  using Direction = klink::Direction;
  using enum klink::Direction;

  // One per node next to a break crossing.
  struct LinkRecord {
    std::int32_t links[4] = {kLinkOpen, kLinkOpen, kLinkOpen, kLinkOpen};
    std::int32_t owner = 0;   // index of the node it belongs to
  };

  // One per node that received data: means of the points snapped to it.
  struct DataCell {
    double z = 0;    // mean z
    double dx = 0;   // mean (gx - i), grid units
    double dy = 0;   // mean (gy - j), grid units
    double w = 0;    // mean weight
    std::int32_t count = 0;
  };

  // The over-relaxation factor and how it adapts after each sweep.
  class CWeightDF {
  public:
    virtual ~CWeightDF() = default;
    double best = 1e300;   // smallest largest-change seen so far
    double factor = 1.3;
    // Adapts the factor to a sweep whose largest change is change (> 0):
    // factor += (best - change) / change, then at least 0.5, and reset to
    // 1.3 when above 1.8. A change of 0 or less leaves everything as is.
    void Update(double change);
  };

  // Smoothing weight; 0 ties data nodes exactly to their data.
  double smooth = 0.0;
  // Rows a sweep advances together (1 up to kBlockRows): a speed setting
  // only, every value comes out the same whatever it is.
  int sweepRows = kBlockRows;
  CWeightDF relaxation;

  // Origin is half a step before the box; node counts are
  // trunc(extent / step + 3). The caller checks the counts first
  // (NodeCount) when the steps come from a user.
  void SetGeometry(double xmin, double ymin, double xmax, double ymax, double dx, double dy);
  // The node count SetGeometry gives for one axis, as a double so that the
  // caller can refuse counts that do not fit before anything is allocated.
  static double NodeCount(double min, double max, double step);

  double ToGridX(double x) const { return (x - x0_) / dx_; }
  double ToGridY(double y) const { return (y - y0_) / dy_; }
  double ToWorldX(double gx) const { return x0_ + gx * dx_; }
  double ToWorldY(double gy) const { return y0_ + gy * dy_; }

  // Allocates the node arrays, turns the breaks into blocked links and the
  // points (grid coordinates) into data cells. Points outside the grid, next
  // to a break or not finite are dropped. Throws std::bad_alloc when memory
  // runs out.
  void Prepare(const KOne* points, std::size_t count, const std::vector<KGridLine>& breaks);
  // Data nodes take their cell's mean z; the data mean becomes the mean of
  // the cells (0 when there is none).
  void SeedFromData();
  // First level: each data node hands its value to its unset neighbours
  // along x, then along y.
  void SpreadFromData();
  // Later levels: every unset node takes the bilinear value of coarse there.
  void SeedFromCoarser(const KCreateGrid& coarse);
  // The same with cubic values where the 4 x 4 coarse nodes around are set
  // and none is next to a break; bilinear elsewhere. The fast solver's start.
  void SeedFromCoarserCubic(const KCreateGrid& coarse);
  // Spreads set values into unset nodes (at most four rounds of y then x),
  // then gives the data mean to any node still unset.
  void FillUnset();
  // Relaxation sweeps until the largest change is below precision (or
  // nothing changes at all: kConverged), limit sweeps ran (kLimit), the
  // listener says stop (kStopped), or a change is not finite or grows far
  // beyond the data's magnitude (kDiverged). threads above 1 sweep as a
  // row-pipelined wavefront whose result is bit for bit that of one thread.
  KRelaxEnd Relax(double precision, int limit, KRelaxListener* listener, int threads = 1);
  // Solves the same equations as Relax (the same stencil, border
  // estimates, breaks and data tie) in far fewer sweeps: multigrid cycles
  // whose smoother is Relax's sweep (factor 1) and whose coarse grids
  // correct the smooth error of the nodes away from data, borders and
  // breaks. Stops when a cycle's last sweep changes no node by precision or
  // more, or after limit sweeps; the listener is told after every cycle.
  // Results as for Relax.
  KRelaxEnd RelaxFast(double precision, int limit, KRelaxListener* listener, int threads = 1);
  // The largest change a sweep may make before the relaxation counts as
  // diverging: a million times the data's magnitude.
  double DivergenceBound() const;
  // True when every node holds a finite value within DivergenceBound of 0.
  bool ValuesSound() const;

  // The node one step from node in direction d, or -1 (grid edge or a
  // blocked link).
  int Neighbour(int node, int d) const;
  // The diagonal neighbour d, or -1.
  int Diagonal(int node, int d) const;
  // Bilinear value at world (x, y); kUnset outside the grid or when a corner
  // of the cell is next to a break crossing.
  double BilinearAt(double x, double y) const;

  int nx() const { return nx_; }
  int ny() const { return ny_; }
  double x0() const { return x0_; }
  double y0() const { return y0_; }
  double dx() const { return dx_; }
  double dy() const { return dy_; }
  int Index(int i, int j) const { return i + j * nx_; }
  std::size_t NodeTotal() const { return static_cast<std::size_t>(nx_) * static_cast<std::size_t>(ny_); }

  const std::vector<double>& values() const { return values_; }
  std::vector<double>& values() { return values_; }
  double Value(int i, int j) const { return values_[static_cast<std::size_t>(Index(i, j))]; }
  // Index of the node's link record, or kNoLinkRecord.
  std::int32_t LinkRecordOf(int node) const {
    return links_.empty() ? kNoLinkRecord : linkOf_[static_cast<std::size_t>(node)];
  }
  const std::vector<LinkRecord>& linkRecords() const { return links_; }
  // Index of the node's data cell, or kNoDataCell.
  std::int32_t DataCellOf(int node) const { return CellAt(node); }
  const std::vector<DataCell>& dataCells() const { return cells_; }
  double dataMean() const { return dataMean_; }
  // True for the nodes the last Relax updated with the 13-point stencil.
  bool IsInterior(int node) const { return (flags_[static_cast<std::size_t>(node)] & kInteriorFlag) != 0; }
  // Sweeps run and the largest change of the last one, by the last Relax.
  int sweepsRun() const { return sweepsRun_; }
  double lastChange() const { return lastChange_; }

  // Bytes of node arrays a grid of n nodes holds (without link records and
  // data cells); lets the driver refuse grids that memory cannot hold.
  static constexpr double kBytesPerNode = sizeof(double) + 1 + 2 * sizeof(std::int32_t);

private:
  static bool IsSet(double v) { return v <= kUnsetAbove; }
  void RasteriseBreaks(const std::vector<KGridLine>& breaks);
  void BuildDataCells(const KOne* points, std::size_t count);
  // Hands node's value to its unset neighbours along axis (kPlusX or
  // kPlusY); at is the node's column or row. Returns how many it set.
  int SpreadAxis(int node, int axis, int at);
  void MarkInterior();
  // Neighbour lists of the nodes that are not interior, built once per
  // Relax: the partial estimates each takes, in the order they are summed.
  struct EstimateTerm {
    std::int32_t a, b, e;     // node indices; e only for planes
    std::uint8_t kind;        // kMidpoint (a + b) / 2, kExtrapolation 2a - b, kPlane a + b - e
  };
  struct BorderNode {
    std::int32_t node;
    std::int32_t firstTerm, termCount;   // termCount 0: no estimate reaches it
    std::int32_t cell;                   // its data cell, or kNoDataCell
    double weight;                       // sum of the terms' weights
    std::int32_t nb[4];                  // direct neighbours, -1 where none
  };
  void BuildBorderLists();
  // One sweep on one thread, or as a wavefront over team's threads.
  double Sweep();
  class SweepTeam;
  friend class SweepTeam;
  struct SweepTeamDeleter {
    void operator()(SweepTeam* team) const;
  };
  using TeamPtr = std::unique_ptr<SweepTeam, SweepTeamDeleter>;
  // A team of threads for the sweeps, or none when one thread will do.
  TeamPtr MakeTeam(int threads);
  // One row from its first node; sync waits for the row below and tells the
  // row above how far this one got (nothing on one thread).
  template <class Sync>
  double SweepRow(int j, double largest, Sync& sync);
  // Interior nodes from node on, up to end or the first border node;
  // advances node past them.
  double RelaxInteriorRun(int& node, int end, double largest);
  double RelaxBorder(const BorderNode& b, double largest);
  // The value the estimate (and data tie) of a border node gives it; false
  // when none reaches it.
  bool BorderTarget(const BorderNode& b, double& target) const;
  // Direct solves of the strips by the grid's edge for the fast solver
  // (kcreate_grid_edge_strips.h).
  class EdgeStrips;
  friend class EdgeStrips;
  // Nodes [node, end) of one row in order; border walks that row's border
  // list from the span's first border node and is left past its last.
  double RelaxSpan(int node, int end, const BorderNode*& border, double largest);
  // Moves every data node to its tie with the values around it, before the
  // fast solver's first sweep.
  void TieDataNodes();
  // Sweeps only the nodes within width of the grid's edge, in index order.
  double SweepEdge(int width);
  // The same nodes in the reverse order, so that what the forward order
  // carries only one node a sweep travels the other way as fast.
  double SweepEdgeBack(int width);
  // Interleaved rows: a block of rows is swept together, each row
  // kBlockLag columns behind the one before it. With a lag of two or more
  // every node reads what the row-at-a-time order gives it (the row before
  // already updated two columns beyond it, the two rows after not yet
  // reached), so the result is bit for bit the same, while the rows'
  // chains of updates overlap in the CPU. Two rows and a lag of six
  // measured fastest: the inputs a row takes from the row before are then
  // long computed, and more rows run out of registers.
  static constexpr int kBlockRows = 2, kBlockLag = 6;
  struct RowBlock {
    int first = 0, rows = 0;
    const BorderNode* border[kBlockRows];   // each row's next border node
    std::int32_t cell[kBlockRows];          // each row's next data cell
    double largest = 0.0;
  };
  int BlockRows() const { return sweepRows < 1 ? 1 : sweepRows > kBlockRows ? kBlockRows : sweepRows; }
  void StartBlock(RowBlock& b, int first, int rows) const;
  // Steps [s0, s1) of a block: at step s, row first + r updates column
  // s - kBlockLag * r when that is a column. A block takes
  // nx + kBlockLag * (rows - 1) steps.
  void RelaxBlockSteps(RowBlock& b, int s0, int s1);
  template <int K>
  void RelaxBlockStepsOf(RowBlock& b, int s0, int s1);
  // A block of rows from its first step to its last; sync waits for the row
  // below the block and tells the row above how far the block's last row got.
  template <class Sync>
  double SweepBlock(int first, int rows, double largest, Sync& sync);
  // Any one node, with its left neighbours read from the value array. cell
  // is the node's row's first data cell at or after node, and is moved past
  // node's; null has a data node's cell searched for.
  double RelaxNode(int node, const BorderNode*& border, std::int32_t* cell, double largest);
  // Node flags during relaxation.
  static constexpr std::uint8_t kInteriorFlag = 1, kPlainFlag = 2;
  // Sweeps until converged, as Relax, without marking the nodes again.
  KRelaxEnd RunSweeps(double precision, int limit, KRelaxListener* listener, SweepTeam* team);
  double SweepWith(SweepTeam* team);

  int nx_ = 0, ny_ = 0;
  double x0_ = 0, y0_ = 0, dx_ = 1, dy_ = 1;

  std::vector<double> values_;
  std::vector<std::uint8_t> flags_;    // set-up: next to a crossing; relaxation: interior
  std::vector<std::int32_t> linkOf_;     // read only when links_ is not empty
  std::vector<LinkRecord> links_;
  std::vector<DataCell> cells_;
  std::vector<EstimateTerm> terms_;
  std::vector<BorderNode> border_;        // in index order
  std::vector<std::int32_t> rowBorder_;   // first border node of each row, and the end
  double dataMean_ = 0.0;
  // Set-up without per-node neighbour calls: the data nodes in index order
  // (one per data cell), and whether node's link d is not blocked (the
  // grid's edge is the caller's to check).
  std::vector<std::int32_t> cellNode_;
  // The data cells of row j are [rowCell_[j], rowCell_[j + 1]): a node's
  // cell is found among its row's few rather than held per node (a full
  // index was the largest array after the values).
  std::vector<std::int32_t> rowCell_;
  // The data cell of node, or kNoDataCell.
  std::int32_t CellAt(int node) const;
  bool LinkOpen(int node, int d) const {
    if (links_.empty()) return true;
    const std::int32_t rec = linkOf_[static_cast<std::size_t>(node)];
    return rec < 0 || links_[static_cast<std::size_t>(rec)].links[d] != kLinkBlocked;
  }
  int sweepsRun_ = 0;
  double lastChange_ = 0.0;
};
