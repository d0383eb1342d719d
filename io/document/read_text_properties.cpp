// TEXTP / HOWTODRAWPOINT: up to four property lines (FONT, MARK, TEXT,
// COLOR) describing how points and their labels are drawn.
#include <cstdio>

#include "model/document/ktext_properties.h"
#include "io/document/lexer.h"
#include "io/document/reader_util.h"
#include "io/document/record_readers.h"

namespace {

constexpr int kMaxPropertyLines = 4;

enum class LineResult { kRead, kStop, kReject };

// MARK height width angle name: the name counts only when all four convert.
void ReadMarkLine(KReadContext& ctx, KTextProperties& tp) {
  std::string line;
  if (!ReadLine(ctx.src, line)) return;
  char name[kReadBufferSize + 1] = "";
  if (std::sscanf(line.c_str(), "%lf%lf%lf%s", &tp.markHeight, &tp.markWidth, &tp.markAngle, name) == 4)
    tp.markName = name;
}

// TEXT height width angle offsetx, one token each, then offset y from the
// rest of the line (further values there are ignored).
void ReadLabelLine(KReadContext& ctx, KTextProperties& tp) {
  double* const values[] = {&tp.labelHeight, &tp.labelWidth, &tp.labelAngle, &tp.labelOffsetX};
  std::string token;
  for (double* value : values) {
    if (EndsInput(ReadToken(ctx.src, token))) return;
    ScanDouble(token, *value);
  }
  std::string line;
  if (ReadLine(ctx.src, line)) ScanDouble(line, tp.labelOffsetY);
}

LineResult ReadPropertyLine(KReadContext& ctx, KTextProperties& tp) {
  std::string token;
  const KTokenEnd end = ReadToken(ctx.src, token);
  if (EndsInput(end)) return LineResult::kReject;
  if (end == KTokenEnd::kLineFeed) return LineResult::kStop;  // a one-word or empty line
  if (token.empty()) return LineResult::kReject;               // the line starts with a blank
  ToUpperAscii(token);
  if (StartsWith(token, "FONT")) {
    ReadFontFields(ctx, tp.labelFont);
  } else if (StartsWith(token, "MARK")) {
    ReadMarkLine(ctx, tp);
  } else if (StartsWith(token, "TEXT")) {
    ReadLabelLine(ctx, tp);
  } else if (StartsWith(token, "COLOR")) {
    if (EndsInput(ReadToken(ctx.src, token))) return LineResult::kReject;
    ScanInt(token, tp.labelColour);
  } else {
    return LineResult::kStop;
  }
  return LineResult::kRead;
}

}  // namespace

std::shared_ptr<KTextProperties> ReadTextProperties(KReadContext& ctx) {
  auto tp = std::make_shared<KTextProperties>();
  int lines = 0;
  for (int i = 0; i < kMaxPropertyLines; ++i) {
    const LineResult r = ReadPropertyLine(ctx, *tp);
    if (r == LineResult::kReject) {
      ctx.Report("text properties rejected", "input ended or a line started with a blank");
      return nullptr;
    }
    if (r == LineResult::kStop) break;
    ++lines;
  }
  if (lines == 0) {
    ctx.Report("text properties rejected", "no property line");
    return nullptr;
  }
  return tp;
}
