// Net-file writer: strips are built column by column; only two columns of
// node records are held at a time, the strip table is kept in memory and
// appended after the node records.
#include "grid/io/net_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "grid/kcreate_grid.h"
#include "grid/io/net_file_format.h"

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

// A file written under a private name beside its target and renamed over it
// when complete.
class AtomicFile {
public:
  explicit AtomicFile(const std::string& target) : target_(target) {}
  ~AtomicFile() {
    if (file_) std::fclose(file_);
    if (!temp_.empty()) unlink(temp_.c_str());
  }
  bool Open(std::string& error) {
    std::string pattern = target_ + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) return Fail("cannot create " + target_, error);
    temp_ = name.data();
    file_ = fdopen(fd, "wb");
    if (!file_) {
      close(fd);
      return Fail("cannot write " + target_, error);
    }
    buffer_.resize(1 << 20);
    std::setvbuf(file_, buffer_.data(), _IOFBF, buffer_.size());
    return true;
  }
  std::FILE* file() { return file_; }
  bool Commit(std::string& error) {
    if (std::fflush(file_) != 0 || std::ferror(file_)) return Fail("cannot write " + target_, error);
    // The final file gets the usual permissions, not mkstemp's private ones.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fileno(file_), 0666 & ~mask);
    if (fsync(fileno(file_)) != 0 && errno != EINVAL) return Fail("cannot write " + target_, error);
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0) return Fail("cannot write " + target_, error);
    if (std::rename(temp_.c_str(), target_.c_str()) != 0)
      return Fail("cannot replace " + target_, error);
    temp_.clear();
    return true;
  }

private:
  static bool Fail(const std::string& what, std::string& error) {
    error = what + ": " + std::strerror(errno);
    return false;
  }
  std::string target_, temp_;
  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
};

bool WriteBytes(std::FILE* f, const std::vector<unsigned char>& bytes) {
  return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
}

}  // namespace

bool WriteNetFile(const KCreateGrid& g, const std::string& path, std::string& error) {
  if (g.ny() > knet::kMaxColumnNodes || g.nx() < 1 || g.ny() < 1 || g.values().size() != g.NodeTotal()) {
    error = "the grid cannot be written as a net file";
    return false;
  }
  AtomicFile out(path);
  if (!out.Open(error)) return false;
  std::FILE* f = out.file();

  std::vector<unsigned char> bytes(knet::kHeaderBytes, 0);
  knet::PutF64(&bytes[0], g.x0());
  knet::PutF64(&bytes[8], g.y0());
  knet::PutF64(&bytes[16], g.dx());
  knet::PutF64(&bytes[24], g.dy());
  knet::PutI32(&bytes[32], g.nx());
  knet::PutI32(&bytes[36], g.ny());
  knet::PutI32(&bytes[knet::kCountOffset], 0);   // node count, stored at the end
  bool ok = WriteBytes(f, bytes);

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
    ok = ok && WriteBytes(f, bytes);
  };

  Column left, right;
  std::int32_t next = 0, leftBase = 0;
  BuildColumn(g, 0, next, left, placed);
  for (int m = 1; m < g.nx() && ok; ++m) {
    const std::int32_t rightBase = next;
    BuildColumn(g, m, next, right, placed);
    LinkColumns(g, m, left, leftBase, right, rightBase);
    writeColumn(left);
    std::swap(left, right);
    leftBase = rightBase;
  }
  writeColumn(left);
  ok = ok && WriteBytes(f, table);

  unsigned char count[4];
  knet::PutI32(count, next);
  ok = ok && fseeko(f, static_cast<off_t>(knet::kCountOffset), SEEK_SET) == 0 &&
       std::fwrite(count, 1, 4, f) == 4;
  if (!ok) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  return out.Commit(error);
}
