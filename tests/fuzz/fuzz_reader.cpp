// libFuzzer target: any bytes, read as a drawing, a STEP file and a curve
// file, each painted onto a small recording device; the drawing is also
// saved and read back. Build with -DQUARVEL_FUZZ=ON (clang).
#include <cstdint>
#include <string>

#include "document/io/open_document.h"
#include "document/io/writer.h"
#include "platform/byte_source.h"
#include "platform/recording_device.h"
#include "window/quarvel_window.h"

namespace {

// A small client area, and a cap on the calls kept: a hostile drawing can
// ask for millions of dashes or marks, and the fuzzer should move on.
constexpr int kSide = 64;
constexpr std::size_t kMaxCalls = 20000;

class KBoundedRecordingDevice : public KRecordingDevice {
public:
  KBoundedRecordingDevice() : KRecordingDevice(kSide, kSide) {}
  void LineTo(int x, int y) override {
    KRecordingDevice::LineTo(x, y);
    Bound();
  }
  void TextOut(int x, int y, const std::string& text, const KDeviceFont& font) override {
    KRecordingDevice::TextOut(x, y, text, font);
    Bound();
  }

private:
  void Bound() {
    if (calls.size() > kMaxCalls) calls.clear();
  }
};

void Paint(QuarvelWindow& window) {
  KBoundedRecordingDevice device;
  window.OnDraw(&device);
  window.OnDraw(&device);  // a later paint keeps the fitted view
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
