#include "render/drawing/pen_path.h"

#include <cmath>

#include "render/drawing/device_clip.h"
#include "render/view/kview_transform.h"

namespace {
constexpr double kLimit = KViewTransform::kDeviceLimit;
constexpr KDeviceBox kLimitBox{-kLimit, -kLimit, kLimit, kLimit};
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
  KDoublePoint from{penColumn_, penRow_};
  view.ToDevice(x, y, penColumn_, penRow_);
  penColumn_ += 0.5;
  penRow_ += 0.5;
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
