// Net-file writer: strips are built column by column; only two columns of
// node records are held at a time, the strip table is kept in memory and
// appended after the node records.
#include "grid/io/net_file_writer.h"

#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "grid/kcreate_grid.h"
#include "grid/io/net_file_format.h"
#include "platform/atomic_file.h"

namespace {

// The strips and node records of one column.
struct Column {
  std::vector<knet::Node> nodes;      // in file order
  std::vector<knet::Strip> strips;
  std::vector<std::int32_t> rowRecord;  // row -> index in nodes
};

// Splits column m into strips: runs of nodes joined by +y links. Node
// numbers continue from next.
void BuildColumn(const KCreateGrid& g, int m, std::int32_t& next, Column& col,
                 std::vector<std::uint8_t>& placed) {
  const int ny = g.ny();
  col.nodes.clear();
  col.strips.clear();
  col.rowRecord.assign(static_cast<std::size_t>(ny), -1);
  placed.assign(static_cast<std::size_t>(ny), 0);
  const auto row = [&](int node) { return node / g.nx(); };
  for (int j = 0; j < ny; ++j) {
    if (placed[static_cast<std::size_t>(j)]) continue;
    // Back to the first node of the run (links are cut from both ends, so
    // this stays at j; the placed check keeps nodes from being written twice).
    int s = g.Index(m, j);
    for (int t; (t = g.Neighbour(s, KCreateGrid::kMinusY)) >= 0 && !placed[static_cast<std::size_t>(row(t))];)
      s = t;
    knet::Strip strip;
    strip.firstRow = row(s);
    strip.firstNode = next;
    const std::size_t start = col.nodes.size();
    for (int n = s; n >= 0 && !placed[static_cast<std::size_t>(row(n))];
         n = g.Neighbour(n, KCreateGrid::kPlusY)) {
      placed[static_cast<std::size_t>(row(n))] = 1;
      col.rowRecord[static_cast<std::size_t>(row(n))] = static_cast<std::int32_t>(col.nodes.size());
      knet::Node rec;
      rec.value = g.values()[static_cast<std::size_t>(n)];
      col.nodes.push_back(rec);
    }
    strip.count = static_cast<std::int32_t>(col.nodes.size() - start);
    for (std::size_t k = start; k < col.nodes.size(); ++k) {
      const std::int32_t number = next + static_cast<std::int32_t>(k - start);
      if (k > start) col.nodes[k].links[knet::kMinusY] = number - 1;
      if (k + 1 < col.nodes.size()) col.nodes[k].links[knet::kPlusY] = number + 1;
    }
    next += strip.count;
    col.strips.push_back(strip);
  }
}

// Joins column m - 1 (left) and column m (right) where the grid's +x step
// does.
void LinkColumns(const KCreateGrid& g, int m, Column& left, std::int32_t leftBase, Column& right,
                 std::int32_t rightBase) {
  for (int r = 0; r < g.ny(); ++r) {
    const int a = g.Index(m - 1, r), b = g.Index(m, r);
    if (g.Neighbour(a, KCreateGrid::kPlusX) != b) continue;
    const std::int32_t ka = left.rowRecord[static_cast<std::size_t>(r)];
    const std::int32_t kb = right.rowRecord[static_cast<std::size_t>(r)];
    left.nodes[static_cast<std::size_t>(ka)].links[knet::kPlusX] = rightBase + kb;
    right.nodes[static_cast<std::size_t>(kb)].links[knet::kMinusX] = leftBase + ka;
  }
}

void Put(KAtomicFile& out, const std::vector<unsigned char>& bytes) {
  out.Write(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
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

  std::vector<unsigned char> bytes(knet::kHeaderBytes, 0);
  knet::PutF64(&bytes[0], g.x0());
  knet::PutF64(&bytes[8], g.y0());
  knet::PutF64(&bytes[16], g.dx());
  knet::PutF64(&bytes[24], g.dy());
  knet::PutI32(&bytes[32], g.nx());
  knet::PutI32(&bytes[36], g.ny());
  knet::PutI32(&bytes[knet::kCountOffset], total);
  Put(out, bytes);

  std::vector<unsigned char> table;   // the strip table
  std::vector<std::uint8_t> placed;
  const auto writeColumn = [&](const Column& col) {
    unsigned char count[4];
    knet::PutI32(count, static_cast<std::int32_t>(col.strips.size()));
    table.insert(table.end(), count, count + 4);
    for (const knet::Strip& s : col.strips) {
      unsigned char header[knet::kStripHeaderBytes];
      knet::EncodeStrip(s, header);
      table.insert(table.end(), header, header + knet::kStripHeaderBytes);
    }
    bytes.resize(col.nodes.size() * knet::kNodeRecordBytes);
    for (std::size_t k = 0; k < col.nodes.size(); ++k)
      knet::EncodeNode(col.nodes[k], &bytes[k * knet::kNodeRecordBytes]);
    Put(out, bytes);
  };

  Column left, right;
  std::int32_t next = 0, leftBase = 0;
  BuildColumn(g, 0, next, left, placed);
  for (int m = 1; m < g.nx() && out.ok(); ++m) {
    const std::int32_t rightBase = next;
    BuildColumn(g, m, next, right, placed);
    LinkColumns(g, m, left, leftBase, right, rightBase);
    writeColumn(left);
    std::swap(left, right);
    leftBase = rightBase;
  }
  writeColumn(left);
  Put(out, table);
  // The columns place every node once; anything else would be a broken file.
  if (out.ok() && next != total)
    return {KStatus::kFailed, "cannot write '" + path + "': the strips do not cover the grid"};
  return out.Commit();
}
