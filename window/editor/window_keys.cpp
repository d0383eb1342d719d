// Keys and the wheel.
#include <algorithm>
#include <cmath>

#include "platform/resources/menus.h"
#include "window/editor/quarvel_window.h"

namespace {
constexpr unsigned kKeyBackspace = 8;
constexpr unsigned kKeyEscape = 27;
// More notches than this in one wheel event are taken as this many.
constexpr int kMaxNotches = 10;
}  // namespace

int QuarvelWindow::OnKeyUp(unsigned key) {
  if (key == kKeyEscape) {
    CancelPending();
  } else if (key == kKeyBackspace) {
    if ((viewState == kCmdCurveClick || viewState == kCmdCurveModifyClick) && collected.DropLast()) {
      if (collected.Empty()) {
        clickCount = 0;
      } else {
        // The rubber band starts again from the point now last.
        const int last = collected.Count() - 1;
        rubberBand[0] = {view.ToDeviceX(collected.X(last)), view.ToDeviceY(collected.Y(last))};
      }
    }
  } else {
    view.OnKey(key);
  }
  return 0;
}

int QuarvelWindow::OnWheel(KDevicePoint point, int notches) {
  notches = std::clamp(notches, -kMaxNotches, kMaxNotches);
  if (notches == 0 || !view.CanMap()) return 0;
  const double factor = std::pow(view.zoomFactor, -notches);
  const double sx = view.scaleX * factor;
  const double sy = view.scaleY * factor;
  if (!std::isfinite(sx) || !std::isfinite(sy) || sx == 0.0 || sy == 0.0) return 0;
  const double wx = view.ToWorldX(point.x);
  const double wy = view.ToWorldY(point.y);
  view.scaleX = sx;
  view.scaleY = sy;
  view.left = wx - point.x * sx;
  view.bottom = wy - (view.height - point.y) * sy;
  view.right = view.left + view.width * sx;
  view.top = view.bottom + view.height * sy;
  return 1;
}
