#include "io/grid/grid_file_writer.h"

#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

#include "io/grid/grid_file_format.h"
#include "platform/files/atomic_file.h"

KResult WriteGridFile(const KNodeGrid& g, const std::string& path) {
  return WriteGridFile(g, path, KEmptyNodes::kRefused);
}

KResult WriteGridFile(const KNodeGrid& g, const std::string& path, KEmptyNodes empty) {
  const std::size_t total = static_cast<std::size_t>(g.nx) * static_cast<std::size_t>(g.ny);
  if (g.nx < 1 || g.ny < 1 || g.values.size() != total ||
      total > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    return {KStatus::kRefused, "cannot write '" + path + "': the grid has no nodes to write"};
  double lo = INFINITY, hi = -INFINITY;
  for (int j = 0; j < g.ny; ++j)
    for (int i = 0; i < g.nx; ++i) {
      const double v = g.Value(i, j);
      if (std::isnan(v) && empty == KEmptyNodes::kKeptAsNaN) continue;
      if (!std::isfinite(v))
        return {KStatus::kRefused, "cannot write '" + path + "': node (" + std::to_string(i) + ", " +
                                       std::to_string(j) + ") holds no finite value"};
      lo = std::fmin(lo, v);
      hi = std::fmax(hi, v);
    }
  if (lo > hi) return {KStatus::kRefused, "cannot write '" + path + "': no node holds a value"};
  const KGridFile header{.nx = g.nx, .ny = g.ny, .x0 = g.x0, .y0 = g.y0, .dx = g.dx, .dy = g.dy,
                         .zMin = lo, .zMax = hi, .storage = kgridfile::kStorageDouble, .values = {}};
  std::vector<unsigned char> bytes(kgridfile::kHeaderSize + sizeof(double) * total, 0);
  kgridfile::EncodeHeader(header, bytes.data());
  // The node order of the grid is the file's.
  for (std::size_t k = 0; k < total; ++k)
    kle::Store(&bytes[kgridfile::kHeaderSize + sizeof(double) * k], g.values[k]);
  return WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
