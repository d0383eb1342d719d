#include "render/drawing/collected_draw.h"

#include "model/document/kcurve.h"
#include "model/document/kones.h"
#include "render/drawing/krenderer.h"

void DrawAsNewCurve(KDevice& device, const KViewTransform& view, const KOnes& document,
                    std::unique_ptr<KCurve> curve) {
  if (!curve || !view.CanMap()) return;
  KEntry entry;
  entry.kind = kKindPolyline;
  entry.record = std::move(curve);
  entry.colour = document.currentColour;
  entry.layer = document.CurrentLayer();
  entry.SetEmbellishment(document.PendingEmbellishment());
  entry.SetTextProperties(document.PendingTextProperties());
  KRenderer renderer(device);
  renderer.DrawCurveEntry(entry, view);
  device.Flush();
}
