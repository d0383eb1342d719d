// POINT and MARKTEXT: "x,y[,z] label" on the rest of the keyword's line.
#include <string>
#include <string_view>

#include "model/document/elements.h"
#include "io/document/lexer.h"
#include "io/document/number_scan.h"
#include "io/document/record_readers.h"

namespace {

// Words are at most this many bytes; a longer run of bytes splits into
// words of this size, as a "%255s" conversion would split it.
constexpr std::size_t kMaxWord = 255;

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The next word of line from at, after blanks: "%255s" without a copy.
std::string_view NextWord(std::string_view line, std::size_t& at) {
  while (at < line.size() && IsCSpace(line[at])) ++at;
  const std::size_t start = at;
  while (at < line.size() && at - start < kMaxWord && !IsCSpace(line[at])) ++at;
  return line.substr(start, at - start);
}

}  // namespace

std::unique_ptr<KPointText> ReadPoint(KReadContext& ctx) {
  thread_local std::string scratch;
  std::string_view line;
  if (!ReadLine(ctx.src, line, scratch)) {
    ctx.Report("point rejected", "input ended before its line");
    return nullptr;
  }
  // Two words; the label is the second word only.
  std::size_t at = 0;
  const std::string_view coords = NextWord(line, at);
  const std::string_view label = NextWord(line, at);

  double v[3] = {0.0, 0.0, 0.0};
  if (ScanCommaNumbers(coords, v, 3) < 2) {
    ctx.Report("point rejected", "fewer than two coordinates convert");
    return nullptr;
  }
  auto point = std::make_unique<KPointText>();
  point->x = v[0];
  point->y = v[1];
  point->z = v[2];
  point->label = label;
  return point;
}
