#include "qt/export/plot_export.h"

#include <QPainter>

#include "model/document/klayer.h"
#include "model/document/krecord.h"
#include "model/grid/kgrid3d.h"
#include "qt/export/picture_export.h"
#include "qt/platform/qt_device.h"
#include "render/plot/colour_bar.h"
#include "render/plot/plot_decorations.h"
#include "window/editor/quarvel_window.h"

std::vector<const KGrid3D*> DrawnGrids(const QuarvelWindow& window) {
  std::vector<const KGrid3D*> grids;
  for (const auto& entry : window.entries) {
    if (entry->kind != kKindGrid || (entry->layer && entry->layer->state == kNotViewNotEdit)) continue;
    if (const auto* grid = entry->As<KGrid3D>(); grid && grid->grid.HasValues()) grids.push_back(grid);
  }
  return grids;
}

KPlotLayout LayoutWindowPlot(const QuarvelWindow& window, KIntSize size, KPlotOptions options, bool legend) {
  options.legends = legend ? static_cast<int>(DrawnGrids(window).size()) : 0;
  return LayoutPlot(size, window, options);
}

std::function<void(KDevice&)> PlotPaint(QuarvelWindow& window, const KPlotLayout& layout,
                                        const KPlotOptions& options) {
  return [&window, layout, options](KDevice& device) {
    window.ViewPart().transform = layout.view;
    window.ViewPart().SetFitted(true);
    auto* qtDevice = dynamic_cast<KQtDevice*>(&device);
    // What spills past the frame (a grid larger than the lines around it,
    // a long label) would run under the decorations.
    const bool clip = qtDevice && options.Decorated();
    if (clip) {
      const KIntRect& f = layout.frame;
      // The ticks' frame is drawn over the edge; else the drawing's own
      // frame lines, however wide, stay whole.
      const int pad = options.ticks ? 0 : std::max(2, layout.unit / 6);
      qtDevice->painter()->save();
      qtDevice->painter()->setClipRect(QRect(f.left - pad, f.top - pad, f.width + 2 * pad + 1, f.height + 2 * pad + 1));
    }
    window.OnDraw(&device);
    if (clip) qtDevice->painter()->restore();
    const KExtent& extent = window;
    if (options.ticks) DrawFrameTicks(device, layout, extent);
    if (options.scaleBar) DrawScaleBar(device, layout);
    if (options.northArrow) DrawNorthArrow(device, layout);
    const std::vector<const KGrid3D*> grids = DrawnGrids(window);
    for (std::size_t k = 0; k < layout.legends.size() && k < grids.size(); ++k) {
      const KIntRect& strip = layout.legends[k];
      const KGridFile& g = grids[k]->grid;
      const int barWidth = std::max(8, layout.unit * 3 / 2);
      DrawColourBar(device, grids[k]->colours, g.zMin, g.zMax, options.legendStep,
                    {strip.left + 1, strip.top + layout.unit / 2, barWidth, strip.height - layout.unit}, layout.unit);
    }
    device.Flush();
  };
}

KResult ExportPlot(QuarvelWindow& window, KIntSize size, const std::string& path, const KPlotOptions& options,
                   bool legend, QColor background, int dotsPerInch) {
  const KPlotLayout layout = LayoutWindowPlot(window, size, options, legend);
  if (!layout.ok) return KResult(KStatus::kRefused, "cannot write '" + path + "': " + layout.problem);
  const KViewTransform shown = window.ViewPart().transform;
  const bool fitted = window.ViewPart().Fitted();
  const KResult written = ExportPainting(PlotPaint(window, layout, options), QSize(size.width, size.height), path,
                                         background, kPngFastest, dotsPerInch);
  window.ViewPart().transform = shown;
  window.ViewPart().SetFitted(fitted);
  return written;
}
