// libFuzzer target: any bytes as a GRID3D grid file and as an f(x,y) net
// file. Build with -DQUARVEL_FUZZ=ON (clang).
#include <cstdint>
#include <string>
#include <string_view>

#include "model/grid/grid3d_image.h"
#include "io/grid/grid_file_reader.h"
#include "model/grid/kgrid3d.h"
#include "io/grid/net_file_reader.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  KNetFile net;
  (void)ParseNetFile(bytes, net);  // any verdict will do; it must not crash

  // The grid reader takes a path, as the drawing names it.
  KGridFile grid;
  (void)ReadGridFile(grid, FuzzInputFile(data, size));
  KColorTable colours;
  KImage image = BuildGridImage(grid, colours);
  (void)image;
  return 0;
}
