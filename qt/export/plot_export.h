#pragma once
// Plot-ready pictures of a drawing window: the drawing inside a margin,
// clipped to its frame, with the decorations of render/plot around it (ticks,
// scale bar, north arrow, a colour bar for each grid drawn). The layout is
// worked out first, so a caller can refuse a picture that does not fit
// before anything is written.
#include <QColor>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/result.h"

#include "render/plot/plot_layout.h"

class KDevice;
class KGrid3D;
class QuarvelWindow;

// The coloured grids the window draws (their layers not hidden), in
// drawing order.
std::vector<const KGrid3D*> DrawnGrids(const QuarvelWindow& window);

// The layout of the window's drawing on a picture of size pixels; with
// legend, one colour bar per drawn grid.
KPlotLayout LayoutWindowPlot(const QuarvelWindow& window, KIntSize size, KPlotOptions options, bool legend);

// Paints the window at the layout's view, clipped to the frame when
// anything stands around it, then the decorations options ask for. The
// window's view is left at the layout's.
std::function<void(KDevice&)> PlotPaint(QuarvelWindow& window, const KPlotLayout& layout,
                                        const KPlotOptions& options);

// Lays out and writes the picture (see ExportPainting for the rest); the
// window's view is as it was afterwards. A layout that fails is refused
// with its reason.
KResult ExportPlot(QuarvelWindow& window, KIntSize size, const std::string& path, const KPlotOptions& options,
                   bool legend, QColor background = Qt::white, int dotsPerInch = 72);
