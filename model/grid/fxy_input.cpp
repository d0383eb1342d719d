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

KFxyInput GatherFxyInput(const KOnes& doc, const KFxyLayerChoice& choice) {
  KFxyInput in;
  // One source a named layer; the layer object each stands for (null when
  // the document has none).
  std::vector<const KLayer*> layers;
  for (int role = 0; role < 3; ++role)
    for (const std::string& name : choice.Role(role)) {
      in.sources.push_back({role, name, 0});
      layers.push_back(doc.layers.LookupPath(name));
    }
  const auto sourceOf = [&](const KLayer* layer) {
    for (std::size_t k = 0; k < layers.size(); ++k)
      if (layers[k] && layers[k] == layer) return static_cast<int>(k);
    return -1;
  };
  std::size_t* counted = nullptr;
  const auto take = [&](const KOne& p) {
    if (Finite(p)) {
      in.points.push_back(p);
      ++*counted;
    } else {
      ++in.droppedPoints;
    }
  };

  for (const auto& entry : doc.entries) {
    const int source = sourceOf(entry->layer);
    if (source < 0) continue;
    const int which = in.sources[static_cast<std::size_t>(source)].role;
    counted = &in.sources[static_cast<std::size_t>(source)].count;
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
      ++*counted;
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
  // Kept through the whole gridding: grown by doubling, it would hold up to
  // twice the points.
  in.points.shrink_to_fit();
  return in;
}

std::vector<std::string> MissingFxyLayers(const KOnes& doc, const KFxyLayerChoice& choice) {
  std::vector<std::string> missing;
  for (int role = 0; role < 3; ++role)
    for (const std::string& name : choice.Role(role))
      if (!doc.layers.LookupPath(name)) missing.push_back(name);
  return missing;
}

std::string FxySourcesText(const KFxyInput& in) {
  static const char* const kWhat[3] = {"points", "break lines", "outlines"};
  std::string text;
  for (int role = 0; role < 3; ++role) {
    std::size_t total = 0, layers = 0;
    for (const KFxyLayerCount& s : in.sources)
      if (s.role == role) total += s.count, ++layers;
    if (layers == 0) continue;
    if (!text.empty()) text += "; ";
    text += std::to_string(total) + " " + kWhat[role] + " from ";
    bool first = true;
    for (const KFxyLayerCount& s : in.sources) {
      if (s.role != role) continue;
      if (!first) text += ", ";
      first = false;
      text += s.layer;
      if (layers > 1) text += " (" + std::to_string(s.count) + ")";
    }
  }
  return text;
}
