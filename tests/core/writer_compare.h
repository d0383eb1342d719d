#pragma once
// Deep comparison of a document with the one read back from its saved text:
// entries in order (kind, colour, layer name and state, effective text
// properties and embellishment, record), layers, blocks, and the reading
// state a document ends with. Each part is flattened into named fields, and
// numbers are compared to the precision they are written with. Returns the
// first difference, or "" when none.
//
// What the format writes differently by design is expected here too: a
// curve array comes back as one polyline per element, and a step list
// anywhere but at the head of a document is not written.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "model/curves/kcurve_array.h"
#include "model/curves/kembellish.h"
#include "model/document/elements.h"
#include "io/document/writer_parts.h"
#include "model/document/kones.h"
#include "model/grid/kgrid3d.h"
#include "model/grid/kxyz_list.h"

namespace writer_compare {

// A field's value: text and integers compare exactly, numbers to the
// precision they are written with (ten decimals, or "%lf").
struct Value {
  Value(long long n) : text(std::to_string(n)) {}
  Value(std::string t) : text(std::move(t)) {}
  Value(double v, double t) : number(v), tolerance(t) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    text = buffer;
  }
  bool Same(const Value& o) const {
    if (tolerance < 0 || o.tolerance < 0) return text == o.text;
    const double a = number, b = o.number;
    return a == b || (std::isnan(a) && std::isnan(b)) || std::fabs(a - b) <= tolerance * std::max(1.0, std::fabs(a));
  }
  std::string text;
  double number = 0, tolerance = -1;
};
inline Value Ten(double v) { return {v, 2e-10}; }
inline Value Six(double v) { return {v, 2e-6}; }

class Fields {
public:
  Fields& operator()(const std::string& name, Value value) {
    list_.emplace_back(prefix_ + name, std::move(value));
    return *this;
  }
  // Fields added inside fn get "what " in front of their names.
  template <class Fn>
  void Nested(const std::string& what, Fn fn) {
    const std::string saved = prefix_;
    prefix_ += what + " ";
    fn();
    prefix_ = saved;
  }
  // The first field that differs from other's, or "".
  std::string FirstDifference(const Fields& other) const {
    for (std::size_t i = 0; i < std::max(list_.size(), other.list_.size()); ++i) {
      if (i >= list_.size() || i >= other.list_.size() || list_[i].first != other.list_[i].first)
        return "fields differ at " + (i < list_.size() ? list_[i].first : other.list_[i].first);
      if (!list_[i].second.Same(other.list_[i].second))
        return list_[i].first + ": \"" + list_[i].second.text + "\" vs \"" + other.list_[i].second.text + "\"";
    }
    return "";
  }

private:
  std::string prefix_;
  std::vector<std::pair<std::string, Value>> list_;
};

inline void Add(Fields& f, const KLogFont& g) {
  for (auto [name, value] : {std::pair<const char*, long long>{"orientation", g.orientation}, {"weight", g.weight},
                             {"italic", g.italic}, {"underline", g.underline}, {"strike out", g.strikeOut},
                             {"char set", g.charSet}, {"out precision", g.outPrecision},
                             {"clip precision", g.clipPrecision}, {"quality", g.quality},
                             {"pitch and family", g.pitchAndFamily}})
    f(name, value);
  f("face", g.faceName.str());
}

inline void Add(Fields& f, const KTextProperties* tp) {
  f("present", tp != nullptr);
  if (!tp) return;
  f("mark name", tp->markName);
  f.Nested("label font", [&] { Add(f, tp->labelFont); });
  f("mark height", Ten(tp->markHeight))("mark width", Ten(tp->markWidth))("mark angle", Ten(tp->markAngle));
  f("label height", Ten(tp->labelHeight))("label width", Ten(tp->labelWidth))("label angle", Ten(tp->labelAngle));
  f("label offset x", Ten(tp->labelOffsetX))("label offset y", Ten(tp->labelOffsetY));
  f("label colour", tp->labelColour);
}

inline void Add(Fields& f, const KLineItem& l) {
  f("line width", Ten(l.width))("line colour", l.colour)("line style", l.style)("square cap", l.squareCap);
  f("dash count", static_cast<long long>(l.dashes.size()));
  for (double d : l.dashes) f("dash", Ten(d));
}

inline void Add(Fields& f, const KEmbellish* em) {
  f("present", em != nullptr);
  if (!em) return;
  f("no-draw", em->noDraw)("item count", static_cast<long long>(em->items.size()));
  for (const auto& play : em->items) {
    f("item type", play.type)("item kind", static_cast<long long>(play.item.index()));
    if (auto* a = std::get_if<KArrowItem>(&play.item)) {
      f("arrow size", Ten(a->size))("arrow colour", a->colour);
    } else if (auto* n = std::get_if<KNameItem>(&play.item)) {
      Add(f, static_cast<const KLineItem&>(*n));
      f("name text colour", n->textColour)("name size", Ten(n->charSize))("name repetitions", n->repetitions);
      f("name offset", Ten(n->offset))("name line width", Ten(n->lineWidth));
    } else if (auto* l = std::get_if<KLineItem>(&play.item)) {
      Add(f, *l);
    } else if (auto* m = std::get_if<KMarkItem>(&play.item)) {
      for (double v : {m->step, m->sizeX, m->sizeY, m->angleOffset, m->start, m->end, m->offset})
        f("mark item value", Ten(v));
      f("scale to length", m->scaleToLength)("mark item style", m->style)("mark item colour", m->labelColour);
      f("mark item block", m->blockName);
    }
  }
}

inline void Add(Fields& f, const KLayer* layer) {
  f("present", layer != nullptr);
  if (!layer) return;
  f("name", layer->name.str())("state", layer->state);
  f.Nested("text properties", [&] { Add(f, layer->TextProperties().get()); });
  f.Nested("embellishment", [&] { Add(f, layer->Embellishment().get()); });
}

// A group's polyline is written with its z and s, so its dimension grows.
inline void Add(Fields& f, const KCurve& c, bool withDimension) {
  // Polyline names are one word and read back in upper case.
  std::string name = OneWord(c.name());
  std::transform(name.begin(), name.end(), name.begin(), [](char ch) {
    return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
  });
  f("polyline name", name)("vertex count", c.count)("closure", c.closure)("code", c.code());
  f("pen width", Ten(c.width()));
  // At most four values of a vertex are written.
  if (withDimension) f("dimension", std::min<int>(c.dimension, 4));
  for (int i = 0; i < c.count + (c.IsClosed() ? 2 : 0); ++i)
    f("x", Ten(c.x()[i]))("y", Ten(c.y()[i]))("z", Ten(c.z()[i]))("s", Ten(c.s()[i]));
}

inline void AddRecord(Fields& f, int kind, const KRecord* r) {
  f("record present", r != nullptr);
  if (!r) return;
  if (auto* p = dynamic_cast<const KPointText*>(r))
    f("point x", Six(p->x))("point y", Six(p->y))("point z", Six(p->z))("label", p->label.str());
  if (auto* p = dynamic_cast<const KInsert*>(r)) {
    f("insert block", p->blockName)("insert x", Six(p->x))("insert y", Six(p->y));
    f("insert x size", Six(p->xSize))("insert y size", Six(p->ySize))("insert angle", Six(p->angle));
  }
  if (auto* t = dynamic_cast<const KText*>(r)) {
    f("text", t->text.str())("text from FONT", t->fromFont)("text x", Six(t->x))("text y", Six(t->y));
    f("text width", Six(t->width))("text height", Six(t->height))("text angle", Six(t->angle));
    f.Nested("text font", [&] { Add(f, t->font); });
  }
  if (auto* b = dynamic_cast<const KBmpIn*>(r)) {
    f("raster file", b->fileName);
    if (kind == kKindBitmap) f("bitmap mode", b->mode);
    f("raster x", Ten(b->x))("raster y", Ten(b->y))("raster width", Ten(b->width))("raster height", Ten(b->height));
    f("image width", b->image.width)("image height", b->image.height);
  }
  if (auto* l = dynamic_cast<const KLogo*>(r))
    for (double v : {l->x, l->y, l->width, l->height, l->angle}) f("logo value", Ten(v));
  if (auto* x = dynamic_cast<const KXyzList*>(r)) {
    f("x, y, z point count", static_cast<long long>(x->size()));
    x->ForEach([&](const KOne& p) {
      f("xyz x", Ten(p.x))("xyz y", Ten(p.y))("xyz z", Ten(p.z))("xyz w", Ten(p.w))("xyz tag", p.tag);
    });
  }
  if (auto* s = dynamic_cast<const KStepList*>(r)) {
    f("step count", static_cast<long long>(s->steps.size()));
    for (const KStep& t : s->steps) {
      f("run count", t.runCount)("has command", t.hasCommand)("has remark", t.hasRemark);
      f("has comment", t.hasComment)("command", t.command)("remark", t.remark)("comment", t.comment);
    }
  }
}

// An entry's fields; element stands for the entry when it is one of a curve
// array's, and a polyline's dimension is left out for the elements of groups.
inline Fields EntryFields(const KEntry& e, const KCurve* element = nullptr, bool withDimension = true) {
  Fields f;
  f("kind", element ? kKindPolyline : e.kind)("colour", e.colour);
  f.Nested("layer", [&] { Add(f, e.layer); });
  f.Nested("effective text properties", [&] { Add(f, e.EffectiveTextProperties()); });
  f.Nested("effective embellishment", [&] { Add(f, e.EffectiveEmbellishment()); });
  if (element || e.kind == kKindPolyline)
    Add(f, element ? *element : *e.As<KCurve>(), withDimension);
  else
    AddRecord(f, e.kind, e.record.get());
  return f;
}

// A curve-array element that would make no polyline, as the labelled point
// at its first vertex that stands for it.
inline Fields ElementPointFields(const KEntry& e, const KCurve& element) {
  Fields f;
  f("kind", kKindPoint)("colour", e.colour);
  f.Nested("layer", [&] { Add(f, e.layer); });
  f.Nested("effective text properties", [&] { Add(f, e.EffectiveTextProperties()); });
  f.Nested("effective embellishment", [&] { Add(f, e.EffectiveEmbellishment()); });
  KPointText point;
  point.x = element.x()[0];
  point.y = element.y()[0];
  point.z = element.z()[0];
  point.label = element.name().substr(0, element.name().find(' '));
  AddRecord(f, kKindPoint, &point);
  return f;
}

// The entries of a document as written, with whether each is the element of
// a group: an element of a curve array comes as a polyline of its own, or as
// a point where the reader would keep no polyline (fewer than two points or
// no length: a group of one curve has one point).
inline std::vector<std::pair<Fields, bool>> WrittenEntries(const KOnes& doc) {
  std::vector<std::pair<Fields, bool>> out;
  for (std::size_t i = 0; i < doc.entries.size(); ++i) {
    const KEntry& e = *doc.entries[i];
    if (e.kind == kKindStepList && i != 0) continue;
    if (e.kind != kKindCurveArray) {
      out.emplace_back(EntryFields(e), false);
      continue;
    }
    for (const auto& element : e.As<KCurveArray>()->elements) {
      if (!element || element->count < 1) continue;
      const bool group = dynamic_cast<const KCurveGroup*>(element.get()) != nullptr;
      if (element->count >= 2 && element->Length() >= 1e-6)
        out.emplace_back(EntryFields(e, element.get(), !group), group);
      else
        out.emplace_back(ElementPointFields(e, *element), false);
    }
  }
  return out;
}

// a as written, b as read back; where is put in front of the difference.
inline std::string DocumentDifference(const KOnes& a, const KOnes& b, bool topLevel, const std::string& where) {
  const auto written = WrittenEntries(a);
  if (written.size() != b.entries.size())
    return where + "entry count " + std::to_string(written.size()) + " vs " + std::to_string(b.entries.size());
  for (std::size_t i = 0; i < written.size(); ++i) {
    const KEntry& e = *b.entries[i];
    const auto d = written[i].first.FirstDifference(EntryFields(e, nullptr, !written[i].second));
    if (!d.empty()) return where + "entry " + std::to_string(i) + ": " + d;
  }
  for (const auto& layer : a.OwnedLayers()) {
    Fields fa, fb;
    Add(fa, layer);
    Add(fb, b.layers.LookupPath(layer->name));
    if (auto d = fa.FirstDifference(fb); !d.empty()) return where + "layer \"" + layer->name + "\": " + d;
  }
  std::string difference;
  int blocksA = 0, blocksB = 0;
  a.blocks.EnumeratePaths("", [&](const std::string& path, KOnes* block) {
    ++blocksA;
    KOnes* other = b.blocks.LookupPath(path);
    if (!difference.empty() || !block) return;
    if (!other)
      difference = where + "block \"" + path + "\" missing";
    else
      difference = DocumentDifference(*block, *other, false, where + "block \"" + path + "\": ");
  });
  b.blocks.EnumeratePaths("", [&](const std::string&, KOnes*) { ++blocksB; });
  if (!difference.empty()) return difference;
  if (blocksA != blocksB) return where + "block count " + std::to_string(blocksA) + " vs " + std::to_string(blocksB);
  if (!topLevel) return "";
  Fields fa, fb;
  for (auto [doc, f] : {std::pair{&a, &fa}, std::pair{&b, &fb}}) {
    (*f)("current colour at the end", doc->currentColour);
    f->Nested("pending text properties", [&] { Add(*f, doc->PendingTextProperties().get()); });
    f->Nested("pending embellishment", [&] { Add(*f, doc->PendingEmbellishment().get()); });
    (*f)("current layer at the end", doc->CurrentLayer() ? doc->CurrentLayer()->name.str() : "(none)");
  }
  return fa.FirstDifference(fb);
}

// "" when b is what a reads back as; else the first difference.
inline std::string Differences(const KOnes& a, const KOnes& b) { return DocumentDifference(a, b, true, ""); }

}  // namespace writer_compare
