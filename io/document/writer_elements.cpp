// The element lines of every entry kind.
#include <cmath>

#include "model/curves/kcurve_array.h"
#include "model/document/elements.h"
#include "model/document/kentry.h"
#include "io/document/lexer.h"
#include "model/grid/kgrid3d.h"
#include "model/grid/kxyz_list.h"
#include "io/document/writer_parts.h"

namespace {

// TEXT makes the character cell this much as wide as it is high.
constexpr double kTextWidthRatio = 0.4;
constexpr double kSameWidth = 1e-12;

std::string N(double v) { return FormatNumber(v); }
std::string F(double v) { return FormatFixed6(v); }

// The reader takes a point's coordinates as one word of at most this many
// bytes; six decimals of values beyond about 1e80 can make it longer.
constexpr std::size_t kMaxPointWord = 255;

void WritePoint(KOutput& out, const KPointText& p) {
  std::string coords = F(p.x) + "," + F(p.y) + "," + F(p.z);
  if (coords.size() > kMaxPointWord) coords = FormatShortest(p.x) + "," + FormatShortest(p.y) + "," + FormatShortest(p.z);
  out << "point " << coords << " " << OneWord(p.label) << kCrLf;
}

void WriteInsert(KOutput& out, const KInsert& i) {
  // A name that fills the reader's token buffer ends there: a blank after
  // it would be read as an empty position.
  const std::string name = OneWord(i.blockName).substr(0, kReadBufferSize);
  out << "Insert " << name << (name.size() < kReadBufferSize ? " " : "") << F(i.x) << "," << F(i.y) << " "
      << F(i.ySize) << " " << F(i.xSize) << " " << F(i.angle) << kCrLf;
}

// The font members a file sets (the renderer fills height, width and
// escapement) are at their defaults.
bool DefaultFont(const KLogFont& f) {
  const KLogFont d;
  return f.orientation == d.orientation && f.weight == d.weight && f.italic == d.italic &&
         f.underline == d.underline && f.strikeOut == d.strikeOut && f.charSet == d.charSet &&
         f.outPrecision == d.outPrecision && f.clipPrecision == d.clipPrecision && f.quality == d.quality &&
         f.pitchAndFamily == d.pitchAndFamily && f.faceName.empty();
}

// A "text" line says position, height, angle and text; the width follows
// from the height and the font is the default one.
bool SaysAll(const KText& t) {
  const double width = kTextWidthRatio * t.height;
  const bool sameWidth = t.width == width || (std::isnan(t.width) && std::isnan(width)) ||
                         std::fabs(t.width - width) <= kSameWidth * std::fabs(t.height);
  return sameWidth && DefaultFont(t.font);
}

void WriteText(KOutput& out, const KText& t) {
  const std::string text = OneLine(t.text);
  if (!t.fromFont && SaysAll(t)) {
    out << "text " << F(t.x) << "," << F(t.y) << " " << F(t.height) << " " << F(t.angle) << " ";
    WriteRestOfLine(out, text, kCrLf);
    return;
  }
  out << "FONT " << N(t.x) << "," << N(t.y) << kCrLf;
  WriteRestOfLine(out, text, kCrLf);
  out << N(t.width) << " " << N(t.height) << " " << N(t.angle) << " " << FontFields(t.font) << kCrLf;
}

// The image file is named by one word; the corners come one per line.
// Without a file name the mode would be taken for the name, so it is left
// out (and reads back as 0).
void WriteBitmap(KOutput& out, const KBmpIn& b) {
  const std::string name = OneWord(b.fileName);
  out << "BMPIN ";
  WriteRestOfLine(out, name.empty() ? name : name + " " + std::to_string(b.mode), kCrLf);
  out << N(b.x) << "," << N(b.y) << kCrLf;
  out << N(b.x + b.width) << "," << N(b.y + b.height) << kCrLf;
}

// The grid file path is the rest of the keyword's line; position and size
// come from the file when it is read again.
void WriteGrid(KOutput& out, const KGrid3D& g) {
  out << "GRID3D ";
  WriteRestOfLine(out, OneLine(g.fileName), kCrLf);
}

void WriteLogo(KOutput& out, const KLogo& l) {
  out << "LOGO " << N(l.x) << "," << N(l.y) << " " << N(l.height) << " " << N(l.width) << " " << N(l.angle)
      << kCrLf;
}

}  // namespace

void WriteElement(KOutput& out, const KEntry& entry) {
  switch (entry.kind) {
    case kKindPolyline:
      if (const auto* c = entry.As<KCurve>()) WritePolyline(out, *c);
      break;
    case kKindCurveArray:
      if (const auto* a = entry.As<KCurveArray>()) WriteCurveArray(out, *a);
      break;
    case kKindPoint:
      if (const auto* p = entry.As<KPointText>()) WritePoint(out, *p);
      break;
    case kKindInsert:
      if (const auto* i = entry.As<KInsert>()) WriteInsert(out, *i);
      break;
    case kKindText:
      if (const auto* t = entry.As<KText>()) WriteText(out, *t);
      break;
    case kKindBitmap:
      if (const auto* b = entry.As<KBmpIn>()) WriteBitmap(out, *b);
      break;
    case kKindGrid:
      if (const auto* g = entry.As<KGrid3D>()) WriteGrid(out, *g);
      break;
    case kKindLogo:
      if (const auto* l = entry.As<KLogo>()) WriteLogo(out, *l);
      break;
    case kKindXyz:
      if (const auto* x = entry.As<KXyzList>()) x->Write(out);
      break;
    default:
      break;  // step lists: only at the head of a document
  }
}
