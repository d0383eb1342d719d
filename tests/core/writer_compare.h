#pragma once
// Deep comparison of a document with the one read back from its saved text:
// entries in order (kind, colour, layer name and state, effective text
// properties and embellishment, record), layers, blocks, and the reading
// state a document ends with. Numbers are compared to the precision they
// are written with. Returns the first difference, or "" when none.
//
// What the format writes differently by design is expected here too: a
// curve array comes back as one polyline per element, and a step list
// anywhere but at the head of a document is not written.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "curves/kcurve_array.h"
#include "curves/kembellish.h"
#include "document/elements.h"
#include "document/kones.h"
#include "document/io/writer_parts.h"
#include "grid/kgrid3d.h"
#include "grid/kxyz_list.h"

namespace writer_compare {

// Relative tolerances of the two number formats: ten decimals, and "%lf".
constexpr double kTen = 2e-10;
constexpr double kSix = 2e-6;

inline bool Near(double a, double b, double tol) {
  if (a == b || (std::isnan(a) && std::isnan(b))) return true;
  return std::fabs(a - b) <= tol * std::max(1.0, std::fabs(a));
}

class Differ {
public:
  std::string first;

  bool Check(bool same, const std::string& what) {
    if (!same && first.empty()) first = where_ + what;
    return same;
  }
  void Num(double a, double b, double tol, const char* what) {
    char text[160];
    std::snprintf(text, sizeof text, "%s: %.17g vs %.17g", what, a, b);
    Check(Near(a, b, tol), text);
  }
  void Int(long long a, long long b, const char* what) {
    Check(a == b, std::string(what) + ": " + std::to_string(a) + " vs " + std::to_string(b));
  }
  void Str(const std::string& a, const std::string& b, const char* what) {
    Check(a == b, std::string(what) + ": \"" + a + "\" vs \"" + b + "\"");
  }

  void TextProperties(const KTextProperties* a, const KTextProperties* b, const char* what) {
    if (!Check((a == nullptr) == (b == nullptr), std::string(what) + ": present in one only") || !a) return;
    const std::string at = std::string(what) + " ";
    Str(a->markName, b->markName, (at + "mark name").c_str());
    const KLogFont& f = a->labelFont;
    const KLogFont& g = b->labelFont;
    Int(f.orientation, g.orientation, "label font orientation");
    Int(f.weight, g.weight, "label font weight");
    const std::uint8_t fa[] = {f.italic, f.underline, f.strikeOut, f.charSet, f.outPrecision, f.clipPrecision,
                               f.quality, f.pitchAndFamily};
    const std::uint8_t ga[] = {g.italic, g.underline, g.strikeOut, g.charSet, g.outPrecision, g.clipPrecision,
                               g.quality, g.pitchAndFamily};
    for (int i = 0; i < 8; ++i) Int(fa[i], ga[i], "label font byte member");
    Str(f.faceName, g.faceName, "label font face");
    Num(a->markHeight, b->markHeight, kTen, "mark height");
    Num(a->markWidth, b->markWidth, kTen, "mark width");
    Num(a->markAngle, b->markAngle, kTen, "mark angle");
    Num(a->labelHeight, b->labelHeight, kTen, "label height");
    Num(a->labelWidth, b->labelWidth, kTen, "label width");
    Num(a->labelAngle, b->labelAngle, kTen, "label angle");
    Num(a->labelOffsetX, b->labelOffsetX, kTen, "label offset x");
    Num(a->labelOffsetY, b->labelOffsetY, kTen, "label offset y");
    Int(a->labelColour, b->labelColour, "label colour");
  }

  void Line(const KLineItem& a, const KLineItem& b) {
    Num(a.width, b.width, kTen, "line width");
    Int(a.colour, b.colour, "line colour");
    Int(a.style, b.style, "line style");
    Int(a.squareCap, b.squareCap, "square cap");
    Int(static_cast<long long>(a.dashes.size()), static_cast<long long>(b.dashes.size()), "dash count");
    for (std::size_t i = 0; i < a.dashes.size() && i < b.dashes.size(); ++i)
      Num(a.dashes[i], b.dashes[i], kTen, "dash");
  }

  void Item(const KEmbellish::CurvePlay& a, const KEmbellish::CurvePlay& b) {
    Int(a.type, b.type, "item type");
    if (!Check(a.item.index() == b.item.index(), "item record kind")) return;
    if (auto* x = std::get_if<KArrowItem>(&a.item)) {
      const auto& y = std::get<KArrowItem>(b.item);
      Num(x->size, y.size, kTen, "arrow size");
      Int(x->colour, y.colour, "arrow colour");
    } else if (auto* x = std::get_if<KNameItem>(&a.item)) {
      const auto& y = std::get<KNameItem>(b.item);
      Line(*x, y);
      Int(x->textColour, y.textColour, "name text colour");
      Num(x->charSize, y.charSize, kTen, "name size");
      Int(x->repetitions, y.repetitions, "name repetitions");
      Num(x->offset, y.offset, kTen, "name offset");
      Num(x->lineWidth, y.lineWidth, kTen, "name line width");
    } else if (auto* x = std::get_if<KLineItem>(&a.item)) {
      Line(*x, std::get<KLineItem>(b.item));
    } else if (auto* x = std::get_if<KMarkItem>(&a.item)) {
      const auto& y = std::get<KMarkItem>(b.item);
      const double av[] = {x->step, x->sizeX, x->sizeY, x->angleOffset, x->start, x->end, x->offset};
      const double bv[] = {y.step, y.sizeX, y.sizeY, y.angleOffset, y.start, y.end, y.offset};
      for (int i = 0; i < 7; ++i) Num(av[i], bv[i], kTen, "mark item value");
      Int(x->scaleToLength, y.scaleToLength, "scale to length");
      Int(x->style, y.style, "mark item style");
      Int(x->labelColour, y.labelColour, "mark item colour");
      Str(x->blockName, y.blockName, "mark item block");
    }
  }

  void Embellishment(const KEmbellish* a, const KEmbellish* b, const char* what) {
    if (!Check((a == nullptr) == (b == nullptr), std::string(what) + ": present in one only") || !a) return;
    Int(a->noDraw, b->noDraw, "no-draw flag");
    if (!Check(a->items.size() == b->items.size(), std::string(what) + ": item count")) return;
    for (std::size_t i = 0; i < a->items.size(); ++i) Item(a->items[i], b->items[i]);
  }

  void Layer(const KLayer* a, const KLayer* b) {
    if (!Check((a == nullptr) == (b == nullptr), "layer present in one only") || !a) return;
    Str(a->name, b->name, "layer name");
    Int(a->state, b->state, "layer state");
    TextProperties(a->textProperties.get(), b->textProperties.get(), "layer text properties");
    Embellishment(a->embellishment.get(), b->embellishment.get(), "layer embellishment");
  }

  // A group's polyline is written with its z and s, so its dimension grows.
  void Curve(const KCurve& a, const KCurve& b, bool sameDimension) {
    // Polyline names are one word and read back in upper case.
    std::string name = OneWord(a.name);
    for (char& c : name)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    Str(name, b.name, "polyline name");
    Int(a.count, b.count, "vertex count");
    Int(a.closure, b.closure, "closure");
    Int(a.code, b.code, "code");
    Num(a.width, b.width, kTen, "pen width");
    // At most four values of a vertex are written.
    if (sameDimension) Int(std::min(a.dimension, 4), std::min(b.dimension, 4), "dimension");
    if (a.count != b.count) return;
    for (int i = 0; i < a.count + (a.IsClosed() ? 2 : 0); ++i) {
      Num(a.x()[i], b.x()[i], kTen, "x");
      Num(a.y()[i], b.y()[i], kTen, "y");
      Num(a.z()[i], b.z()[i], kTen, "z");
      Num(a.s()[i], b.s()[i], kTen, "s");
    }
  }

  void Steps(const KStepList& a, const KStepList& b) {
    if (!Check(a.steps.size() == b.steps.size(), "step count")) return;
    for (std::size_t i = 0; i < a.steps.size(); ++i) {
      const KStep& s = a.steps[i];
      const KStep& t = b.steps[i];
      Int(s.runCount, t.runCount, "run count");
      Int(s.hasCommand, t.hasCommand, "has command");
      Int(s.hasRemark, t.hasRemark, "has remark");
      Int(s.hasComment, t.hasComment, "has comment");
      Str(s.command, t.command, "command");
      Str(s.remark, t.remark, "remark");
      Str(s.comment, t.comment, "comment");
    }
  }

  void Record(int kind, const KRecord* a, const KRecord* b) {
    if (!Check(a && b, "record missing")) return;
    switch (kind) {
      case kKindPolyline:
        Curve(*dynamic_cast<const KCurve*>(a), *dynamic_cast<const KCurve*>(b), true);
        break;
      case kKindPoint: {
        auto& p = *dynamic_cast<const KPointText*>(a);
        auto& q = *dynamic_cast<const KPointText*>(b);
        Num(p.x, q.x, kSix, "point x");
        Num(p.y, q.y, kSix, "point y");
        Num(p.z, q.z, kSix, "point z");
        Str(p.label, q.label, "label");
        break;
      }
      case kKindInsert: {
        auto& p = *dynamic_cast<const KInsert*>(a);
        auto& q = *dynamic_cast<const KInsert*>(b);
        Str(p.blockName, q.blockName, "insert block");
        Num(p.x, q.x, kSix, "insert x");
        Num(p.y, q.y, kSix, "insert y");
        Num(p.xSize, q.xSize, kSix, "insert x size");
        Num(p.ySize, q.ySize, kSix, "insert y size");
        Num(p.angle, q.angle, kSix, "insert angle");
        break;
      }
      case kKindText: {
        auto& p = *dynamic_cast<const KText*>(a);
        auto& q = *dynamic_cast<const KText*>(b);
        Str(p.text, q.text, "text");
        Int(p.fromFont, q.fromFont, "text from FONT");
        Num(p.x, q.x, kSix, "text x");
        Num(p.y, q.y, kSix, "text y");
        Num(p.width, q.width, kSix, "text width");
        Num(p.height, q.height, kSix, "text height");
        Num(p.angle, q.angle, kSix, "text angle");
        KTextProperties fa, fb;
        fa.labelFont = p.font;
        fb.labelFont = q.font;
        TextProperties(&fa, &fb, "text font");
        break;
      }
      case kKindBitmap:
      case kKindGrid: {
        auto& p = *dynamic_cast<const KBmpIn*>(a);
        auto& q = *dynamic_cast<const KBmpIn*>(b);
        Str(p.fileName, q.fileName, "raster file");
        if (kind == kKindBitmap) Int(p.mode, q.mode, "bitmap mode");
        Num(p.x, q.x, kTen, "raster x");
        Num(p.y, q.y, kTen, "raster y");
        Num(p.width, q.width, kTen, "raster width");
        Num(p.height, q.height, kTen, "raster height");
        Int(p.image.width, q.image.width, "image width");
        Int(p.image.height, q.image.height, "image height");
        break;
      }
      case kKindLogo: {
        auto& p = *dynamic_cast<const KLogo*>(a);
        auto& q = *dynamic_cast<const KLogo*>(b);
        const double av[] = {p.x, p.y, p.width, p.height, p.angle};
        const double bv[] = {q.x, q.y, q.width, q.height, q.angle};
        for (int i = 0; i < 5; ++i) Num(av[i], bv[i], kTen, "logo value");
        break;
      }
      case kKindXyz: {
        auto& p = *dynamic_cast<const KXyzList*>(a);
        auto& q = *dynamic_cast<const KXyzList*>(b);
        if (!Check(p.points.size() == q.points.size(), "x, y, z point count")) break;
        for (std::size_t i = 0; i < p.points.size(); ++i) {
          Num(p.points[i].x, q.points[i].x, kTen, "xyz x");
          Num(p.points[i].y, q.points[i].y, kTen, "xyz y");
          Num(p.points[i].z, q.points[i].z, kTen, "xyz z");
          Num(p.points[i].w, q.points[i].w, kTen, "xyz w");
          Int(p.points[i].tag, q.points[i].tag, "xyz tag");
        }
        break;
      }
      case kKindStepList:
        Steps(*dynamic_cast<const KStepList*>(a), *dynamic_cast<const KStepList*>(b));
        break;
      default:
        break;
    }
  }

  // An entry as it is expected to read back: curve arrays as polylines.
  struct Expected {
    const KEntry* entry;
    const KCurve* element;   // for an element of a curve array
    bool group;
  };

  static std::vector<Expected> ExpectedEntries(const KOnes& doc) {
    std::vector<Expected> out;
    for (std::size_t i = 0; i < doc.entries.size(); ++i) {
      const KEntry& e = *doc.entries[i];
      if (e.kind == kKindStepList && i != 0) continue;
      if (e.kind == kKindCurveArray) {
        // The reader keeps only polylines of two points or more that have a
        // length (a group of one curve has one point).
        for (const auto& element : e.As<KCurveArray>()->elements)
          if (element && element->count >= 2 && element->Length() >= 1e-6)
            out.push_back({&e, element.get(), dynamic_cast<const KCurveGroup*>(element.get()) != nullptr});
        continue;
      }
      out.push_back({&e, nullptr, false});
    }
    return out;
  }

  void Document(const KOnes& a, const KOnes& b, bool topLevel) {
    const std::vector<Expected> expected = ExpectedEntries(a);
    if (!Check(expected.size() == b.entries.size(), "entry count " + std::to_string(expected.size()) + " vs " +
                                                          std::to_string(b.entries.size())))
      return;
    const std::string outer = where_;
    for (std::size_t i = 0; i < expected.size() && first.empty(); ++i) {
      where_ = outer + "entry " + std::to_string(i) + ": ";
      const KEntry& e = *expected[i].entry;
      const KEntry& f = *b.entries[i];
      Int(expected[i].element ? kKindPolyline : e.kind, f.kind, "kind");
      if (!first.empty()) break;
      Int(e.colour, f.colour, "colour");
      Layer(e.layer, f.layer);
      TextProperties(e.EffectiveTextProperties(), f.EffectiveTextProperties(), "effective text properties");
      Embellishment(e.EffectiveEmbellishment(), f.EffectiveEmbellishment(), "effective embellishment");
      if (expected[i].element)
        Curve(*expected[i].element, *f.As<KCurve>(), !expected[i].group);
      else
        Record(e.kind, e.record.get(), f.record.get());
    }
    where_ = outer;

    for (const auto& layer : a.OwnedLayers()) {
      where_ = outer + "layer \"" + layer->name + "\": ";
      Layer(layer.get(), b.layers.LookupPath(layer->name));
    }
    where_ = outer;

    a.blocks.EnumeratePaths("", [&](const std::string& path, KOnes* block) {
      KOnes* other = b.blocks.LookupPath(path);
      if (!Check(other != nullptr, "block \"" + path + "\" missing") || !block) return;
      const std::string saved = where_;
      where_ = saved + "block \"" + path + "\": ";
      Document(*block, *other, false);
      where_ = saved;
    });
    int blocksB = 0, blocksA = 0;
    a.blocks.EnumeratePaths("", [&](const std::string&, KOnes*) { ++blocksA; });
    b.blocks.EnumeratePaths("", [&](const std::string&, KOnes*) { ++blocksB; });
    Int(blocksA, blocksB, "block count");

    if (topLevel) {
      Int(a.currentColour, b.currentColour, "current colour at the end");
      TextProperties(a.pendingTextProperties.get(), b.pendingTextProperties.get(), "pending text properties");
      Embellishment(a.pendingEmbellishment.get(), b.pendingEmbellishment.get(), "pending embellishment");
      Str(a.currentLayer ? a.currentLayer->name : "(none)", b.currentLayer ? b.currentLayer->name : "(none)",
          "current layer at the end");
    }
  }

private:
  std::string where_;
};

// "" when b is what a reads back as; else the first difference.
inline std::string Differences(const KOnes& a, const KOnes& b) {
  Differ d;
  d.Document(a, b, true);
  return d.first;
}

}  // namespace writer_compare
