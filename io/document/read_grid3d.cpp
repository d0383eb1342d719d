// The GRID3D element: a grid file's values coloured into an image.
#include <utility>

#include "io/document/lexer.h"
#include "io/document/record_readers.h"
#include "model/grid/grid3d_image.h"
#include "io/grid/grid_file_reader.h"
#include "model/grid/kgrid3d.h"

namespace {

// What the grid file's reader warns of is the drawing's to report, at the
// element that named the file.
class AtElement : public KWarningSink {
public:
  AtElement(KReadContext& ctx, std::int64_t offset) : ctx_(ctx), offset_(offset) {}
  void Warn(KWarning warning) override { ctx_.ReportAt(offset_, std::move(warning.what), std::move(warning.message)); }

private:
  KReadContext& ctx_;
  std::int64_t offset_;
};

}  // namespace

std::unique_ptr<KGrid3D> ReadGrid3D(KReadContext& ctx) {
  auto element = std::make_unique<KGrid3D>();
  const std::int64_t start = ctx.src.Position();
  ReadLine(ctx.src, element->fileName);
  // The element stays, without values, when its grid file does not load.
  AtElement warnings(ctx, start);
  if (const KResult loaded = ReadGridFile(element->grid, element->fileName, &warnings); !loaded)
    ctx.ReportAt(start, "grid not loaded", loaded.message());
  const KGridFile& g = element->grid;
  element->x = g.x0;
  element->y = g.y0;
  // An empty grid covers no area.
  element->width = g.nx > 0 ? (g.nx - 1) * g.dx : 0.0;
  element->height = g.ny > 0 ? (g.ny - 1) * g.dy : 0.0;
  element->image = BuildGridImage(g, element->colours);
  return element;
}
