// POINT and MARKTEXT: "x,y[,z] label" on the rest of the keyword's line.
#include <cstdio>

#include "document/elements.h"
#include "document/io/lexer.h"
#include "document/io/number_scan.h"
#include "document/io/record_readers.h"

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
  double v[3] = {point->x, point->y, point->z};
  if (ScanCommaNumbers(coords, v, 3) < 2) {
    ctx.Report("point rejected", "fewer than two coordinates convert");
    return nullptr;
  }
  point->x = v[0];
  point->y = v[1];
  point->z = v[2];
  point->label = label;
  return point;
}
