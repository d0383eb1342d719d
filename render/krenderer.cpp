#include "render/krenderer.h"

#include <cstdint>

#include "render/embellish_draw.h"
#include "curves/kembellish.h"
#include "document/elements.h"
#include "document/kcurve.h"
#include "document/kentry.h"
#include "document/klayer.h"
#include "document/kones.h"
#include "grid/kxyz_list.h"
#include "render/xyz_draw.h"
#include "render/raster_draw.h"

KColorRef DocumentColour(int colour) {
  // The high byte of a COLORREF selects palette modes; drawings only mean RGB.
  return static_cast<KColorRef>(-static_cast<std::int64_t>(colour)) & 0x00FFFFFFu;
}

KRenderer& KRenderer::Instance() {
  static KRenderer renderer;
  return renderer;
}

KOnes* KRenderer::LookupBlock(const std::string& name) const {
  if (!currentBlocks_ || name.empty()) return nullptr;
  return currentBlocks_->LookupPath(name);
}

void KRenderer::DrawDocument(KOnes& document, KViewTransform& view) {
  if (document.entries.empty() || !view.device || !view.CanMap()) return;
  KTree<KOnes>* saved = currentBlocks_;
  currentBlocks_ = &document.blocks;
  drawing_.push_back(&document);
  view.device->SetBkMode(kBkTransparent);
  view.device->SetTextAlign(kAlignLeft | kAlignBottom);
  for (const auto& entry : document.entries) {
    if (entry->layer && entry->layer->state == kNotViewNotEdit) continue;
    DrawEntry(*entry, view);
  }
  drawing_.pop_back();
  currentBlocks_ = saved;
}

void KRenderer::DrawEntry(KEntry& entry, KViewTransform& view) {
  switch (entry.kind) {
    case kKindPolyline: DrawCurveEntry(entry, view); break;
    case kKindCurveArray: DrawCurveArrayEntry(entry, view); break;
    case kKindPoint: DrawPointEntry(entry, view); break;
    case kKindInsert:
      if (auto* insert = entry.As<KInsert>()) DrawInsert(*insert, view);
      break;
    case kKindText:
      if (auto* text = entry.As<KText>()) DrawText(*text, view, entry.colour);
      break;
    case kKindBitmap:
    case kKindGrid:  // a grid carries its coloured image like a bitmap
      if (auto* raster = entry.As<KBmpIn>()) DrawRaster(*raster, view);
      break;
    case kKindLogo:
      if (auto* logo = entry.As<KLogo>()) DrawLogo(*logo, view);
      break;
    case kKindXyz:
      if (auto* list = entry.As<KXyzList>()) DrawXyzList(*list, view, entry.textProperties.get(), *this);
      break;
    case kKindStepList:
      if (auto* steps = entry.As<KStepList>()) DrawStepList(*steps, view);
      break;
    default: break;
  }
}

bool KRenderer::DrawEmbellishment(KEntry& entry, const KCurve& curve, KViewTransform& view) {
  KEmbellish* embellishment = entry.EffectiveEmbellishment();
  if (!embellishment) return false;
  DrawAlong(*embellishment, view, curve, *this);
  return embellishment->noDraw;
}

void KRenderer::DrawCurveEntry(KEntry& entry, KViewTransform& view) {
  const KCurve* curve = entry.As<KCurve>();
  if (!curve) return;
  if (DrawEmbellishment(entry, *curve, view)) return;
  DrawCurve(*curve, view, entry.colour);
}

void KRenderer::DrawCurve(const KCurve& curve, KViewTransform& view, int colour) {
  if (curve.closure == kFilled) {
    FillPolygon(curve, view, colour);
    return;
  }
  view.SelectPen(kPenSolid, curve.width, DocumentColour(colour));
  DrawPolyline(curve, view);
}
