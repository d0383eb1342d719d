// libFuzzer target: any bytes as the picture of a bitmap element: decoded
// through the platform layer's image readers, as a drawing's BMPIN loads
// it, and drawn onto a small recording device. Build with -DQUARVEL_FUZZ=ON
// (clang).
#include <cstdint>
#include <string>

#include <QCoreApplication>

#include "io/document/open_document.h"
#include "qt/platform/qt_platform.h"
#include "tests/fuzz/bounded_device.h"
#include "tests/fuzz/fuzz_file.h"
#include "window/editor/quarvel_window.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Qt finds its image format plugins through the application object.
  static int argc = 1;
  static char name[] = "fuzz_image";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  static const bool installed = (InstallQtPlatform(), true);
  (void)installed;
  const std::string& path = FuzzInputFile(data, size);
  // Placed so that the picture covers part of the view, with the mode taken
  // from the input's size.
  QuarvelWindow window;
  OpenMemory(window, "BMPIN " + path + " " + std::to_string(size % 4) +
                         "\n0,0\n10,10\n\nPLINE\n-5,-5\n20,20\n\n");
  window.ComputeExtent();
  PaintBounded(window);
  return 0;
}
