// POINT and MARKTEXT: "x,y[,z] label" on the rest of the keyword's line.
#include <cstdio>

#include "document/elements.h"
#include "document/lexer.h"
#include "document/record_readers.h"

std::unique_ptr<KPointText> ReadPoint(KReadContext& ctx) {
  std::string line;
  if (!ReadLine(ctx.src, line)) {
    ctx.Report("point rejected", "input ended before its line");
    return nullptr;
  }
  // Two words of at most 255 bytes each; the label is the second word only.
  char coords[256] = "";
  char label[256] = "";
  std::sscanf(line.c_str(), "%255s%255s", coords, label);

  auto point = std::make_unique<KPointText>();
  if (std::sscanf(coords, "%lf,%lf,%lf", &point->x, &point->y, &point->z) < 2) {
    ctx.Report("point rejected", "fewer than two coordinates convert");
    return nullptr;
  }
  point->label = label;
  return point;
}
