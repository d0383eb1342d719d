// libFuzzer target: any bytes, read as a drawing, a STEP file and a curve
// file, each painted onto a small recording device; the drawing is also
// saved and read back. Build with -DQUARVEL_FUZZ=ON (clang).
#include <cstdint>
#include <string>

#include "io/document/open_document.h"
#include "io/document/writer.h"
#include "platform/files/byte_source.h"
#include "tests/fuzz/bounded_device.h"
#include "window/editor/quarvel_window.h"

namespace {

// Paints twice: the first paint fits the view, the second keeps it.
void Paint(QuarvelWindow& window) {
  for (int paint = 0; paint < 2; ++paint)
    if (!PaintBounded(window)) return;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    QuarvelWindow window;
    KByteSource src = KByteSource::FromMemory(bytes);
    ReadTextFrom(window, src);
    window.ComputeExtent();
    Paint(window);
    KStringOutput out;
    WriteDocument(out, window);
    QuarvelWindow again;
    KByteSource back = KByteSource::FromMemory(out.text);
    ReadTextFrom(again, back);
  }
  {
    QuarvelWindow window;
    KByteSource src = KByteSource::FromMemory(bytes);
    ReadStepFrom(window, src);
    window.ComputeExtent();
    Paint(window);
  }
  {
    QuarvelWindow window;
    KByteSource src = KByteSource::FromMemory(bytes);
    ReadCurvesFrom(window, src);
    window.ComputeExtent();
    Paint(window);
  }
  return 0;
}
