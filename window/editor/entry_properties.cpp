#include "window/editor/entry_properties.h"

#include <cmath>

#include "model/document/elements.h"
#include "model/document/kentry.h"
#include "model/document/klayer.h"
#include "model/document/kones.h"

namespace {
// Document colours are minus r + 256 g + 65536 b.
constexpr int kColourBase = 256;

bool InByte(const std::optional<int>& v) { return !v || (*v >= 0 && *v < kColourBase); }

bool FiniteAll(const std::vector<double>& values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

}  // namespace

bool EntryEditFits(const KEntry& entry, const KEntryEdit& edit, std::string& why) {
  if (!InByte(edit.red) || !InByte(edit.green) || !InByte(edit.blue)) {
    why = "a colour component lies outside 0 to 255";
    return false;
  }
  const auto* curve = entry.As<KCurve>();
  const auto* point = entry.As<KPointText>();
  if ((edit.width || edit.code) && !curve) {
    why = "only a polyline has a width and a code";
    return false;
  }
  if (edit.width && !(std::isfinite(*edit.width) && *edit.width >= 0.0)) {
    why = "the width must be a number of at least 0";
    return false;
  }
  if (edit.name && !curve && !point) {
    why = "this kind of entry has no name";
    return false;
  }
  if (edit.z) {
    const std::size_t n = curve ? static_cast<std::size_t>(curve->count) : point ? 1 : 0;
    if (n == 0 || (edit.z->size() != 1 && edit.z->size() != n)) {
      why = curve ? "give one z, or one z for each of the " + std::to_string(n) + " vertices"
                  : "this kind of entry has no z";
      return false;
    }
    if (!FiniteAll(*edit.z)) {
      why = "z must be a number";
      return false;
    }
  }
  return true;
}

const char* EntryKindName(int kind) {
  switch (kind) {
    case kKindPolyline: return "polyline";
    case kKindCurveArray: return "curve array";
    case kKindPoint: return "point";
    case kKindInsert: return "insert";
    case kKindText: return "text";
    case kKindBitmap: return "bitmap";
    case kKindGrid: return "grid";
    case kKindLogo: return "logo";
    case kKindXyz: return "x, y, z list";
    case kKindStepList: return "step list";
    default: return "entry";
  }
}

KEntryProperties PropertiesOf(const KEntry& entry) {
  KEntryProperties p;
  p.kind = EntryKindName(entry.kind);
  if (entry.layer) p.layer = entry.layer->name.str();
  p.editable = entry.layer && entry.layer->state == kViewAndEdit;
  const int rgb = -entry.colour;
  p.red = rgb % kColourBase;
  p.green = rgb / kColourBase % kColourBase;
  p.blue = rgb / (kColourBase * kColourBase) % kColourBase;
  p.name = EntryName(entry);
  if (const auto* curve = entry.As<KCurve>()) {
    p.hasName = p.hasWidthAndCode = p.hasZ = p.movable = true;
    p.width = curve->width();
    p.code = curve->code();
    p.z.assign(curve->z(), curve->z() + curve->count);
  } else if (const auto* point = entry.As<KPointText>()) {
    p.hasName = p.hasZ = p.movable = true;
    p.z = {point->z};
  }
  return p;
}

bool ApplyEntryEdit(KEntry& entry, const KEntryEdit& edit, std::string& why) {
  if (!EntryEditFits(entry, edit, why)) return false;
  if (edit.red || edit.green || edit.blue) {
    const KEntryProperties now = PropertiesOf(entry);
    entry.colour = -(edit.red.value_or(now.red) + kColourBase * edit.green.value_or(now.green) +
                     kColourBase * kColourBase * edit.blue.value_or(now.blue));
  }
  if (auto* curve = entry.As<KCurve>()) {
    if (edit.name) curve->SetName(*edit.name);
    if (edit.width) curve->SetWidth(*edit.width);
    if (edit.code) curve->SetCode(*edit.code);
    if (edit.z) {
      double* z = curve->z();
      for (int i = 0; i < curve->count; ++i) z[i] = edit.z->size() == 1 ? edit.z->front() : (*edit.z)[i];
      // A curve with z is written with it; the reader then takes a third value.
      if (curve->dimension < 3) curve->dimension = 3;
    }
  } else if (auto* point = entry.As<KPointText>()) {
    if (edit.name) point->label = KSmallString(*edit.name);
    if (edit.z) point->z = edit.z->front();
  }
  return true;
}
