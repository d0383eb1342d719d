// Picking the entry nearest to a click, and saying what an entry is.
#include "model/document/document_summary.h"
#include "model/document/elements.h"
#include "model/document/klayer.h"
#include "model/document/ktext_properties.h"
#include "window/editor/quarvel_window.h"

namespace {
constexpr int kNothingPicked = -10;
constexpr double kNoDistance = 1e300;

}  // namespace

int QuarvelWindow::Pick(double x, double y) const {
  double best = kNoDistance;
  int result = kNothingPicked;
  int index = static_cast<int>(entries.size());
  for (const auto& entry : entries) {
    --index;  // counted from the tail: the newest entry is 0
    if (!entry->layer || entry->layer->state != kViewAndEdit) continue;
    if (entry->kind == kKindPolyline) {
      const KCurve* curve = entry->As<KCurve>();
      if (!curve || curve->count < 1) continue;
      double position = 0.0;
      const double d = curve->NearestPoint(x, y, position);
      if (d < best) {
        best = d;
        result = index;
      }
    } else if (entry->kind == kKindPoint) {
      const KPointText* point = entry->As<KPointText>();
      const KTextProperties* properties = entry->EffectiveTextProperties();
      if (point && properties && point->x <= x && x <= point->x + properties->markWidth && point->y <= y &&
          y <= point->y + properties->markHeight)
        return index;
    }
  }
  return result;
}

std::string QuarvelWindow::Describe(const KEntry& entry) {
  std::string text = EntryKindName(entry.kind);
  if (entry.layer) text += ", layer " + entry.layer->name;
  const std::string name = EntryName(entry);
  if (!name.empty()) text += ", \"" + name + "\"";
  return text;
}
