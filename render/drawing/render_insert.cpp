// Blocks inserted through composed transforms, and point marks with labels.
#include "model/document/elements.h"
#include "model/document/kentry.h"
#include "model/document/kones.h"
#include "model/document/ktext_properties.h"
#include "render/drawing/krenderer.h"

void KRenderer::DrawPlaced(double x, double y, double kx, double ky, double angleDegrees,
                           const KViewTransform& view, const std::function<void(const KViewTransform&)>& draw) {
  if (kx == 0 || ky == 0 || !view.CanMap()) return;
  KViewTransform local;
  local.scaleX = 1.0 / kx;
  local.scaleY = 1.0 / ky;
  local.offsetX = x;
  local.offsetY = y;
  local.SetAngle(angleDegrees);
  KViewTransform composed;
  composed.Compose(local, view);
  if (!composed.CanMap()) return;
  draw(composed);
}

void KRenderer::DrawBlock(const KOnes& block, const KViewTransform& view) {
  // A block already being drawn would insert itself without end, and deep
  // chains multiply the work: both draw nothing.
  if (!blocks_.MayDraw(block) || insertBudgetHit_) return;
  DrawDocument(block, view);
}

void KRenderer::DrawInsert(const KInsert& insert, const KViewTransform& view) {
  DrawInsertOf(LookupBlock(insert.blockName), insert, view);
}

void KRenderer::DrawInsertOf(const KOnes* block, const KInsert& insert, const KViewTransform& view) {
  if (!block) {
    MoveTo(view, insert.x - insert.xSize, insert.y);
    LineTo(view, insert.x + insert.xSize, insert.y);
    MoveTo(view, insert.x, insert.y - insert.ySize);
    LineTo(view, insert.x, insert.y + insert.ySize);
    return;
  }
  DrawPlaced(insert.x, insert.y, insert.xSize, insert.ySize, insert.angle, view,
             [&](const KViewTransform& composed) { DrawBlock(*block, composed); });
}

void KRenderer::DrawPointEntry(const KEntry& entry, const KViewTransform& view) {
  const KTextProperties* properties = entry.EffectiveTextProperties();
  const KPointText* point = entry.As<KPointText>();
  if (!properties || !point) return;
  // Many points share one set of properties: their mark is looked up once.
  DrawPointMark(*point, view, *properties, blocks_.LookupFor(properties, properties->markName));
}

void KRenderer::DrawPointSymbol(const KPointText& point, const KViewTransform& view,
                                const KTextProperties& properties) {
  DrawPointMark(point, view, properties, LookupBlock(properties.markName));
}

void KRenderer::DrawPointMark(const KPointText& point, const KViewTransform& view,
                              const KTextProperties& properties, const KOnes* mark) {
  KInsert place;
  place.x = point.x;
  place.y = point.y;
  place.xSize = properties.markWidth;
  place.ySize = properties.markHeight;
  place.angle = properties.markAngle;
  DrawInsertOf(mark, place, view);

  KText label;
  label.x = point.x + properties.labelOffsetX;
  label.y = point.y + properties.labelOffsetY;
  label.font = properties.labelFont;
  label.text = point.label;
  label.width = properties.labelWidth;
  label.height = properties.labelHeight;
  label.angle = properties.labelAngle;
  DrawText(label, view, properties.labelColour);
}
