// INSERT name x,y ysize xsize angle: a named block placed, scaled and turned.
#include <cstdio>

#include "model/document/elements.h"
#include "io/document/lexer.h"
#include "io/document/reader_util.h"
#include "io/document/record_readers.h"

std::unique_ptr<KInsert> ReadInsert(KReadContext& ctx) {
  auto insert = std::make_unique<KInsert>();
  std::string token;
  if (EndsInput(ReadToken(ctx.src, insert->blockName)) && insert->blockName.empty())
    ctx.Report("insertion incomplete", "input ended before its block name");
  if (ReadToken(ctx.src, token) != KTokenEnd::kInputEnd) ScanPair(token, insert->x, insert->y);
  std::string line;
  // The sizes come y first, then x.
  if (ReadLine(ctx.src, line))
    std::sscanf(line.c_str(), "%lf%lf%lf", &insert->ySize, &insert->xSize, &insert->angle);
  return insert;
}
