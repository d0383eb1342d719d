#include "render/drawing/pen_path.h"

#include <cmath>

#include "render/drawing/device_clip.h"
#include "render/view/kview_transform.h"

namespace {
constexpr double kLimit = KViewTransform::kDeviceLimit;
constexpr KDeviceBox kLimitBox{-kLimit, -kLimit, kLimit, kLimit};
// Lines handed to the device at a time: enough to make the call cheap,
// few enough to stay in cache.
constexpr std::size_t kRunLength = 1024;

// False for NaN, as ClipSegment's own test.
bool WithinLimit(double column, double row) { return std::fabs(column) <= kLimit && std::fabs(row) <= kLimit; }
}  // namespace

void KPenPath::MoveTo(const KViewTransform& view, double x, double y) {
  view.ToDevice(x, y, penColumn_, penRow_);
  penColumn_ += 0.5;
  penRow_ += 0.5;
  deviceAtValid_ = false;
  if (std::fabs(penColumn_) <= kLimit && std::fabs(penRow_) <= kLimit) {
    deviceAt_ = {static_cast<int>(penColumn_), static_cast<int>(penRow_)};
    deviceAtValid_ = true;
    device_.MoveTo(deviceAt_.x, deviceAt_.y);
  }
}

void KPenPath::LineTo(const KViewTransform& view, double x, double y) {
  double column, row;
  view.ToDevice(x, y, column, row);
  LineToDevice(column + 0.5, row + 0.5);
}

void KPenPath::Polyline(const KViewTransform& view, const double* x, const double* y, int count, bool closeBack) {
  if (count < 1) return;
  MoveTo(view, x[0], y[0]);
  const int end = closeBack ? count + 1 : count;
  for (int k = 1; k < end; ++k) {
    const int i = k < count ? k : 0;
    double column, row;
    view.ToDevice(x[i], y[i], column, row);
    column += 0.5;
    row += 0.5;
    // Both ends inside the limits and the device where the pen is: the
    // line is drawn as it stands, which is all LineTo would do.
    if (deviceAtValid_ && WithinLimit(column, row) && WithinLimit(penColumn_, penRow_)) {
      deviceAt_ = {static_cast<int>(column), static_cast<int>(row)};
      run_.push_back(deviceAt_);
      penColumn_ = column;
      penRow_ = row;
      if (run_.size() == kRunLength) FlushRun();
    } else {
      FlushRun();
      LineToDevice(column, row);
    }
  }
  FlushRun();
}

void KPenPath::FlushRun() {
  if (run_.empty()) return;
  device_.PolylineTo(run_.data(), run_.size());
  run_.clear();
}

void KPenPath::LineToDevice(double column, double row) {
  KDoublePoint from{penColumn_, penRow_};
  penColumn_ = column;
  penRow_ = row;
  KDoublePoint to{penColumn_, penRow_};
  if (!ClipSegment(from, to, kLimitBox)) {
    deviceAtValid_ = false;
    return;
  }
  KIntPoint a{static_cast<int>(from.x), static_cast<int>(from.y)};
  KIntPoint b{static_cast<int>(to.x), static_cast<int>(to.y)};
  if (!deviceAtValid_ || !(deviceAt_ == a)) device_.MoveTo(a.x, a.y);
  device_.LineTo(b.x, b.y);
  deviceAt_ = b;
  deviceAtValid_ = true;
}

void KPenPath::SelectPen(const KViewTransform& view, int style, double worldWidth, KColorRef colour) {
  device_.SelectPen(style, view.PenPixels(worldWidth), colour);
}
