#include "render/drawing/krenderer.h"

#include <cstdint>

#include "render/drawing/embellish_draw.h"
#include "model/curves/kembellish.h"
#include "model/document/elements.h"
#include "model/document/kcurve.h"
#include "model/document/kentry.h"
#include "model/document/klayer.h"
#include "model/document/kones.h"
#include "model/grid/kxyz_list.h"
#include "render/drawing/xyz_draw.h"
#include "render/drawing/raster_draw.h"

KColorRef DocumentColour(int colour) {
  // The high byte of a COLORREF selects palette modes; drawings only mean RGB.
  return static_cast<KColorRef>(-static_cast<std::int64_t>(colour)) & 0x00FFFFFFu;
}

void KRenderer::DrawDocument(const KOnes& document, const KViewTransform& view) {
  if (document.entries.empty() || !view.CanMap()) return;
  // Block names resolve in the innermost document being drawn.
  blocks_.Enter(document);
  ++depth_;
  device_.SetBkMode(kBkTransparent);
  device_.SetTextAlign(kAlignLeft | kAlignBottom);
  for (const auto& entry : document.entries) {
    if (entry->layer && entry->layer->state == kNotViewNotEdit) continue;
    if (!ChargeInsertedWork()) break;
    DrawEntry(*entry, view);
  }
  --depth_;
  blocks_.Leave();
}

bool KRenderer::ChargeInsertedWork() {
  if (depth_ <= 1) return true;
  if (++insertedEntries_ > kMaxInsertedEntries) insertBudgetHit_ = true;
  return !insertBudgetHit_;
}

void KRenderer::DrawEntry(const KEntry& entry, const KViewTransform& view) {
  switch (entry.kind) {
    case kKindPolyline: DrawCurveEntry(entry, view); break;
    case kKindCurveArray: DrawCurveArrayEntry(entry, view); break;
    case kKindPoint: DrawPointEntry(entry, view); break;
    case kKindInsert:
      if (const auto* insert = entry.As<KInsert>())
        DrawInsertOf(blocks_.LookupFor(insert, insert->blockName), *insert, view);
      break;
    case kKindText:
      if (const auto* text = entry.As<KText>()) DrawText(*text, view, entry.colour);
      break;
    case kKindBitmap:
    case kKindGrid:  // a grid carries its coloured image like a bitmap
      if (const auto* raster = entry.As<KBmpIn>()) DrawRaster(*raster, view, device_);
      break;
    case kKindLogo:
      if (const auto* logo = entry.As<KLogo>()) {
        DrawLogo(*logo, view, device_);
        pen_.Forget();  // the emblem draws its lines on the device directly
      }
      break;
    case kKindXyz:
      if (const auto* list = entry.As<KXyzList>()) DrawXyzList(*list, view, entry.TextProperties().get(), *this);
      break;
    case kKindStepList:
      if (const auto* steps = entry.As<KStepList>()) DrawStepList(*steps, view);
      break;
    default: break;
  }
}

bool KRenderer::DrawEmbellishment(const KEntry& entry, const KCurve& curve, const KViewTransform& view) {
  const KEmbellish* embellishment = entry.EffectiveEmbellishment();
  if (!embellishment) return false;
  DrawAlong(*embellishment, view, curve, *this);
  return embellishment->noDraw;
}

void KRenderer::DrawCurveEntry(const KEntry& entry, const KViewTransform& view) {
  const KCurve* curve = entry.As<KCurve>();
  if (!curve) return;
  if (DrawEmbellishment(entry, *curve, view)) return;
  DrawCurve(*curve, view, entry.colour);
}

void KRenderer::DrawCurve(const KCurve& curve, const KViewTransform& view, int colour) {
  if (curve.closure == kFilled) {
    FillPolygon(curve, view, colour);
    return;
  }
  SelectPen(view, kPenSolid, curve.width(), DocumentColour(colour));
  DrawPolyline(curve, view);
}
