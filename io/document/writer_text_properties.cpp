// TextProperties blocks and the font fields they share with FONT texts.
#include "platform/device/klogfont.h"
#include "model/document/ktext_properties.h"
#include "io/document/writer_parts.h"

namespace {

std::string Byte(std::uint8_t value) { return std::to_string(static_cast<unsigned>(value)); }

}  // namespace

std::string FontFields(const KLogFont& font) {
  std::string text = std::to_string(font.orientation) + " " + std::to_string(font.weight);
  for (std::uint8_t b : {font.italic, font.underline, font.strikeOut, font.charSet, font.outPrecision,
                         font.clipPrecision, font.quality, font.pitchAndFamily})
    text += " " + Byte(b);
  // Without a face name the last number ends its line and the reader keeps
  // the name empty; with one, the rest of the line is the name.
  const std::string face = OneLine(font.faceName.view().substr(0, KLogFont::kMaxFaceName));
  if (!face.empty()) text += " " + face;
  return text;
}

void WriteTextProperties(KOutput& out, const KTextProperties& tp) {
  out << "TextProperties" << kCrLf;
  out << "Font " << FontFields(tp.labelFont) << kCrLf;
  // The mark name is taken only as one word after three numbers.
  std::string mark = FormatNumber(tp.markHeight) + " " + FormatNumber(tp.markWidth) + " " +
                     FormatNumber(tp.markAngle);
  const std::string name = OneWord(tp.markName);
  if (!name.empty()) mark += " " + name;
  out << "Mark ";
  WriteRestOfLine(out, mark, kCrLf);
  out << "Text " << FormatNumber(tp.labelHeight) << " " << FormatNumber(tp.labelWidth) << " "
      << FormatNumber(tp.labelAngle) << " " << FormatNumber(tp.labelOffsetX) << " "
      << FormatNumber(tp.labelOffsetY) << kCrLf;
  out << "Color " << std::to_string(tp.labelColour) << kCrLf;
  out << kCrLf;
}

bool SameTextProperties(const KTextProperties& a, const KTextProperties& b) {
  const KLogFont& f = a.labelFont;
  const KLogFont& g = b.labelFont;
  return a.markName == b.markName && f.orientation == g.orientation && f.weight == g.weight &&
         f.italic == g.italic && f.underline == g.underline && f.strikeOut == g.strikeOut &&
         f.charSet == g.charSet && f.outPrecision == g.outPrecision && f.clipPrecision == g.clipPrecision &&
         f.quality == g.quality && f.pitchAndFamily == g.pitchAndFamily && f.faceName == g.faceName &&
         a.markHeight == b.markHeight && a.markWidth == b.markWidth && a.markAngle == b.markAngle &&
         a.labelHeight == b.labelHeight && a.labelWidth == b.labelWidth && a.labelAngle == b.labelAngle &&
         a.labelOffsetX == b.labelOffsetX && a.labelOffsetY == b.labelOffsetY && a.labelColour == b.labelColour;
}
