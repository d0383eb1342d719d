// libFuzzer target: a drawing painted from several views. The first byte
// picks the views (zoomed in or out around a point, rotated, panned by
// keys); the rest is the drawing. Only the text reader runs, so the fuzzer
// spends its time in the drawing code. Build with -DQUARVEL_FUZZ=ON (clang).
#include <cstdint>
#include <string>

#include "io/document/open_document.h"
#include "platform/files/byte_source.h"
#include "tests/fuzz/bounded_device.h"
#include "window/editor/quarvel_window.h"

namespace {

// Arrow keys and page up / down, as the view's key table knows them.
constexpr unsigned kKeys[] = {33, 34, 37, 38, 39, 40};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned views = data[0];
  const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  QuarvelWindow window;
  KByteSource src = KByteSource::FromMemory(bytes);
  ReadTextFrom(window, src);
  window.ComputeExtent();
  if (!PaintBounded(window)) return 0;  // fits the view
  const int side = KBoundedDevice::kSide;
  const KDevicePoint point{static_cast<int>(views % side), static_cast<int>((views / 4) % side)};
  window.OnWheel(point, (views & 1) ? 3 : -3);
  if (!PaintBounded(window)) return 0;
  window.OnKeyUp(kKeys[views % 6]);
  if (views & 2) window.view.SetAngle(static_cast<double>(views) * 7.0);
  PaintBounded(window);
  return 0;
}
