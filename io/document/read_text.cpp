// TEXT (one line: x,y height angle text) and FONT (position, text line, then
// size, angle and the font fields, then the face name).
#include <cstdio>
#include <cstdlib>

#include "model/document/elements.h"
#include "io/document/lexer.h"
#include "io/document/reader_util.h"
#include "io/document/record_readers.h"

namespace {
// A TEXT character cell is this much as wide as it is high.
constexpr double kTextWidthRatio = 0.4;
}  // namespace

std::unique_ptr<KText> ReadText(KReadContext& ctx) {
  auto text = std::make_unique<KText>();
  std::string token;
  if (ReadToken(ctx.src, token) != KTokenEnd::kInputEnd) ScanPair(token, text->x, text->y);
  token.clear();
  if (ReadToken(ctx.src, token) != KTokenEnd::kInputEnd) {
    text->height = std::atof(token.c_str());
    text->width = kTextWidthRatio * text->height;
  }
  token.clear();
  if (ReadToken(ctx.src, token) != KTokenEnd::kInputEnd) text->angle = std::atof(token.c_str());
  std::string_view line;
  if (ReadLine(ctx.src, line, token))
    text->text = line;
  else
    ctx.Report("text incomplete", "input ended before its text");
  return text;
}

std::unique_ptr<KText> ReadFontText(KReadContext& ctx) {
  auto text = std::make_unique<KText>();
  text->fromFont = true;
  std::string line;
  if (!ReadLine(ctx.src, line)) {
    ctx.Report("font text incomplete", "input ended before its position");
    return text;
  }
  ScanPair(line, text->x, text->y);
  if (!ReadLine(ctx.src, line)) {
    ctx.Report("font text incomplete", "input ended before its text line");
    return text;
  }
  text->text = line;
  // Width, height and angle come one token each, before the font fields.
  double* const sizes[] = {&text->width, &text->height, &text->angle};
  std::string token;
  for (double* value : sizes) {
    if (EndsInput(ReadToken(ctx.src, token))) {
      ctx.Report("font text incomplete", "input ended inside its sizes");
      return text;
    }
    ScanDouble(token, *value);
  }
  if (!ReadFontFields(ctx, text->font)) ctx.Report("font text incomplete", "input ended inside its font");
  return text;
}
