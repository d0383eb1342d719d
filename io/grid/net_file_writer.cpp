// Net-file writer, column by column. Strips are runs of nodes joined by +y
// links; within a column they follow one another from row 0 up, so node
// (m, r) is record m * ny + r and its links are plain offsets from that
// number. Held at a time: the values of a few columns, one column of
// records and the strip table.
#include "io/grid/net_file_writer.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "model/grid/kcreate_grid.h"
#include "io/grid/net_file_format.h"
#include "platform/files/atomic_file.h"

namespace {

void Put(KAtomicFile& out, const void* data, std::size_t size) {
  out.Write(std::string_view(static_cast<const char*>(data), size));
}

// Columns handled together: their values are gathered row by row, so the
// grid is read in memory order rather than one row (and page) a node.
constexpr int kBlockColumns = 32;

// A node record laid out as in the file, so that on a little-endian host a
// column of them is written as it stands.
struct Record {
  double value;
  std::int32_t links[4];
};
static_assert(sizeof(Record) == knet::kNodeRecordBytes);
static_assert(offsetof(Record, links) == knet::kNodeLinksOffset);
constexpr bool kFileOrder = std::endian::native == std::endian::little;

// The link records grouped by column, each group in row order.
class RecordsByColumn {
public:
  explicit RecordsByColumn(const KCreateGrid& g) : start_(static_cast<std::size_t>(g.nx()) + 1, 0) {
    const std::vector<KCreateGrid::LinkRecord>& records = g.linkRecords();
    for (const KCreateGrid::LinkRecord& rec : records) ++start_[static_cast<std::size_t>(rec.owner % g.nx()) + 1];
    for (std::size_t m = 1; m < start_.size(); ++m) start_[m] += start_[m - 1];
    std::vector<std::size_t> at(start_.begin(), start_.end() - 1);
    order_.resize(records.size());
    for (std::size_t k = 0; k < records.size(); ++k)
      order_[at[static_cast<std::size_t>(records[k].owner % g.nx())]++] = k;
  }
  template <class Visit>
  void ForColumn(int m, Visit visit) const {
    for (std::size_t k = start_[static_cast<std::size_t>(m)]; k < start_[static_cast<std::size_t>(m) + 1]; ++k)
      visit(order_[k]);
  }

private:
  std::vector<std::size_t> start_, order_;
};

// Which links of the nodes of column m are open: +x and +y, one byte each
// per row. A link is open when the step stays inside the grid and the
// node's record, if it has one, does not block it.
void OpenLinks(const KCreateGrid& g, const RecordsByColumn& byColumn, int m, std::vector<std::uint8_t>& right,
               std::vector<std::uint8_t>& up) {
  std::fill(right.begin(), right.end(), m + 1 < g.nx());
  std::fill(up.begin(), up.end(), 1);
  up.back() = 0;
  const std::vector<KCreateGrid::LinkRecord>& records = g.linkRecords();
  byColumn.ForColumn(m, [&](std::size_t k) {
    const KCreateGrid::LinkRecord& rec = records[k];
    const auto r = static_cast<std::size_t>(rec.owner / g.nx());
    if (rec.links[KCreateGrid::kPlusX] == KCreateGrid::kLinkBlocked) right[r] = 0;
    if (rec.links[KCreateGrid::kPlusY] == KCreateGrid::kLinkBlocked) up[r] = 0;
  });
}

// Appends column m's strip count and strip headers to table: a strip
// starts at row 0 and above every cut +y link.
void AppendStrips(const std::vector<std::uint8_t>& up, std::int32_t base, std::vector<unsigned char>& table) {
  const std::size_t countAt = table.size();
  table.resize(countAt + sizeof(std::int32_t));
  std::int32_t strips = 0;
  const int ny = static_cast<int>(up.size());
  for (int r = 0; r < ny;) {
    const int first = r;
    while (up[static_cast<std::size_t>(r)]) ++r;
    ++r;
    knet::Strip s;
    s.count = r - first;
    s.firstRow = first;
    s.firstNode = base + first;
    unsigned char header[knet::kStripHeaderBytes];
    knet::EncodeStrip(s, header);
    table.insert(table.end(), header, header + knet::kStripHeaderBytes);
    ++strips;
  }
  kle::Store(&table[countAt], strips);
}

}  // namespace

KResult WriteNetFile(const KCreateGrid& g, const std::string& path) {
  // Every node gets one record, so the count is known before the records
  // are written and the file goes out front to back (a pipe takes it too).
  if (g.ny() > knet::kMaxColumnNodes || g.nx() < 1 || g.ny() < 1 || g.values().size() != g.NodeTotal() ||
      g.NodeTotal() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    return {KStatus::kRefused, "cannot write '" + path + "': the grid cannot be written as a net file"};
  const auto total = static_cast<std::int32_t>(g.NodeTotal());
  KAtomicFile out(path);
  if (!out.ok()) return out.Commit();

  unsigned char header[knet::kHeaderBytes] = {};
  knet::EncodeHeader({g.x0(), g.y0(), g.dx(), g.dy(), g.nx(), g.ny(), total}, header);
  Put(out, header, sizeof header);

  const int nx = g.nx(), ny = g.ny();
  const auto rows = static_cast<std::size_t>(ny);
  const double* z = g.values().data();
  const RecordsByColumn byColumn(g);
  std::vector<std::uint8_t> right(rows), up(rows), left(rows, 0);
  std::vector<unsigned char> table;   // the strip table
  table.reserve(static_cast<std::size_t>(nx) * (4 + knet::kStripHeaderBytes));
  std::vector<double> block(rows * kBlockColumns);
  std::vector<Record> column(rows);
  std::vector<unsigned char> bytes(kFileOrder ? 0 : rows * knet::kNodeRecordBytes);
  for (int m0 = 0; m0 < nx && out.ok(); m0 += kBlockColumns) {
    const int width = std::min(kBlockColumns, nx - m0);
    for (std::size_t r = 0; r < rows; ++r) {
      const double* src = z + r * static_cast<std::size_t>(nx) + static_cast<std::size_t>(m0);
      for (int c = 0; c < width; ++c) block[static_cast<std::size_t>(c) * rows + r] = src[c];
    }
    for (int c = 0; c < width && out.ok(); ++c) {
      const int m = m0 + c;
      OpenLinks(g, byColumn, m, right, up);
      const std::int32_t base = m * ny;
      AppendStrips(up, base, table);
      const double* values = &block[static_cast<std::size_t>(c) * rows];
      for (std::size_t r = 0; r < rows; ++r) {
        const std::int32_t number = base + static_cast<std::int32_t>(r);
        Record& rec = column[r];
        rec.value = values[r];
        rec.links[knet::kPlusX] = right[r] ? number + ny : knet::kNoLink;
        rec.links[knet::kPlusY] = up[r] ? number + 1 : knet::kNoLink;
        rec.links[knet::kMinusX] = left[r] ? number - ny : knet::kNoLink;
        rec.links[knet::kMinusY] = r > 0 && up[r - 1] ? number - 1 : knet::kNoLink;
      }
      if constexpr (kFileOrder) {
        Put(out, column.data(), rows * sizeof(Record));
      } else {
        for (std::size_t r = 0; r < rows; ++r) {
          knet::Node node;
          node.value = column[r].value;
          for (int k = 0; k < 4; ++k) node.links[k] = column[r].links[k];
          knet::EncodeNode(node, &bytes[r * knet::kNodeRecordBytes]);
        }
        Put(out, bytes.data(), bytes.size());
      }
      left.swap(right);   // this column's +x links are the next one's -x links
    }
  }
  Put(out, table.data(), table.size());
  return out.Commit();
}
