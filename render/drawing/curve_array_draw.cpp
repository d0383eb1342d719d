// Drawing of a curve array entry: its elements as plain curves, then each
// group's curves as small figures at the group's points.
#include <algorithm>

#include "model/curves/kcurve_array.h"
#include "model/document/kentry.h"
#include "render/drawing/krenderer.h"

namespace {
// Group curves are drawn at a twentieth of their size, turned a quarter
// clockwise, in near-black (red 1, green 1, blue 1).
constexpr double kGroupCurveScale = 0.05;
constexpr double kGroupCurveAngle = -90.0;
constexpr int kGroupCurveColour = -65793;
}  // namespace

void KRenderer::DrawCurveArrayEntry(const KEntry& entry, const KViewTransform& view) {
  const KCurveArray* array = entry.As<KCurveArray>();
  if (!array) return;
  bool replaced = false;
  for (const auto& element : array->elements)
    if (element && DrawEmbellishment(entry, *element, view)) replaced = true;
  if (!replaced)
    for (const auto& element : array->elements)
      if (element) DrawCurve(*element, view, entry.colour);

  for (const auto& element : array->elements) {
    const auto* group = dynamic_cast<const KCurveGroup*>(element.get());
    if (!group) continue;
    const int placed = std::min(group->count, static_cast<int>(group->curves.size()));
    for (int j = 0; j < placed; ++j) {
      const KCurve* curve = group->curves[static_cast<std::size_t>(j)].get();
      if (!curve) continue;
      DrawPlaced(group->x()[j], group->y()[j], kGroupCurveScale, kGroupCurveScale, kGroupCurveAngle, view,
                 [&](const KViewTransform& composed) { DrawCurve(*curve, composed, kGroupCurveColour); });
    }
  }
}
