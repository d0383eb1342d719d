// Blocks inserted through composed transforms, and point marks with labels.
#include <algorithm>

#include "document/elements.h"
#include "document/kentry.h"
#include "document/kones.h"
#include "document/ktext_properties.h"
#include "render/krenderer.h"

void KRenderer::DrawPlaced(double x, double y, double kx, double ky, double angleDegrees,
                           KViewTransform& view, const std::function<void(KViewTransform&)>& draw) {
  if (kx == 0 || ky == 0 || !view.CanMap()) return;
  KViewTransform local;
  local.scaleX = 1.0 / kx;
  local.scaleY = 1.0 / ky;
  local.offsetX = x;
  local.offsetY = y;
  local.SetAngle(angleDegrees);
  KViewTransform composed;
  composed.Compose(local, view);
  composed.device = view.device;
  if (!composed.CanMap()) return;
  draw(composed);
}

void KRenderer::DrawBlock(KOnes& block, KViewTransform& view) {
  // A block already being drawn would insert itself without end, and deep
  // chains multiply the work: both draw nothing.
  if (static_cast<int>(drawing_.size()) > kMaxInsertDepth) return;
  if (std::find(drawing_.begin(), drawing_.end(), &block) != drawing_.end()) return;
  DrawDocument(block, view);
}

void KRenderer::DrawInsert(KInsert& insert, KViewTransform& view) {
  if (!insert.block) insert.block = LookupBlock(insert.blockName);
  if (!insert.block) {
    view.MoveTo(insert.x - insert.xSize, insert.y);
    view.LineTo(insert.x + insert.xSize, insert.y);
    view.MoveTo(insert.x, insert.y - insert.ySize);
    view.LineTo(insert.x, insert.y + insert.ySize);
    return;
  }
  KOnes& block = *insert.block;
  DrawPlaced(insert.x, insert.y, insert.xSize, insert.ySize, insert.angle, view,
             [&](KViewTransform& composed) { DrawBlock(block, composed); });
}

void KRenderer::DrawPointEntry(KEntry& entry, KViewTransform& view) {
  KTextProperties* properties = entry.EffectiveTextProperties();
  const KPointText* point = entry.As<KPointText>();
  if (!properties || !point) return;
  if (!properties->markBlock) properties->markBlock = LookupBlock(properties->markName);
  DrawPointSymbol(*point, view, *properties);
}

void KRenderer::DrawPointSymbol(const KPointText& point, KViewTransform& view, KTextProperties& properties) {
  KInsert mark;
  mark.x = point.x;
  mark.y = point.y;
  mark.block = properties.markBlock;
  mark.xSize = properties.markWidth;
  mark.ySize = properties.markHeight;
  mark.angle = properties.markAngle;
  DrawInsert(mark, view);

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
