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

// A small client area, and a cap on the work of a paint: a hostile drawing
// can ask for millions of marks and dashes, and the fuzzer should move on.
// The device cuts the paint off by throwing; the drawing code holds its
// resources in objects that release them on the way out.
constexpr int kSide = 64;
constexpr std::size_t kMaxCalls = 20000;

struct KPaintCut {};

class KBoundedRecordingDevice : public KRecordingDevice {
public:
  KBoundedRecordingDevice() : KRecordingDevice(kSide, kSide) {}
  void MoveTo(int x, int y) override {
    Bound();
    KRecordingDevice::MoveTo(x, y);
  }
  void LineTo(int x, int y) override {
    Bound();
    KRecordingDevice::LineTo(x, y);
  }
  void TextOut(int x, int y, const std::string& text, const KDeviceFont& font) override {
    Bound();
    KRecordingDevice::TextOut(x, y, text, font);
  }
  void FillPolygon(const std::vector<KIntPoint>& points, KColorRef colour, int fillMode) override {
    Bound();
    KRecordingDevice::FillPolygon(points, colour, fillMode);
  }
  void FillSolidRect(int left, int top, int width, int height, KColorRef colour) override {
    Bound();
    KRecordingDevice::FillSolidRect(left, top, width, height, colour);
  }
  void SetPixel(int x, int y, KColorRef colour) override {
    Bound();
    KRecordingDevice::SetPixel(x, y, colour);
  }

private:
  void Bound() const {
    if (calls.size() >= kMaxCalls) throw KPaintCut{};
  }
};

// Paints twice: the first paint fits the view, the second keeps it.
void Paint(QuarvelWindow& window) {
  for (int paint = 0; paint < 2; ++paint) {
    KBoundedRecordingDevice device;
    try {
      window.OnDraw(&device);
    } catch (const KPaintCut&) {
      return;
    }
  }
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
