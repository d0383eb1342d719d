#include "exchange/vector/drawing_features.h"

#include <cmath>
#include <map>
#include <memory>
#include <string>

#include "exchange/vector/colour_text.h"
#include "model/document/elements.h"
#include "model/document/kones.h"
#include "model/grid/kxyz_list.h"

namespace {

// Below this a polyline has no length the reader would keep.
constexpr double kMinLength = 1e-6;

// An attribute the drawing can use: present and a finite number.
bool Usable(const std::optional<double>& value) { return value && std::isfinite(*value); }

KFeature Attributed(const KEntry& entry, KFeatureShape shape) {
  KFeature f;
  f.shape = shape;
  f.layer = entry.layer ? entry.layer->name.str() : std::string();
  f.colour = ColourText(entry.colour);
  return f;
}

bool CurveFeature(const KEntry& entry, const KCurve& curve, KFeature& f) {
  const bool polygon = curve.IsClosed();
  if (curve.count < (polygon ? 3 : 2)) return false;
  f = Attributed(entry, polygon ? KFeatureShape::kPolygon : KFeatureShape::kLine);
  f.hasZ = curve.dimension >= 3;
  const double* z = curve.z();
  for (int i = 0; i < curve.count; ++i) f.points.push_back({curve.x()[i], curve.y()[i], f.hasZ ? z[i] : 0.0});
  f.name = std::string(curve.name());
  if (f.hasZ) f.z = z[0];
  if (curve.code() != 0) f.code = curve.code();
  if (curve.width() != 0.0) f.width = curve.width();
  return true;
}

void AddXyz(const KEntry& entry, const KXyzList& list, std::vector<KFeature>& out) {
  list.ForEach([&](const KOne& p) {
    KFeature f = Attributed(entry, KFeatureShape::kPoint);
    f.points.push_back({p.x, p.y, p.z});
    f.hasZ = true;
    f.z = p.z;
    out.push_back(std::move(f));
  });
}

bool Finite(const KFeature& f) {
  for (const KFeaturePoint& p : f.points)
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return false;
  return !f.points.empty();
}

std::unique_ptr<KCurve> CurveOf(const KFeature& f) {
  auto curve = std::make_unique<KCurve>();
  std::vector<KFeaturePoint> points = f.points;
  const bool ring = f.shape == KFeatureShape::kPolygon;
  // A ring's repeated first point is the closure marker's job.
  if (ring && points.size() > 1 && points.front() == points.back()) points.pop_back();
  if (points.size() < (ring ? 3u : 2u)) return nullptr;
  curve->Allocate(static_cast<int>(points.size()));
  curve->dimension = f.hasZ ? 3 : 2;
  for (std::size_t i = 0; i < points.size(); ++i) {
    curve->x()[i] = points[i].x;
    curve->y()[i] = points[i].y;
  }
  if (f.hasZ)
    for (std::size_t i = 0; i < points.size(); ++i) curve->z()[i] = points[i].z;
  if (ring) {
    curve->closure = kClosed;
    curve->FillSpareSlots();
  }
  curve->ArcLength();
  if (!(curve->s()[curve->count - 1] >= kMinLength)) return nullptr;
  if (!f.name.empty()) curve->SetName(f.name);
  if (f.code) curve->SetCode(*f.code);
  if (Usable(f.width) && *f.width >= 0) curve->SetWidth(*f.width);
  return curve;
}

double PointZ(const KFeature& f) { return Usable(f.z) ? *f.z : f.points.front().z; }

}  // namespace

KDrawingFeatures FeaturesOfDrawing(const KOnes& doc) {
  KDrawingFeatures out;
  for (const auto& owned : doc.entries) {
    const KEntry& entry = *owned;
    KFeature f;
    if (const auto* curve = entry.kind == kKindPolyline ? entry.As<KCurve>() : nullptr) {
      if (CurveFeature(entry, *curve, f)) out.features.push_back(std::move(f));
      else ++out.skipped;
    } else if (const auto* point = entry.As<KPointText>()) {
      f = Attributed(entry, KFeatureShape::kPoint);
      f.points.push_back({point->x, point->y, point->z});
      f.hasZ = true;
      f.z = point->z;
      f.name = point->label.str();
      out.features.push_back(std::move(f));
    } else if (const auto* text = entry.As<KText>()) {
      f = Attributed(entry, KFeatureShape::kPoint);
      f.points.push_back({text->x, text->y, 0.0});
      f.text = text->text.str();
      f.height = text->height;
      f.angle = text->angle;
      out.features.push_back(std::move(f));
    } else if (const auto* list = entry.As<KXyzList>()) {
      AddXyz(entry, *list, out.features);
    } else {
      ++out.skipped;
    }
  }
  return out;
}

KAddedCounts AddFeatures(KOnes& doc, const std::vector<KFeature>& features, bool xyzLists) {
  KAddedCounts counts;
  std::map<std::string, std::vector<KOne>> lists;  // layer -> its points, with xyzLists
  std::vector<std::string> listOrder;
  for (const KFeature& f : features) {
    if (!Finite(f)) {
      ++counts.skipped;
      continue;
    }
    doc.SelectLayer(f.layer.empty() ? std::string("0") : f.layer);
    const std::optional<int> colour = f.colour ? DocumentColourOf(*f.colour) : std::nullopt;
    doc.currentColour = colour ? *colour : 0;
    const KFeaturePoint& first = f.points.front();
    if (f.shape != KFeatureShape::kPoint) {
      std::unique_ptr<KCurve> curve = CurveOf(f);
      if (!curve) {
        ++counts.skipped;
        continue;
      }
      doc.AddEntry(kKindPolyline, std::move(curve));
      ++counts.polylines;
    } else if (!f.text.empty()) {
      auto text = std::make_unique<KText>();
      text->x = first.x;
      text->y = first.y;
      text->text = f.text;
      text->height = Usable(f.height) && *f.height > 0 ? *f.height : 1.0;
      text->width = 0.4 * text->height;  // as the drawing reader sizes the cell
      text->angle = Usable(f.angle) ? *f.angle : 0.0;
      doc.AddEntry(kKindText, std::move(text));
      ++counts.texts;
    } else if (xyzLists) {
      auto [at, fresh] = lists.try_emplace(f.layer);
      if (fresh) listOrder.push_back(f.layer);
      at->second.push_back({first.x, first.y, PointZ(f)});
      ++counts.xyzPoints;
    } else {
      auto point = std::make_unique<KPointText>();
      point->x = first.x;
      point->y = first.y;
      point->z = PointZ(f);
      point->label = KSmallString(f.name);
      doc.AddEntry(kKindPoint, std::move(point));
      ++counts.points;
    }
  }
  for (const std::string& layer : listOrder) {
    doc.SelectLayer(layer.empty() ? std::string("0") : layer);
    doc.currentColour = 0;
    auto list = std::make_unique<KXyzList>();
    const std::vector<KOne>& points = lists[layer];
    list->Assign(points.data(), points.size());
    doc.AddEntry(kKindXyz, std::move(list));
  }
  return counts;
}
