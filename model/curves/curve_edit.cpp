#include "model/curves/curve_edit.h"

#include <algorithm>
#include <utility>

#include "model/document/klayer.h"

namespace {
constexpr double kNoDistance = 1e300;
}

KCurve* EditableCurve(const KEntry& entry) {
  if (entry.kind != kKindPolyline || !entry.layer || entry.layer->state != kViewAndEdit) return nullptr;
  return entry.As<KCurve>();
}

int NearestEditableCurve(const KOnes& document, std::size_t end, double x1, double y1, double x2, double y2) {
  end = std::min(end, document.entries.size());
  double best = kNoDistance;
  int chosen = -1;
  for (std::size_t k = end; k-- > 0;) {
    const KCurve* curve = EditableCurve(*document.entries[k]);
    if (!curve || curve->count < 1) continue;
    double position = 0.0;
    for (const auto& [x, y] : {std::pair{x1, y1}, std::pair{x2, y2}}) {
      const double d = curve->NearestPoint(x, y, position);
      if (d < best) {
        best = d;
        chosen = static_cast<int>(k);
      }
    }
  }
  return chosen;
}

int ModifyTarget(const KOnes& document) {
  if (document.entries.empty()) return -1;
  const KEntry& newest = *document.entries.back();
  const KCurve* stroke = newest.kind == kKindPolyline ? newest.As<KCurve>() : nullptr;
  if (!stroke || stroke->count < 1) return -1;
  return NearestEditableCurve(document, document.entries.size() - 1, stroke->x()[0], stroke->y()[0],
                              stroke->LastX(), stroke->LastY());
}

KModifyOutcome ModifyNearestCurve(KOnes& document, std::vector<std::unique_ptr<KEntry>>* removed) {
  if (document.entries.empty() || document.entries.back()->kind != kKindPolyline) return KModifyOutcome::kNoStroke;
  const int target = ModifyTarget(document);
  if (target < 0) return KModifyOutcome::kKeptAsNew;
  const KCurve* stroke = document.entries.back()->As<KCurve>();
  KCurve* curve = document.entries[static_cast<std::size_t>(target)]->As<KCurve>();
  if (!stroke || !curve || !curve->Splice(*stroke)) return KModifyOutcome::kKeptAsNew;
  if (removed) removed->push_back(std::move(document.entries.back()));
  document.entries.pop_back();
  return KModifyOutcome::kSpliced;
}

int TrimTarget(const KOnes& document, double x1, double y1, double x2, double y2) {
  return NearestEditableCurve(document, document.entries.size(), x1, y1, x2, y2);
}

bool TrimNearestCurve(KOnes& document, double x1, double y1, double x2, double y2) {
  const int target = TrimTarget(document, x1, y1, x2, y2);
  if (target < 0) return false;
  KCurve* curve = document.entries[static_cast<std::size_t>(target)]->As<KCurve>();
  return curve && curve->TrimRange(x1, y1, x2, y2);
}
