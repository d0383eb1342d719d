// Embellish blocks: one item per line in the order the block reader takes
// them back, the NODRAW flag, and an empty line that ends the block.
#include <type_traits>

#include "model/curves/kembellish.h"
#include "io/document/writer_parts.h"

namespace {

// The word that gives a style code back; "N" (no such letter) gives plain.
const char* StyleWord(int style) {
  switch (style) {
    case kStyleFilled: return "S";
    case kStyleClosed: return "C";
    case kStyleSplineOpen: return "B";
    case kStyleSplineFilled: return "BS";
    case kStyleSplineClosed: return "BC";
    case kStyleDashed: return "V";
    default: return "N";
  }
}

// A dash pattern line: the values in the number format (digits, '-' and '.'
// only, as the line allows), separated by single blanks.
std::string DashLine(const std::vector<double>& dashes) {
  std::string line;
  for (double d : dashes) {
    if (!line.empty()) line += " ";
    line += FormatNumber(d);
  }
  return line;
}

std::string N(double v) { return FormatNumber(v); }
std::string I(int v) { return std::to_string(v); }

// Needs at least two values to be read back as a pattern.
constexpr std::size_t kMinDashes = 2;

void WriteArrow(KOutput& out, const char* keyword, const KArrowItem& a) {
  out << keyword << " " << N(a.size) << " " << I(a.colour) << kCrLf;
}

void WriteLine(KOutput& out, const KLineItem& l) {
  // The line item's reader knows no "V" style; plain is the nearest.
  const int style = l.style == kStyleDashed ? kStylePlain : l.style;
  out << "Properties " << N(l.width) << " " << I(l.colour) << " " << StyleWord(style) << " " << I(l.squareCap)
      << kCrLf;
  // The reader always takes one more word here: "Vir" announces a dash
  // pattern on the next line, any other word none.
  if (l.dashes.size() >= kMinDashes)
    out << "Vir" << kCrLf << DashLine(l.dashes) << kCrLf;
  else
    out << "Solid" << kCrLf;
}

void WriteName(KOutput& out, const KNameItem& n) {
  // A dash pattern comes only with the "V" style word, two lines further on.
  const bool dashed = n.style == kStyleDashed || n.dashes.size() >= kMinDashes;
  out << "InName " << N(n.charSize) << " " << I(n.repetitions) << " " << I(n.textColour) << " " << N(n.offset)
      << " " << N(n.lineWidth) << " " << I(n.colour) << " " << (dashed ? "V" : StyleWord(n.style)) << kCrLf;
  if (dashed) out << "Vir" << kCrLf << DashLine(n.dashes) << kCrLf;
}

std::string MarkValues(const KMarkItem& m) {
  return N(m.step) + " " + N(m.sizeX) + " " + N(m.sizeY) + " " + N(m.angleOffset) + " " + N(m.start) + " " +
         N(m.end) + " " + N(m.offset) + " " + I(m.scaleToLength) + " " +
         StyleWord(m.style == kStyleDashed ? kStylePlain : m.style);
}

void WriteMark(KOutput& out, int type, const KMarkItem& m) {
  if (type == KEmbellish::kScale)
    out << "Scale " << OneWord(m.blockName) << " " << MarkValues(m) << kCrLf;
  else
    out << "Locate " << MarkValues(m) << " " << I(m.labelColour) << kCrLf;
}

// True when the item's record is the one its type needs.
bool Writable(const KEmbellish::CurvePlay& play) {
  switch (play.type) {
    case KEmbellish::kArrowHead:
    case KEmbellish::kArrowTail: return std::holds_alternative<KArrowItem>(play.item);
    case KEmbellish::kProperties: return std::holds_alternative<KLineItem>(play.item);
    case KEmbellish::kInName: return std::holds_alternative<KNameItem>(play.item);
    case KEmbellish::kScale:
    case KEmbellish::kLocate: return std::holds_alternative<KMarkItem>(play.item);
    default: return false;
  }
}

void WriteItem(KOutput& out, const KEmbellish::CurvePlay& play) {
  std::visit(
      [&](const auto& item) {
        using T = std::decay_t<decltype(item)>;
        if constexpr (std::is_same_v<T, KArrowItem>) {
          if (play.type == KEmbellish::kArrowHead) WriteArrow(out, "ArrowHead", item);
          if (play.type == KEmbellish::kArrowTail) WriteArrow(out, "ArrowTail", item);
        } else if constexpr (std::is_same_v<T, KNameItem>) {
          if (play.type == KEmbellish::kInName) WriteName(out, item);
        } else if constexpr (std::is_same_v<T, KLineItem>) {
          if (play.type == KEmbellish::kProperties) WriteLine(out, item);
        } else if constexpr (std::is_same_v<T, KMarkItem>) {
          if (play.type == KEmbellish::kScale || play.type == KEmbellish::kLocate) WriteMark(out, play.type, item);
        }
      },
      play.item);
}

}  // namespace

bool CanWriteEmbellishment(const KEmbellish& embellish) {
  for (const KEmbellish::CurvePlay& play : embellish.items)
    if (Writable(play)) return true;
  return false;
}

void WriteEmbellishment(KOutput& out, const KEmbellish& embellish) {
  if (!CanWriteEmbellishment(embellish)) return;
  out << "Embellish" << kCrLf;
  for (const KEmbellish::CurvePlay& play : embellish.items) WriteItem(out, play);
  if (embellish.noDraw) out << "NoDraw" << kCrLf;
  // Any word that is not an item keyword ends the block; an empty line is
  // such a word and leaves nothing for the document reader to act on.
  out << kCrLf;
}
