// The left button and the mouse: two-click modes, zooming clicks, picking,
// Move Zoom, the rubber band and digitising.
#include <algorithm>
#include <cmath>

#include "platform/device/kdevice.h"
#include "platform/resources/menus.h"
#include "window/editor/input_controller.h"
#include "window/editor/quarvel_window.h"
#include "window/editor/view_states.h"

namespace {
// Move Zoom: one pixel of vertical drag scales by this (down zooms out).
constexpr double kMoveZoomStep = 1.1;

using Kind = KInputOutcome::Kind;
}  // namespace

void KInputController::WorldPoint(KDevicePoint point, bool snap, double& x, double& y) const {
  const KViewTransform& view = view_.transform;
  x = view.ToWorldX(point.x);
  y = view.ToWorldY(point.y);
  if (snap) SnapToVertex(document_, view.scaleX, view.scaleY, kSnapPixels, x, y);
}

void KInputController::Collect(KDevicePoint point, bool snap) {
  double x = 0.0, y = 0.0;
  WorldPoint(point, snap, x, y);
  if (!collected_.Append(x, y))
    notice_ = "The curve holds " + std::to_string(KCollected::kCapacity) +
              " points: no more are collected until it is finished";
}

KInputOutcome KInputController::OnMeasureClick(KDevicePoint point, bool snap) {
  const KViewTransform& view = view_.transform;
  double x = 0.0, y = 0.0;
  WorldPoint(point, snap, x, y);
  const bool nearFirst = measure_.Count() > 0 && !measure_.Ended() &&
                         std::hypot(view.ToDeviceX(measure_.X(0)) - point.x,
                                    view.ToDeviceY(measure_.Y(0)) - point.y) <= kSnapPixels;
  if (nearFirst && measure_.Close()) {
    clickCount = 0;
  } else {
    measure_.Add(x, y);
    // The band runs on from the point measured, snapped or not.
    rubberBand.fill({view.ToDeviceX(x), view.ToDeviceY(y)});
    rubberBand[2] = point;
    clickCount = 1;
  }
  notice_ = measure_.Text();
  return KInputOutcome::Of(Kind::kOverlay);
}

KInputOutcome KInputController::OnLButtonDown(KDevicePoint point, bool snap) {
  KViewTransform& view = view_.transform;
  notice_.clear();
  switch (viewState) {
    case kCmdNone:
      return KInputOutcome::Of(Kind::kNothing);
    case kCmdEnlarge:
    case kCmdReduce:
      view.ZoomAt(point.x, point.y, viewState == kCmdEnlarge);
      return KInputOutcome::Of(Kind::kRepaint);
    case kCmdClick: {
      picked_ = window_.Pick(view.ToWorldX(point.x), view.ToWorldY(point.y));
      const auto& entries = document_.entries;
      pickedEntry_ = picked_ >= 0 ? entries[entries.size() - 1 - static_cast<std::size_t>(picked_)].get() : nullptr;
      return KInputOutcome::Picked(picked_);
    }
    case kCmdMeasure:
      return OnMeasureClick(point, snap);
    default:
      break;
  }
  if (IsCurveState(viewState)) {
    Collect(point, snap);
    rubberBand.fill(point);
    clickCount = 1;
    return KInputOutcome::Of(Kind::kOverlay);
  }
  return OnTwoClick(point);
}

KInputOutcome KInputController::OnTwoClick(KDevicePoint point) {
  KViewTransform& view = view_.transform;
  // A curve mode left behind may have left its count; only two slots exist.
  rubberBand[static_cast<std::size_t>(std::clamp(clickCount, 0, 1))] = point;
  clickCount = std::clamp(clickCount, 0, 1) + 1;
  rubberBand[2] = point;
  if (clickCount != 2) return KInputOutcome::Of(Kind::kOverlay);
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
      window_.Delete();
      break;
    case kCmdDeleteCurveRange:
      window_.TrimNearestCurve(view.ToWorldX(a.x), view.ToWorldY(a.y), view.ToWorldX(b.x), view.ToWorldY(b.y));
      break;
    default:
      break;  // Single point, Range, Move Pan and unknown ids only collect
  }
  return KInputOutcome::Of(Kind::kRepaint);
}

KInputOutcome KInputController::OnMouseMove(KDevicePoint point, KDevice* device) {
  if (IsDragCurveState(viewState) && !collected_.Empty()) {
    Collect(point);
    if (device) DrawCollected(*device);
    return KInputOutcome::Of(Kind::kOverlay);
  }
  if (clickCount < 1) return KInputOutcome::Of(Kind::kNothing);
  if (viewState == kCmdMoveZoom) {
    const int dy = point.y - rubberBand[0].y;
    if (dy == 0) return KInputOutcome::Of(Kind::kNothing);
    view_.transform.ZoomCentre(dy > 0 ? kMoveZoomStep : 1.0 / kMoveZoomStep);
    rubberBand[0] = point;
    return KInputOutcome::Of(Kind::kRepaint);
  }
  if (!HasLineBand(viewState) && !HasRectBand(viewState)) return KInputOutcome::Of(Kind::kNothing);
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
  return KInputOutcome::Of(Kind::kOverlay);
}

void KInputController::DrawRubberBand(KDevice& device) const {
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

KInputOutcome KInputController::OnLButtonUp() {
  switch (viewState) {
    case kCmdMoveZoom:
      clickCount = 0;
      return KInputOutcome::Of(Kind::kNothing);
    case kCmdCurve:
      clickCount = 0;  // the drag is over: no band is left pending
      return KInputOutcome::Of(window_.FinishCurve() ? Kind::kCurveFinished : Kind::kNothing);
    case kCmdCurveModify:
      clickCount = 0;
      // Only a stroke just finished may be spliced: with an empty buffer the
      // newest entry is some older curve.
      window_.FinishAndModify();
      return KInputOutcome::Of(Kind::kCurveModified);
    default:
      return KInputOutcome::Of(Kind::kNothing);
  }
}

KInputOutcome KInputController::OnLButtonDblClk() {
  if (viewState == kCmdCurveClick) {
    clickCount = 0;
    return KInputOutcome::Of(window_.FinishCurve() ? Kind::kCurveFinished : Kind::kNothing);
  }
  if (viewState == kCmdCurveModifyClick) {
    clickCount = 0;
    window_.FinishAndModify();
    return KInputOutcome::Of(Kind::kCurveModified);
  }
  if (viewState == kCmdMeasure && measure_.Count() > 0) {
    clickCount = 0;
    measure_.End();
    notice_ = measure_.Text();
    return KInputOutcome::Of(Kind::kOverlay);
  }
  return KInputOutcome::Of(Kind::kNothing);
}
