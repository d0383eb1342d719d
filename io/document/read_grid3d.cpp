// The GRID3D element: a grid file's values coloured into an image.
#include <utility>

#include "io/document/decoded_files.h"
#include "io/document/lexer.h"
#include "io/document/record_readers.h"
#include "model/grid/kgrid3d.h"


std::unique_ptr<KGrid3D> ReadGrid3D(KReadContext& ctx) {
  auto element = std::make_unique<KGrid3D>();
  const std::int64_t start = ctx.src.Position();
  ReadLine(ctx.src, element->fileName);
  // The element stays, without values, when its grid file does not load.
  KDecodedFiles own;
  const KDecodedFiles::Grid& file = (ctx.decoded ? *ctx.decoded : own).GridFile(element->fileName);
  for (const KWarning& warning : file.warnings) ctx.ReportAt(start, warning.what, warning.message);
  if (!file.loaded) ctx.ReportAt(start, KDecodedFiles::IssueWhat(file.loaded, "grid not loaded"), file.loaded.message());
  element->grid = file.grid;
  element->colours = file.colours;
  const KGridFile& g = element->grid;
  element->x = g.x0;
  element->y = g.y0;
  // An empty grid covers no area.
  element->width = g.nx > 0 ? (g.nx - 1) * g.dx : 0.0;
  element->height = g.ny > 0 ? (g.ny - 1) * g.dy : 0.0;
  element->image = file.image;
  return element;
}
