// The left button and the mouse: two-click modes, zooming clicks, picking,
// Move Zoom, the rubber band and digitising.
#include <algorithm>

#include "platform/device/kdevice.h"
#include "platform/resources/menus.h"
#include "window/editor/quarvel_window.h"
#include "window/editor/view_states.h"

namespace {
// Move Zoom: one pixel of vertical drag scales by this (down zooms out).
constexpr double kMoveZoomStep = 1.1;

}  // namespace

void QuarvelWindow::SetViewStateClick() { viewState = kCmdClick; }

void QuarvelWindow::Collect(KDevicePoint point) {
  if (!collected.Append(view.ToWorldX(point.x), view.ToWorldY(point.y)))
    notice = "The curve holds " + std::to_string(KCollected::kCapacity) +
             " points: no more are collected until it is finished";
}

int QuarvelWindow::OnLButtonDown(unsigned, KDevicePoint point) {
  notice.clear();
  switch (viewState) {
    case kCmdNone:
      return 0;
    case kCmdEnlarge:
    case kCmdReduce:
      view.ZoomAt(point.x, point.y, viewState == kCmdEnlarge);
      return 1;
    case kCmdClick:
      picked = Pick(view.ToWorldX(point.x), view.ToWorldY(point.y));
      pickedEntry_ = picked >= 0 ? entries[entries.size() - 1 - static_cast<std::size_t>(picked)].get() : nullptr;
      return picked;
    default:
      break;
  }
  if (IsCurveState(viewState)) {
    Collect(point);
    rubberBand.fill(point);
    clickCount = 1;
    return 0;
  }
  return OnTwoClick(point);
}

int QuarvelWindow::OnTwoClick(KDevicePoint point) {
  // A curve mode left behind may have left its count; only two slots exist.
  rubberBand[static_cast<std::size_t>(std::clamp(clickCount, 0, 1))] = point;
  clickCount = std::clamp(clickCount, 0, 1) + 1;
  rubberBand[2] = point;
  if (clickCount != 2) return 0;
  clickCount = 0;
  const KDevicePoint& a = rubberBand[0];
  const KDevicePoint& b = rubberBand[1];
  switch (viewState) {
    case kCmdPan:
      view.Pan(b.x - a.x, b.y - a.y);
      break;
    case kCmdWindow:
      view.ZoomRect({a.x, a.y}, {b.x, b.y});
      break;
    case kCmdRectangle:
      Delete();
      break;
    case kCmdDeleteCurveRange:
      TrimNearestCurve(view.ToWorldX(a.x), view.ToWorldY(a.y), view.ToWorldX(b.x), view.ToWorldY(b.y));
      break;
    default:
      break;  // Single point, Range, Move Pan and unknown ids only collect
  }
  return 1;
}

int QuarvelWindow::OnMouseMove(unsigned, KDevicePoint point, KDevice* device) {
  if (IsDragCurveState(viewState) && !collected.Empty()) {
    Collect(point);
    if (device) DrawCollected(*device);
    return 0;
  }
  if (clickCount < 1) return 0;
  if (viewState == kCmdMoveZoom) {
    const int dy = point.y - rubberBand[0].y;
    if (dy == 0) return 0;
    view.ZoomCentre(dy > 0 ? kMoveZoomStep : 1.0 / kMoveZoomStep);
    rubberBand[0] = point;
    return 1;
  }
  if (!HasLineBand(viewState) && !HasRectBand(viewState)) return 0;
  // Drawn twice inverting: the first erases the band at the old cursor.
  if (device) {
    const int old = device->SetRop2(kRop2Not);
    DrawRubberBand(*device);
    rubberBand[2] = point;
    DrawRubberBand(*device);
    device->SetRop2(old);
  } else {
    rubberBand[2] = point;
  }
  return 0;
}

void QuarvelWindow::DrawRubberBand(KDevice& device) const {
  const KDevicePoint& a = rubberBand[0];
  const KDevicePoint& c = rubberBand[2];
  device.MoveTo(a.x, a.y);
  if (HasRectBand(viewState)) {
    device.LineTo(c.x, a.y);
    device.LineTo(c.x, c.y);
    device.LineTo(a.x, c.y);
    device.LineTo(a.x, a.y);
  } else {
    device.LineTo(c.x, c.y);
  }
}

int QuarvelWindow::OnLButtonUp(unsigned, KDevicePoint) {
  switch (viewState) {
    case kCmdMoveZoom:
      clickCount = 0;
      return 0;
    case kCmdCurve:
      clickCount = 0;  // the drag is over: no band is left pending
      FinishCurve();
      return 0;
    case kCmdCurveModify:
      clickCount = 0;
      // Only a stroke just finished may be spliced: with an empty buffer the
      // newest entry is some older curve.
      FinishAndModify();
      return -1;
    default:
      return 0;
  }
}

int QuarvelWindow::OnLButtonDblClk(unsigned, KDevicePoint) {
  if (viewState == kCmdCurveClick) {
    clickCount = 0;
    FinishCurve();
    return 0;
  }
  if (viewState == kCmdCurveModifyClick) {
    clickCount = 0;
    FinishAndModify();
    return -1;
  }
  return 0;
}

bool QuarvelWindow::CancelPending() {
  const bool pending = clickCount > 0 || !collected.Empty();
  clickCount = 0;
  collected.Clear();
  return pending;
}
