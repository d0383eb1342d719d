// Net-file writer, column by column. Strips are runs of nodes joined by +y
// links; within a column they follow one another from row 0 up, so node
// (m, r) is record m * ny + r and its links are plain offsets from that
// number. Only one column of records and the strip table are held.
#include "grid/io/net_file_writer.h"

#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "grid/kcreate_grid.h"
#include "grid/io/net_file_format.h"
#include "platform/atomic_file.h"

namespace {

void Put(KAtomicFile& out, const std::vector<unsigned char>& bytes) {
  out.Write(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// Which links of the nodes of one column are open: +x and +y, one byte each
// per row. A link is open when the node's record, if it has one, does not
// block it, and the step stays inside the grid.
void OpenLinks(const KCreateGrid& g, int m, std::vector<std::uint8_t>& right, std::vector<std::uint8_t>& up) {
  const int nx = g.nx(), ny = g.ny();
  const bool lastColumn = m + 1 >= nx;
  const std::vector<KCreateGrid::LinkRecord>& records = g.linkRecords();
  for (int r = 0; r < ny; ++r) {
    const std::int32_t rec = records.empty() ? KCreateGrid::kNoLinkRecord : g.LinkRecordOf(g.Index(m, r));
    const std::int32_t* links = rec >= 0 ? records[static_cast<std::size_t>(rec)].links : nullptr;
    const auto open = [&](int d) { return !links || links[d] != KCreateGrid::kLinkBlocked; };
    right[static_cast<std::size_t>(r)] = !lastColumn && open(KCreateGrid::kPlusX);
    up[static_cast<std::size_t>(r)] = r + 1 < ny && open(KCreateGrid::kPlusY);
  }
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

  const int nx = g.nx(), ny = g.ny();
  const double* z = g.values().data();
  const auto rows = static_cast<std::size_t>(ny);
  std::vector<std::uint8_t> right(rows), up(rows), left(rows, 0);
  std::vector<unsigned char> table;   // the strip table
  table.reserve(static_cast<std::size_t>(nx) * (4 + knet::kStripHeaderBytes));
  bytes.resize(rows * knet::kNodeRecordBytes);
  for (int m = 0; m < nx && out.ok(); ++m) {
    OpenLinks(g, m, right, up);
    const std::int32_t base = m * ny;

    // The strip table: a strip starts at row 0 and above every cut +y link.
    const std::size_t countAt = table.size();
    table.resize(countAt + 4);
    std::int32_t strips = 0;
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
    knet::PutI32(&table[countAt], strips);

    unsigned char* p = bytes.data();
    for (int r = 0; r < ny; ++r, p += knet::kNodeRecordBytes) {
      const auto k = static_cast<std::size_t>(r);
      const std::int32_t number = base + r;
      knet::PutF64(p, z[static_cast<std::size_t>(g.Index(m, r))]);
      knet::PutI32(p + 8 + 4 * knet::kPlusX, right[k] ? number + ny : knet::kNoLink);
      knet::PutI32(p + 8 + 4 * knet::kPlusY, up[k] ? number + 1 : knet::kNoLink);
      knet::PutI32(p + 8 + 4 * knet::kMinusX, left[k] ? number - ny : knet::kNoLink);
      knet::PutI32(p + 8 + 4 * knet::kMinusY, r > 0 && up[k - 1] ? number - 1 : knet::kNoLink);
    }
    Put(out, bytes);
    left.swap(right);   // this column's +x links are the next one's -x links
  }
  Put(out, table);
  return out.Commit();
}
