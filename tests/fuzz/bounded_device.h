#pragma once
// A small device for the fuzz targets that paints nothing and keeps nothing
// but a count of the calls, with a cap on the work of a paint: a hostile
// drawing can ask for millions of marks and dashes, and the fuzzer should
// move on. Keeping no record of the calls matters: under the sanitizers a
// recorded call costs an allocation or two, and a paint near the cap spent
// most of its time growing the record. The device cuts the paint off by
// throwing from a drawing call (never from a state change, which cleanup
// code may make); the drawing code holds its resources in objects that
// release them on the way out.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/device/kdevice.h"
#include "platform/device/kimage.h"
#include "window/editor/quarvel_window.h"

struct KPaintCut {};

class KBoundedDevice : public KDevice {
public:
  static constexpr int kSide = 64;
  // Enough for every drawing routine to run on a small drawing (the grown
  // corpora cover as much at this cap as at ten times it); beyond it a paint
  // repeats the same calls, and each costs microseconds under the sanitizers.
  static constexpr std::size_t kMaxCalls = 2000;

  std::size_t calls = 0;

  KIntSize ClientSize() const override { return {kSide, kSide}; }
  void MoveTo(int, int) override { Draw(); }
  void LineTo(int, int) override { Draw(); }
  void SelectPen(int, int, KColorRef) override { ++calls; }
  int SetRop2(int mode) override { return Swap(rop_, mode); }
  int SetBkMode(int mode) override { return Swap(bkMode_, mode); }
  unsigned SetTextAlign(unsigned align) override { return Swap(textAlign_, align); }
  KColorRef SetTextColor(KColorRef colour) override { return Swap(textColor_, colour); }
  void TextOut(int, int, const std::string& text, const KDeviceFont&) override {
    Draw();
    Touch(text);
  }
  void FillPolygon(const std::vector<KIntPoint>& points, KColorRef, int) override {
    Draw();
    Touch(points);
  }
  void FillSolidRect(int, int, int, int, KColorRef) override { Draw(); }
  void SetPixel(int, int, KColorRef) override { Draw(); }
  using KDevice::DrawImage;
  void DrawImage(const KImage& image, int, int, int, int, double, double, double, double) override {
    Draw();
    Touch(image.pixels);
  }
  void Ellipse(int, int, int, int, KColorRef) override { Draw(); }
  void Pie(int, int, int, int, int, int, int, int, KColorRef) override { Draw(); }

private:
  void Draw() {
    if (++calls > kMaxCalls) throw KPaintCut{};
  }
  template <typename T>
  T Swap(T& state, T value) {
    ++calls;
    const T old = state;
    state = value;
    return old;
  }
  // Reads the first and last element, so that a container handed over in
  // a broken state shows up under the sanitizers as it would on a real
  // device.
  template <typename C>
  void Touch(const C& c) {
    if (!c.empty()) sink_ ^= static_cast<unsigned>(c.front() == c.back());
  }

  int rop_ = kRop2CopyPen;
  int bkMode_ = kBkOpaque;
  unsigned textAlign_ = kAlignLeft | kAlignTop;
  KColorRef textColor_ = 0;
  unsigned sink_ = 0;
};

// One paint of window on a fresh bounded device; false when it was cut off.
inline bool PaintBounded(QuarvelWindow& window) {
  KBoundedDevice device;
  try {
    window.OnDraw(&device);
  } catch (const KPaintCut&) {
    return false;
  }
  return true;
}
