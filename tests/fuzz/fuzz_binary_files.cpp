// libFuzzer target: any bytes as a GRID3D grid file and as an f(x,y) net
// file. Build with -DQUARVEL_FUZZ=ON (clang).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "model/grid/grid3d_image.h"
#include "io/grid/grid_file_reader.h"
#include "model/grid/kgrid3d.h"
#include "io/grid/net_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  KNetFile net;
  (void)ParseNetFile(bytes, net);  // any verdict will do; it must not crash

  // The grid reader takes a path, as the drawing names it.
  static const std::string path = "/tmp/quarvel_fuzz_grid_" + std::to_string(getpid());
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    KGridFile grid;
    (void)ReadGridFile(grid, path);
    KColorTable colours;
    KImage image = BuildGridImage(grid, colours);
    (void)image;
  }
  return 0;
}
