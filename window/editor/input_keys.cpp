// Keys and the wheel.
#include <algorithm>
#include <cmath>

#include "platform/resources/menus.h"
#include "window/editor/input_controller.h"
#include "window/editor/window_view.h"

namespace {
constexpr unsigned kKeyBackspace = 8;
constexpr unsigned kKeyEscape = 27;
// More notches than this in one wheel event are taken as this many.
constexpr int kMaxNotches = 10;

using Kind = KInputOutcome::Kind;
}  // namespace

KInputOutcome KInputController::OnKeyUp(unsigned key) {
  KViewTransform& view = view_.transform;
  if (key == kKeyEscape) return KInputOutcome::Of(CancelPending() ? Kind::kOverlay : Kind::kNothing);
  if (key != kKeyBackspace) return KInputOutcome::Of(view.OnKey(key) ? Kind::kRepaint : Kind::kNothing);
  if ((viewState != kCmdCurveClick && viewState != kCmdCurveModifyClick) || !collected_.DropLast())
    return KInputOutcome::Of(Kind::kNothing);
  if (collected_.Empty()) {
    clickCount = 0;
  } else {
    // The rubber band starts again from the point now last.
    const int last = collected_.Count() - 1;
    rubberBand[0] = {view.ToDeviceX(collected_.X(last)), view.ToDeviceY(collected_.Y(last))};
  }
  return KInputOutcome::Of(Kind::kOverlay);
}

KInputOutcome KInputController::OnWheel(KDevicePoint point, int notches) {
  KViewTransform& view = view_.transform;
  notches = std::clamp(notches, -kMaxNotches, kMaxNotches);
  if (notches == 0 || !view.CanMap()) return KInputOutcome::Of(Kind::kNothing);
  const double factor = std::pow(view.zoomFactor, -notches);
  const double sx = view.scaleX * factor;
  const double sy = view.scaleY * factor;
  if (!std::isfinite(sx) || !std::isfinite(sy) || sx == 0.0 || sy == 0.0) return KInputOutcome::Of(Kind::kNothing);
  const double wx = view.ToWorldX(point.x);
  const double wy = view.ToWorldY(point.y);
  view.scaleX = sx;
  view.scaleY = sy;
  view.left = wx - point.x * sx;
  view.bottom = wy - (view.height - point.y) * sy;
  view.right = view.left + view.width * sx;
  view.top = view.bottom + view.height * sy;
  return KInputOutcome::Of(Kind::kRepaint);
}
