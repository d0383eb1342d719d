#include "io/grid/grid_file_writer.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "platform/files/atomic_file.h"

namespace {

// Header offsets of the grid file; the bytes between fields stay 0.
constexpr std::size_t kHeaderSize = 99;
constexpr std::uint8_t kStorageDouble = 8;

void PutI32(unsigned char* p, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int k = 0; k < 4; ++k) p[k] = static_cast<unsigned char>(u >> (8 * k));
}

void PutF64(unsigned char* p, double v) {
  std::uint64_t u;
  std::memcpy(&u, &v, 8);
  for (int k = 0; k < 8; ++k) p[k] = static_cast<unsigned char>(u >> (8 * k));
}

}  // namespace

KResult WriteGridFile(const KNodeGrid& g, const std::string& path) {
  const std::size_t total = static_cast<std::size_t>(g.nx) * static_cast<std::size_t>(g.ny);
  if (g.nx < 1 || g.ny < 1 || g.values.size() != total ||
      total > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    return {KStatus::kRefused, "cannot write '" + path + "': the grid has no nodes to write"};
  double lo = INFINITY, hi = -INFINITY;
  for (int j = 0; j < g.ny; ++j)
    for (int i = 0; i < g.nx; ++i) {
      const double v = g.Value(i, j);
      if (!std::isfinite(v))
        return {KStatus::kRefused, "cannot write '" + path + "': node (" + std::to_string(i) + ", " +
                                       std::to_string(j) + ") holds no finite value"};
      lo = std::fmin(lo, v);
      hi = std::fmax(hi, v);
    }
  std::vector<unsigned char> bytes(kHeaderSize + 8 * total, 0);
  PutI32(&bytes[3], g.nx);
  PutI32(&bytes[10], g.ny);
  PutF64(&bytes[20], g.x0);
  PutF64(&bytes[34], g.y0);
  PutF64(&bytes[48], g.dx);
  PutF64(&bytes[62], g.dy);
  PutF64(&bytes[76], lo);
  PutF64(&bytes[90], hi);
  bytes[98] = kStorageDouble;
  // Row 0 first, column 0 first within a row: the node order of the grid.
  for (std::size_t k = 0; k < total; ++k) PutF64(&bytes[kHeaderSize + 8 * k], g.values[k]);
  return WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
