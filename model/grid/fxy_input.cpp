// Gathering the f(x,y) input from the document's layers.
#include "model/grid/fxy_input.h"

#include <cmath>
#include <cstdio>

#include "model/document/kcurve.h"
#include "model/document/kones.h"

namespace {

// Break lines without a name are named after their index plus this.
constexpr int kBreakNameBase = 10000;

KFxyCurve CopyCurve(const KCurve& c) {
  KFxyCurve out;
  out.x.assign(c.x(), c.x() + c.count);
  out.y.assign(c.y(), c.y() + c.count);
  out.closure = c.closure;
  out.name = c.name();
  return out;
}

bool Finite(const KOne& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z) && std::isfinite(p.w);
}

}  // namespace

KFxyInput GatherFxyInput(const KOnes& doc, const KFxyLayerNames& names) {
  KFxyInput in;
  const KLayer* layers[3];
  for (int k = 0; k < 3; ++k) layers[k] = doc.layers.LookupPath(names[static_cast<std::size_t>(k)]);
  const auto take = [&](const KOne& p) {
    if (Finite(p))
      in.points.push_back(p);
    else
      ++in.droppedPoints;
  };

  for (const auto& entry : doc.entries) {
    int which = -1;
    for (int k = 0; k < 3 && which < 0; ++k)
      if (layers[k] && entry->layer == layers[k]) which = k;
    if (which < 0) continue;
    const KCurve* curve = entry->kind == kKindPolyline ? entry->As<KCurve>() : nullptr;
    if (which == 0) {
      if (curve) {
        for (int i = 0; i < curve->count; ++i) {
          KOne p;
          p.x = curve->x()[i];
          p.y = curve->y()[i];
          p.z = curve->z()[i];
          take(p);
        }
      } else if (const KXyzList* list = entry->kind == kKindXyz ? entry->As<KXyzList>() : nullptr) {
        list->ForEach(take);
      }
    } else if (curve) {
      if (which == 1) {
        in.breaks.push_back(CopyCurve(*curve));
        if (curve->closure == kFilled) in.outlines.push_back(CopyCurve(*curve));
      } else {
        in.outlines.push_back(CopyCurve(*curve));
      }
    }
  }

  for (std::size_t k = 0; k < in.breaks.size(); ++k) {
    KFxyCurve& b = in.breaks[k];
    if (b.name.empty()) {
      char name[16];
      std::snprintf(name, sizeof name, "%d", static_cast<int>(k) + kBreakNameBase);
      b.name = name;
    }
    if ((b.closure == kFilled || b.closure == kClosed) && !b.x.empty()) {
      b.x.push_back(b.x.front());
      b.y.push_back(b.y.front());
    }
  }
  return in;
}
