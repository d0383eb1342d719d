#pragma once
// A small recording device for the fuzz targets, with a cap on the work of a
// paint: a hostile drawing can ask for millions of marks and dashes, and the
// fuzzer should move on. The device cuts the paint off by throwing; the
// drawing code holds its resources in objects that release them on the way
// out.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/recording_device.h"
#include "window/quarvel_window.h"

struct KPaintCut {};

class KBoundedRecordingDevice : public KRecordingDevice {
public:
  static constexpr int kSide = 64;
  static constexpr std::size_t kMaxCalls = 20000;

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

// One paint of window on a fresh bounded device; false when it was cut off.
inline bool PaintBounded(QuarvelWindow& window) {
  KBoundedRecordingDevice device;
  try {
    window.OnDraw(&device);
  } catch (const KPaintCut&) {
    return false;
  }
  return true;
}
