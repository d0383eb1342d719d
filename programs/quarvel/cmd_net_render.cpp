// quarvel net-render NET -o OUT.png|.svg|.pdf [--size WxH] [--contours STEP]:
// the picture of an f(x,y) net file as the viewer shows it at first:
// coloured cells, fault lines where links are cut, contours every STEP with
// their values (a round step giving 10 to 20 levels unless told; 0 draws
// none) and the colour bar.
#include <QGuiApplication>
#include <QSize>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "io/grid/net_file_reader.h"
#include "io/grid/net_node_grid.h"
#include "programs/quarvel/command.h"
#include "qt/export/painting_app.h"
#include "programs/quarvel/picture_size.h"
#include "programs/quarvel/plot_args.h"
#include "render/net/net_picture.h"
#include "render/plot/plot_decorations.h"
#include "qt/export/picture_export.h"

namespace {

constexpr const char* kUsage =
    "net-render NET -o OUT.png|OUT.svg|OUT.pdf [--size WxH] [--contours STEP] [--margin F|P%] [--ticks]\n"
    "         [--scale-bar] [--north-arrow]   (world units are taken as metres and y as north)";

// The grid's cells as a world rectangle.
KExtent CellExtent(const KNodeGrid& g) {
  return {g.x0 - g.dx / 2, g.x0 + (g.nx - 0.5) * g.dx, g.y0 - g.dy / 2, g.y0 + (g.ny - 0.5) * g.dy};
}

// The picture with the decorations asked for, around the grid left of the
// colour bar; the layout's problem when they leave no room.
KResultWith<std::function<void(KDevice&)>> DecoratedPaint(const KNetPicture& picture, QSize size,
                                                          const KPlotOptions& options) {
  const int legend = size.width() >= 3 * KNetPicture::kLegendWidth ? KNetPicture::kLegendWidth : 0;
  const KExtent extent = CellExtent(picture.grid());
  const KPlotLayout layout = LayoutPlot({size.width() - legend, size.height()}, extent, options);
  if (!layout.ok) return KResult(KStatus::kRefused, layout.problem);
  return std::function<void(KDevice&)>([&picture, layout, extent, options](KDevice& device) {
    picture.Draw(device, layout.view);
    if (options.ticks) DrawFrameTicks(device, layout, extent);
    if (options.scaleBar) DrawScaleBar(device, layout);
    if (options.northArrow) DrawNorthArrow(device, layout);
  });
}

KExit Bad(const std::string& what) {
  std::fprintf(stderr, "quarvel net-render: %s\nusage: quarvel %s\n", what.c_str(), kUsage);
  return KExit::kUsage;
}

KExit RunNetRender(const std::vector<std::string>& args) {
  std::string input, output;
  QSize size = kDefaultPictureSize;
  double step = -1;  // unset: a round step
  KPlotOptions plot;
  plot.margin = -1;  // unset: a few per cent with decorations, else none
  for (std::size_t k = 0; k < args.size(); ++k) {
    const std::string& a = args[k];
    const bool hasValue = k + 1 < args.size();
    std::string error;
    bool legend = false;  // the colour bar is always drawn
    if (const KPlotArg taken = ParsePlotArg(args, k, plot, legend, error); taken == KPlotArg::kBad)
      return Bad(error);
    else if (taken == KPlotArg::kTaken)
      continue;
    if (a == "-o" || a == "--output") {
      if (!hasValue) return Bad("-o needs a file");
      output = args[++k];
    } else if (a == "--size") {
      if (!hasValue || !ParsePictureSize(args[++k], size)) return Bad(PictureSizeRule());
    } else if (a == "--contours") {
      char* end = nullptr;
      if (hasValue) step = std::strtod(args[++k].c_str(), &end);
      if (!hasValue || end == args[k].c_str() || *end != '\0' || !(step >= 0) || !std::isfinite(step))
        return Bad("--contours wants a step of 0 or more");
    } else if (a.size() > 1 && a[0] == '-') {
      return Bad("unknown option '" + a + "'");
    } else if (input.empty()) {
      input = a;
    } else {
      return Bad("one net file only");
    }
  }
  if (input.empty() || output.empty()) return Bad("a net file and -o OUT are needed");

  KNetFile net;
  if (KResult read = ReadNetFile(input, net); !read || !(read = CheckFiniteNodes(net, input))) {
    std::fprintf(stderr, "quarvel net-render: %s\n", read.message().c_str());
    return ExitFor(read.status());
  }
  KNetPicture picture(NodeGridFromNet(net));
  net = KNetFile();  // the picture holds what it needs
  if (step < 0) step = RoundContourStep(picture.lo(), picture.hi());
  if (!picture.SetContourStep(step)) {
    std::fprintf(stderr, "quarvel net-render: a step of %g gives more than %d contour levels over %g .. %g\n", step,
                 KNetPicture::kMaxLevels, picture.lo(), picture.hi());
    return KExit::kFailure;
  }

  const auto app = MakePaintingApplication();
  std::function<void(KDevice&)> paint;
  if (plot.margin < 0 && !plot.Decorated()) {
    const KViewTransform view = picture.Fit({size.width(), size.height()});
    paint = [&picture, view](KDevice& device) { picture.Draw(device, view); };
  } else {
    if (plot.margin < 0) plot.margin = KPlotOptions().margin;
    KResultWith<std::function<void(KDevice&)>> decorated = DecoratedPaint(picture, size, plot);
    if (!decorated) return Bad(decorated.message());
    paint = decorated.value();
  }
  const KResult written = ExportPainting(paint, size, output);
  if (!written) {
    std::fprintf(stderr, "quarvel net-render: %s\n", written.message().c_str());
    return ExitFor(written.status());
  }
  return KExit::kSuccess;
}

const KCommandRegistrar reg({"net-render", kUsage, &RunNetRender});

}  // namespace
