// Net-file reader with structure checks.
#include "io/grid/net_file_reader.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

#include "platform/base/c_locale.h"
#include "platform/files/input_file.h"

namespace {

const unsigned char* At(std::string_view bytes, std::size_t offset) {
  return reinterpret_cast<const unsigned char*>(bytes.data()) + offset;
}

KResult Bad(const std::string& why) { return KResult(KStatus::kBadInput, why); }

// Reads the strip table and checks that each column's strips cover its rows
// in order and number its nodes on from the column before.
KResult ReadStrips(std::string_view bytes, std::size_t offset, KNetFile& net) {
  std::int64_t nextNode = 0;
  net.columns.assign(static_cast<std::size_t>(net.nx), {});
  for (int i = 0; i < net.nx; ++i) {
    const std::optional<std::int32_t> stripCount = kle::LoadAt<std::int32_t>(kle::Bytes(bytes), offset);
    if (!stripCount) return Bad("strip table ends in column " + std::to_string(i));
    const std::int32_t count = *stripCount;
    offset += sizeof count;
    if (count < 1 || count > net.ny)
      return Bad("column " + std::to_string(i) + " has " + std::to_string(count) + " strips");
    if ((bytes.size() - offset) / knet::kStripHeaderBytes < static_cast<std::size_t>(count))
      return Bad("strip table ends in column " + std::to_string(i));
    std::vector<knet::Strip>& strips = net.columns[static_cast<std::size_t>(i)];
    strips.resize(static_cast<std::size_t>(count));
    int row = 0;
    for (knet::Strip& s : strips) {
      const bool padded = knet::DecodeStrip(At(bytes, offset), s);
      offset += knet::kStripHeaderBytes;
      if (!padded || s.count < 1 || s.firstRow != row || s.count > net.ny - row || s.firstNode != nextNode)
        return Bad("a strip of column " + std::to_string(i) + " does not follow on");
      row += s.count;
      nextNode += s.count;
    }
    if (row != net.ny) return Bad("the strips of column " + std::to_string(i) + " miss rows");
  }
  if (offset != bytes.size()) return Bad("bytes after the strip table");
  return KResult::Ok();
}

// Links stay inside the file, run up and down each strip, and join side
// neighbours of the same row from both ends.
KResult CheckLinks(const KNetFile& net) {
  const std::int64_t total = static_cast<std::int64_t>(net.nodes.size());
  for (int i = 0; i < net.nx; ++i) {
    for (const knet::Strip& s : net.columns[static_cast<std::size_t>(i)]) {
      for (int k = 0; k < s.count; ++k) {
        const std::int32_t number = s.firstNode + k;
        const knet::Node& n = net.nodes[static_cast<std::size_t>(number)];
        const std::int32_t up = k + 1 < s.count ? number + 1 : knet::kNoLink;
        const std::int32_t down = k > 0 ? number - 1 : knet::kNoLink;
        if (n.links[knet::kPlusY] != up || n.links[knet::kMinusY] != down)
          return Bad("node " + std::to_string(number) + " has a wrong link along its strip");
        for (int side : {knet::kPlusX, knet::kMinusX}) {
          const std::int32_t to = n.links[side];
          if (to == knet::kNoLink) continue;
          const int col = side == knet::kPlusX ? i + 1 : i - 1;
          if (to < 0 || to >= total || col < 0 || col >= net.nx ||
              net.RecordAt(col, s.firstRow + k) != to ||
              net.nodes[static_cast<std::size_t>(to)].links[klink::Opposite(side)] != number)
            return Bad("node " + std::to_string(number) + " has a wrong side link");
        }
      }
    }
  }
  return KResult::Ok();
}

}  // namespace

int KNetFile::RecordAt(int i, int j) const {
  if (i < 0 || i >= nx || j < 0 || j >= ny || static_cast<std::size_t>(i) >= columns.size()) return -1;
  const std::vector<knet::Strip>& strips = columns[static_cast<std::size_t>(i)];
  // The last strip starting at or below row j.
  std::size_t lo = 0, hi = strips.size();
  while (hi - lo > 1) {
    const std::size_t mid = (lo + hi) / 2;
    (strips[mid].firstRow <= j ? lo : hi) = mid;
  }
  if (lo >= strips.size()) return -1;
  const knet::Strip& s = strips[lo];
  if (j < s.firstRow || j >= s.firstRow + s.count) return -1;
  return s.firstNode + (j - s.firstRow);
}

KResult ParseNetFile(std::string_view bytes, KNetFile& net) {
  net = KNetFile();
  if (bytes.size() < knet::kHeaderBytes) return Bad("shorter than its header");
  const knet::Header header = knet::DecodeHeader(At(bytes, 0));
  net.x0 = header.x0;
  net.y0 = header.y0;
  net.dx = header.dx;
  net.dy = header.dy;
  net.nx = header.nx;
  net.ny = header.ny;
  const std::int32_t count = header.count;
  if (!std::isfinite(net.x0) || !std::isfinite(net.y0) || !(net.dx > 0) || !(net.dy > 0) ||
      !std::isfinite(net.dx) || !std::isfinite(net.dy))
    return Bad("bad origin or steps");
  if (net.nx < 1 || net.ny < 1 || net.ny > knet::kMaxColumnNodes)
    return Bad("bad node counts " + std::to_string(net.nx) + " x " + std::to_string(net.ny));
  if (static_cast<std::int64_t>(net.nx) * net.ny != count)
    return Bad("node record count " + std::to_string(count) + " is not nx * ny");
  // Bound the allocation by what the bytes can hold.
  const std::size_t available = (bytes.size() - knet::kHeaderBytes) / knet::kNodeRecordBytes;
  if (static_cast<std::size_t>(count) > available) return Bad("node records are cut off");
  net.nodes.resize(static_cast<std::size_t>(count));
  for (std::size_t k = 0; k < net.nodes.size(); ++k)
    net.nodes[k] = knet::DecodeNode(At(bytes, knet::kHeaderBytes + k * knet::kNodeRecordBytes));
  const std::size_t tableStart = knet::kHeaderBytes + net.nodes.size() * knet::kNodeRecordBytes;
  KResult checked = ReadStrips(bytes, tableStart, net);
  if (checked) checked = CheckLinks(net);
  if (!checked) net = KNetFile();
  return checked;
}

KResult ReadNetFile(const std::string& path, KNetFile& net, std::string* kept) {
  net = KNetFile();
  KResultWith<KInputFile> opened = OpenInputFile(path);
  if (!opened) return KResult(opened);
  std::string bytes;
  if (KResult read = opened.value().ReadRest(bytes); !read) return read;
  const KResult parsed = ParseNetFile(bytes, net);
  if (kept) *kept = std::move(bytes);
  if (!parsed) return KResult(parsed.status(), "net file '" + path + "': " + parsed.message());
  return parsed;
}

KResult CheckFiniteNodes(const KNetFile& net, const std::string& path) {
  for (int i = 0; i < net.nx; ++i)
    for (int j = 0; j < net.ny; ++j)
      if (const double v = net.ValueAt(i, j); !std::isfinite(v)) {
        char text[200];
        KCLocaleScope c;
        std::snprintf(text, sizeof text, "node (%d, %d) holds %g, not a finite value", i, j, v);
        return KResult(KStatus::kBadInput, "net file '" + path + "': " + text);
      }
  return KResult::Ok();
}
