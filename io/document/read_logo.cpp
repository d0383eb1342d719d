// LOGO x,y height width angle: the emblem at a world position.
#include <cstdio>

#include "model/document/elements.h"
#include "io/document/lexer.h"
#include "io/document/reader_util.h"
#include "io/document/record_readers.h"

std::unique_ptr<KLogo> ReadLogo(KReadContext& ctx) {
  auto logo = std::make_unique<KLogo>();
  std::string token;
  if (ReadToken(ctx.src, token) != KTokenEnd::kInputEnd) ScanPair(token, logo->x, logo->y);
  std::string line;
  // Height comes before width.
  if (ReadLine(ctx.src, line))
    std::sscanf(line.c_str(), "%lf%lf%lf", &logo->height, &logo->width, &logo->angle);
  return logo;
}
