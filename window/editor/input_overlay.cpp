// What a host draws over the painted document: the rubber band, the curve
// being collected and the picked entry.
#include "model/document/elements.h"
#include "model/document/kones.h"
#include "model/document/ktext_properties.h"
#include "platform/resources/menus.h"
#include "render/drawing/collected_draw.h"
#include "render/drawing/krenderer.h"
#include "window/editor/input_controller.h"
#include "window/editor/view_states.h"
#include "window/editor/window_view.h"

namespace {
const KColorRef kBandColour = KRgb(0, 0, 0);
const KColorRef kHighlightColour = KRgb(255, 128, 0);
const KColorRef kMeasureColour = KRgb(0, 120, 215);
// Pixels, with a half so the pen width does not truncate to 2.
constexpr double kHighlightWidth = 3.5;
constexpr const char* kDefaultLayer = "0";
}  // namespace

void KInputController::DrawCollected(KDevice& device) {
  if (collected_.Count() < 2) return;
  if (!document_.CurrentLayer()) document_.SelectLayer(kDefaultLayer);
  DrawAsNewCurve(device, view_.transform, document_, std::make_unique<KCurve>(collected_.ToCurve()));
}

void KInputController::DrawOverlay(KDevice& device) {
  const KViewTransform& view = view_.transform;
  if (clickCount >= 1 && (HasLineBand(viewState) || HasRectBand(viewState))) {
    device.SelectPen(kPenDash, 0, kBandColour);
    DrawRubberBand(device);
  }
  if (IsCurveState(viewState)) DrawCollected(device);
  if (viewState == kCmdMeasure && measure_.Count() >= 2 && view.CanMap()) {
    device.SelectPen(kPenSolid, 2, kMeasureColour);
    device.MoveTo(view.ToDeviceX(measure_.X(0)), view.ToDeviceY(measure_.Y(0)));
    for (int i = 1; i < measure_.Count(); ++i) device.LineTo(view.ToDeviceX(measure_.X(i)), view.ToDeviceY(measure_.Y(i)));
    if (measure_.Closed()) device.LineTo(view.ToDeviceX(measure_.X(0)), view.ToDeviceY(measure_.Y(0)));
  }
  const KEntry* entry = PickedEntry();
  if (!entry || !view.CanMap()) return;
  KRenderer renderer(device);
  if (const auto* curve = entry->As<KCurve>()) {
    renderer.SelectPen(view, kPenSolid, kHighlightWidth * view.scaleX, kHighlightColour);
    renderer.DrawPolyline(*curve, view);
  } else if (const auto* point = entry->As<KPointText>()) {
    const KTextProperties* properties = entry->EffectiveTextProperties();
    const double w = properties ? properties->markWidth : 0.0;
    const double h = properties ? properties->markHeight : 0.0;
    renderer.SelectPen(view, kPenSolid, kHighlightWidth * view.scaleX, kHighlightColour);
    renderer.MoveTo(view, point->x, point->y);
    renderer.LineTo(view, point->x + w, point->y);
    renderer.LineTo(view, point->x + w, point->y + h);
    renderer.LineTo(view, point->x, point->y + h);
    renderer.LineTo(view, point->x, point->y);
  }
  device.Flush();
}
