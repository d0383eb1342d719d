// libFuzzer target: any bytes as the picture of a bitmap element: decoded
// through the platform layer's image readers, as a drawing's BMPIN loads
// it, and drawn onto a small recording device. Build with -DQUARVEL_FUZZ=ON
// (clang).
#include <cstdint>
#include <string>

#include <QCoreApplication>
#include <QImageReader>
#include <QtGlobal>

#include "io/document/open_document.h"
#include "qt/platform/qt_platform.h"
#include "tests/fuzz/bounded_device.h"
#include "tests/fuzz/fuzz_file.h"
#include "window/editor/quarvel_window.h"

namespace {

// The decoders complain of every broken chunk through Qt's messages: a line
// per input on standard error, a million lines a campaign, and a good part
// of its time. The fuzzer looks for crashes and sanitizer reports, not
// for these; a fatal message still aborts after the handler.
void Quiet() {
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

// An input of a hundred bytes can declare a picture of 65537 x 257 pixels,
// which the decoders fill and the product converts: a second per input
// under the sanitizers, spent in the same few loops. Pictures of up to 1 MB
// (a quarter million pixels) exercise every path that larger ones do.
void LimitPictures() { QImageReader::setAllocationLimit(1); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Qt finds its image format plugins through the application object.
  static int argc = 1;
  static char name[] = "fuzz_image";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  static const bool installed = (InstallQtPlatform(), Quiet(), LimitPictures(), true);
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
