#include "model/grid/grid3d_image.h"

#include "model/grid/kgrid3d.h"

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;

// 0x00BBGGRR as the scale gives it -> opaque 0xAARRGGBB as images hold it.
std::uint32_t ToImagePixel(KColorRef c) {
  return kOpaque | static_cast<std::uint32_t>(KRedOf(c)) << 16 | static_cast<std::uint32_t>(KGreenOf(c)) << 8 |
         static_cast<std::uint32_t>(KBlueOf(c));
}

}  // namespace

KImage BuildGridImage(const KGridFile& grid, KColorTable& colours) {
  KImage image;
  const std::size_t nx = grid.nx > 0 ? static_cast<std::size_t>(grid.nx) : 0;
  const std::size_t ny = grid.ny > 0 ? static_cast<std::size_t>(grid.ny) : 0;
  // Values are either absent or exactly nx * ny; anything else is not a
  // grid this can picture.
  if (!grid.HasValues() || nx == 0 || ny == 0 || grid.values.size() != nx * ny) return image;

  colours.SetRange8(grid.zMin, grid.zMax);
  image.width = grid.nx;
  image.height = grid.ny;
  image.hasAlpha = false;
  image.pixels.resize(nx * ny);
  for (std::size_t r = 0; r < ny; ++r) {
    const double* row = grid.values.data() + (ny - 1 - r) * nx;
    std::uint32_t* out = image.pixels.data() + r * nx;
    for (std::size_t m = 0; m < nx; ++m) out[m] = ToImagePixel(colours.ColorAt(row[m]));
  }
  return image;
}
