// Reading of EMBELLISH / CURVEEMBELLISH blocks.
#include "model/curves/kembellish.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>

#include "io/document/lexer.h"
#include "io/document/reader_util.h"
#include "io/document/record_readers.h"
#include "platform/base/c_locale.h"

namespace {

// Style words are read with "%2560s": a line never holds more.
constexpr std::size_t kWordSize = kReadBufferSize + 1;
static_assert(kWordSize == 2561, "the %2560s conversions below must match the word buffer");
// A dash pattern needs at least a dash and a gap.
constexpr std::size_t kMinDashValues = 2;

std::string Upper(std::string text) {
  ToUpperAscii(text);
  return text;
}

// The rest of the current line, or an empty one at the end of the input.
std::string NextLine(KReadContext& ctx) {
  std::string line;
  ReadLine(ctx.src, line);
  return line;
}

// Clamps a double read as a colour to the int range (the cast alone would be
// undefined for values outside it).
int ColourFromDouble(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (v <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

int ColourFromLong(long v) {
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

// A dash pattern line: digits, '-', '.', 'e', 'E' and blanks only. The first
// number starts the line and every blank starts one more. Empty when the
// line is rejected or holds fewer than two numbers.
std::vector<double> ParseDashPattern(const std::string& line) {
  for (char c : line) {
    const bool allowed = (c >= '0' && c <= '9') || c == '-' || c == '.' || c == 'e' || c == 'E' || c == ' ';
    if (!allowed) return {};
  }
  std::vector<double> values;
  values.push_back(std::atof(line.c_str()));
  for (std::size_t i = 0; i < line.size(); ++i)
    if (line[i] == ' ') values.push_back(std::atof(line.c_str() + i + 1));
  if (values.size() < kMinDashValues) return {};
  return values;
}

KEmbellish::CurvePlay ReadLineItem(KReadContext& ctx) {
  KLineItem item;
  const std::string line = NextLine(ctx);
  long colour = 0;
  char word[kWordSize] = "";
  std::sscanf(line.c_str(), "%lf%ld%2560s%d", &item.width, &colour, word, &item.squareCap);
  item.colour = ColourFromLong(colour);
  item.style = EmbellishStyleCode(word);  // upper case only, as written
  // The word after the values: "Vir" announces a dash pattern line, any
  // other word is consumed without effect.
  std::string next;
  const KTokenEnd end = ReadToken(ctx.src, next);
  if (end == KTokenEnd::kOverlong)
    SkipOverlongRest(ctx.src, next);
  else if (!EndsInput(end) && StartsWith(Upper(next), "VIR"))
    item.dashes = ParseDashPattern(NextLine(ctx));
  return {KEmbellish::kProperties, item};
}

KEmbellish::CurvePlay ReadArrowItem(KReadContext& ctx, int type) {
  KArrowItem item;
  long colour = 0;
  std::sscanf(NextLine(ctx).c_str(), "%lf%ld", &item.size, &colour);
  item.colour = ColourFromLong(colour);
  return {type, item};
}

KEmbellish::CurvePlay ReadLocateItem(KReadContext& ctx) {
  KMarkItem item;
  char word[kWordSize] = "";
  double colour = item.labelColour;
  std::sscanf(NextLine(ctx).c_str(), "%lf%lf%lf%lf%lf%lf%lf%d%2560s%lf", &item.step, &item.sizeX, &item.sizeY,
              &item.angleOffset, &item.start, &item.end, &item.offset, &item.scaleToLength, word, &colour);
  item.style = EmbellishStyleCode(Upper(word));
  item.labelColour = ColourFromDouble(colour);
  return {KEmbellish::kLocate, item};
}

KEmbellish::CurvePlay ReadScaleItem(KReadContext& ctx) {
  KMarkItem item;
  std::string name;
  if (!EndsInput(ReadToken(ctx.src, name))) item.blockName = name;
  char word[kWordSize] = "";
  std::sscanf(NextLine(ctx).c_str(), "%lf%lf%lf%lf%lf%lf%lf%d%2560s", &item.step, &item.sizeX, &item.sizeY,
              &item.angleOffset, &item.start, &item.end, &item.offset, &item.scaleToLength, word);
  item.style = EmbellishStyleCode(Upper(word));
  return {KEmbellish::kScale, item};
}

KEmbellish::CurvePlay ReadNameItem(KReadContext& ctx) {
  KNameItem item;
  char word[kWordSize] = "";
  int colour = 0;
  const int converted = std::sscanf(NextLine(ctx).c_str(), "%lf%d%d%lf%lf%d%2560s", &item.charSize,
                                    &item.repetitions, &item.textColour, &item.offset, &item.lineWidth, &colour,
                                    word);
  item.colour = colour;
  // The style word only counts when everything before it converted.
  constexpr int kValuesBeforeStyle = 5;
  if (converted > kValuesBeforeStyle) {
    const std::string style = Upper(word);
    if (StartsWith(style, "V")) {
      item.style = kStyleDashed;
      NextLine(ctx);  // the line between is not used
      item.dashes = ParseDashPattern(NextLine(ctx));
    } else {
      item.style = EmbellishStyleCode(style);
    }
  }
  return {KEmbellish::kInName, item};
}

}  // namespace

std::shared_ptr<KEmbellish> ReadEmbellishment(KReadContext& ctx) {
  const std::int64_t start = ctx.src.Position();
  auto embellish = std::make_shared<KEmbellish>();
  KCLocaleScope cLocale;
  std::string token;
  // Every token that is not an item keyword ends the block and is consumed.
  for (KTokenEnd end; !EndsInput(end = ReadToken(ctx.src, token));) {
    if (end == KTokenEnd::kOverlong) {  // no keyword is that long
      SkipOverlongRest(ctx.src, token);
      break;
    }
    const std::string key = Upper(token);
    if (StartsWith(key, "PROPERTIES"))
      embellish->items.push_back(ReadLineItem(ctx));
    else if (StartsWith(key, "ARROWTAIL"))
      embellish->items.push_back(ReadArrowItem(ctx, KEmbellish::kArrowTail));
    else if (StartsWith(key, "ARROWHEAD"))
      embellish->items.push_back(ReadArrowItem(ctx, KEmbellish::kArrowHead));
    else if (StartsWith(key, "LOCATE"))
      embellish->items.push_back(ReadLocateItem(ctx));
    else if (StartsWith(key, "SCALE"))
      embellish->items.push_back(ReadScaleItem(ctx));
    else if (StartsWith(key, "INNAME"))
      embellish->items.push_back(ReadNameItem(ctx));
    else if (StartsWith(key, "NODRAW"))
      embellish->noDraw = true;
    else
      break;
  }
  if (embellish->items.empty()) {
    ctx.ReportAt(start, "embellishment block", "no item");
    return nullptr;
  }
  embellish->items.shrink_to_fit();  // kept for the life of the document
  return embellish;
}
