// What a host draws over the painted document: the rubber band, the curve
// being collected and the picked entry.
#include "model/document/elements.h"
#include "model/document/klayer.h"
#include "model/document/ktext_properties.h"
#include "render/drawing/krenderer.h"
#include "platform/resources/menus.h"
#include "window/editor/quarvel_window.h"
#include "window/editor/view_states.h"

namespace {
const KColorRef kBandColour = KRgb(0, 0, 0);
const KColorRef kHighlightColour = KRgb(255, 128, 0);
// Pixels, with a half so the pen width does not truncate to 2.
constexpr double kHighlightWidth = 3.5;

const char* KindName(int kind) {
  switch (kind) {
    case kKindPolyline: return "polyline";
    case kKindCurveArray: return "curve array";
    case kKindPoint: return "point";
    case kKindInsert: return "insert";
    case kKindText: return "text";
    case kKindBitmap: return "bitmap";
    case kKindGrid: return "grid";
    case kKindLogo: return "logo";
    case kKindXyz: return "x, y, z list";
    case kKindStepList: return "step list";
    default: return "entry";
  }
}

std::string NameOf(const KEntry& entry) {
  if (const auto* curve = entry.As<KCurve>()) return std::string(curve->name());
  if (const auto* point = entry.As<KPointText>()) return point->label.str();
  if (const auto* insert = entry.As<KInsert>()) return insert->blockName;
  if (const auto* text = entry.As<KText>()) return text->text;
  return "";
}
}  // namespace

const KEntry* QuarvelWindow::PickedEntry() const {
  const int n = static_cast<int>(entries.size());
  if (picked < 0 || picked >= n) return nullptr;
  const KEntry* entry = entries[static_cast<std::size_t>(n - 1 - picked)].get();
  return entry == pickedEntry_ ? entry : nullptr;
}

std::string QuarvelWindow::Describe(const KEntry& entry) {
  std::string text = KindName(entry.kind);
  if (entry.layer) text += ", layer " + entry.layer->name;
  const std::string name = NameOf(entry);
  if (!name.empty()) text += ", \"" + name + "\"";
  return text;
}

void QuarvelWindow::DrawOverlay(KDevice& device) {
  if (clickCount >= 1 && (HasLineBand(viewState) || HasRectBand(viewState))) {
    device.SelectPen(kPenDash, 0, kBandColour);
    DrawRubberBand(device);
  }
  if (IsCurveState(viewState)) DrawCollected(device);
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
