// quarvel render [--size WxH] [--background COLOR] [--compression N] FILE...
// -o OUT: opens the files into one window, as "quarvel info" does, and paints
// it once. With --margin 0 and no decorations that is the window's first
// paint: the view fitted to the extent, anchored at the bottom-left; else the
// drawing is centred inside the margin, clipped to its frame, with the
// decorations asked for around it, and --paper puts it on a page of that
// size, at --scale when given. The picture is a PNG (or another raster
// format Qt writes), an SVG or a PDF, chosen by the output's extension. What
// the readers skipped or rejected is printed as warnings.
#include <QColor>
#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "programs/quarvel/command.h"
#include "programs/quarvel/open_input.h"
#include "programs/quarvel/printed_warnings.h"
#include "qt/export/painting_app.h"
#include "programs/quarvel/picture_size.h"
#include "programs/quarvel/plot_args.h"
#include "qt/export/picture_export.h"
#include "qt/export/plot_export.h"
#include "render/drawing/krenderer.h"
#include "render/plot/paper.h"
#include "window/editor/quarvel_window.h"

namespace {

constexpr const char* kUsageLine =
    "render [--size WxH] [--background COLOR] [--compression 0-9] [--margin F|P%] [--ticks] [--scale-bar]\n"
    "         [--north-arrow] [--legend [--contours STEP]] [--paper A4|A3|A2|A1|A0|letter[,landscape] [--scale 1:N]]\n"
    "         FILE... -o OUT.png|OUT.svg|OUT.pdf\n"
    "         (world units are taken as metres and y as north; --paper is for SVG and PDF)";

// Pages are laid out at this resolution: fine enough that whole device
// pixels do not show on paper.
constexpr int kPaperDotsPerInch = 300;

struct RenderOptions {
  QSize size = kDefaultPictureSize;
  bool sizeGiven = false;
  KPlotOptions plot;
  bool legend = false;
  KPaper paper;
  bool paperGiven = false;
  double scale = 0;  // 1:scale; 0 fits the page
  QColor background = Qt::white;
  int compression = kPngFastest;   // PNG only
  std::vector<std::string> files;
  std::string output;
};

KExit Usage() {
  std::fprintf(stderr, "usage: quarvel %s\n", kUsageLine);
  return KExit::kUsage;
}

// A page is for the formats that have one, and sets the size itself.
KExit CheckPaperOptions(const RenderOptions& options) {
  const char* problem = nullptr;
  const std::string& out = options.output;
  const auto endsWith = [&](const char* suffix) {
    const std::string s(suffix);
    return out.size() >= s.size() && QString::fromStdString(out.substr(out.size() - s.size())).toLower() == suffix;
  };
  if (options.scale > 0 && !options.paperGiven) problem = "--scale needs --paper";
  else if (options.plot.legendStep > 0 && !options.legend) problem = "--contours marks the colour bars: it needs --legend";
  else if (options.paperGiven && options.sizeGiven) problem = "--paper sets the size: leave out --size";
  else if (options.paperGiven && !endsWith(".pdf") && !endsWith(".svg")) problem = "--paper is for .pdf and .svg pictures";
  if (!problem) return KExit::kSuccess;
  std::fprintf(stderr, "quarvel render: %s\n", problem);
  return KExit::kUsage;
}

// Returns kSuccess when the arguments are usable, else the exit status.
KExit ParseArguments(const std::vector<std::string>& args, RenderOptions& options) {
  bool optionsDone = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    std::string error;
    const KPlotArg plotArg =
        optionsDone ? KPlotArg::kNotMine : ParsePlotArg(args, i, options.plot, options.legend, error);
    if (plotArg == KPlotArg::kBad) {
      std::fprintf(stderr, "quarvel render: %s\n", error.c_str());
      return KExit::kUsage;
    }
    if (plotArg == KPlotArg::kTaken) continue;
    if (!optionsDone && a == "--paper") {
      if (!hasValue || !ParsePaper(args[i + 1], options.paper)) {
        std::fprintf(stderr, "quarvel render: --paper wants A4, A3, A2, A1, A0 or letter, then ,landscape if so\n");
        return KExit::kUsage;
      }
      options.paperGiven = true;
      ++i;
    } else if (!optionsDone && a == "--scale") {
      if (!hasValue || !ParseMapScale(args[i + 1], options.scale)) {
        std::fprintf(stderr, "quarvel render: --scale wants 1:N with N a positive number\n");
        return KExit::kUsage;
      }
      ++i;
    } else if (!optionsDone && a == "--contours") {
      // The drawing's contour interval, marked on the colour bars.
      char* end = nullptr;
      const double step = hasValue ? std::strtod(args[i + 1].c_str(), &end) : -1;
      if (!hasValue || *end != '\0' || end == args[i + 1].c_str() || !(step > 0) || !std::isfinite(step)) {
        std::fprintf(stderr, "quarvel render: --contours wants the contour interval, a positive number\n");
        return KExit::kUsage;
      }
      options.plot.legendStep = step;
      ++i;
    } else if (!optionsDone && (a == "-o" || a == "--output")) {
      if (!hasValue) return Usage();
      options.output = args[++i];
    } else if (!optionsDone && a == "--size") {
      if (!hasValue || !ParsePictureSize(args[i + 1], options.size)) {
        std::fprintf(stderr, "quarvel render: %s\n", PictureSizeRule().c_str());
        return KExit::kUsage;
      }
      options.sizeGiven = true;
      ++i;
    } else if (!optionsDone && a == "--background") {
      if (!hasValue) return Usage();
      QColor colour = QColor::fromString(QString::fromStdString(args[++i]));
      if (!colour.isValid()) {
        std::fprintf(stderr, "quarvel render: unknown colour '%s' (use a name or #RRGGBB)\n", args[i].c_str());
        return KExit::kUsage;
      }
      options.background = colour;
    } else if (!optionsDone && a == "--compression") {
      char* end = nullptr;
      const long level = hasValue ? std::strtol(args[i + 1].c_str(), &end, 10) : -1;
      if (!hasValue || *end != '\0' || end == args[i + 1].c_str() || level < 0 || level > kPngSmallest) {
        std::fprintf(stderr, "quarvel render: --compression wants 0 (fastest) to %d (smallest)\n", kPngSmallest);
        return KExit::kUsage;
      }
      options.compression = static_cast<int>(level);
      ++i;
    } else if (!optionsDone && a == "--") {
      optionsDone = true;
    } else if (!optionsDone && a.size() > 1 && a[0] == '-') {
      std::fprintf(stderr, "quarvel render: unknown option '%s'\n", a.c_str());
      return Usage();
    } else {
      options.files.push_back(a);
    }
  }
  if (options.files.empty() || options.output.empty()) return Usage();
  return CheckPaperOptions(options);
}

// Whether the window has anything a view can be fitted to.
bool Drawable(const QuarvelWindow& window) {
  KViewTransform view;
  return !window.entries.empty() && view.Fit({1, 1}, window.minX, window.minY, window.maxX, window.maxY);
}

// The picture as asked: the window's first paint, or a plot-ready one.
// Refuses (kRefused, "the drawing ...") a drawing the page cannot hold.
KResult WritePicture(QuarvelWindow& window, const RenderOptions& options) {
  const bool plain = options.plot.margin == 0 && !options.plot.Decorated() && !options.legend && !options.paperGiven;
  if (plain || !Drawable(window))
    return ExportPicture(window, options.size, options.output, options.background, options.compression);
  const int dpi = options.paperGiven ? kPaperDotsPerInch : 72;
  const QSize size = options.paperGiven ? QSize(MmToPixels(options.paper.widthMm, dpi), MmToPixels(options.paper.heightMm, dpi))
                                        : options.size;
  KPlotOptions plot = options.plot;
  if (options.scale > 0) plot.fixedScale = MetresPerPixel(options.scale, dpi);
  const KPlotLayout layout = LayoutWindowPlot(window, {size.width(), size.height()}, plot, options.legend);
  if (!layout.ok) {
    // A margin alone never stops a picture: the first paint then.
    if (!plot.Decorated() && !options.legend && !options.paperGiven)
      return ExportPicture(window, options.size, options.output, options.background, options.compression);
    if (options.scale <= 0) return KResult(KStatus::kRefused, "the drawing cannot be laid out: " + layout.problem);
    char text[300];
    const double mmPerPixel = 25.4 / dpi;
    std::snprintf(text, sizeof text,
                  "the drawing, %.0f x %.0f m, is %.0f x %.0f mm at 1:%g; the page leaves %.0f x %.0f mm for it "
                  "(try a larger paper, landscape, a smaller scale or a smaller --margin)",
                  window.maxX - window.minX, window.maxY - window.minY, (window.maxX - window.minX) / options.scale * 1000,
                  (window.maxY - window.minY) / options.scale * 1000, options.scale, layout.room.width * mmPerPixel,
                  layout.room.height * mmPerPixel);
    return KResult(KStatus::kRefused, text);
  }
  return ExportPainting(PlotPaint(window, layout, plot), size, options.output, options.background,
                        options.compression, dpi);
}

KExit RunRender(const std::vector<std::string>& args) {
  RenderOptions options;
  if (const KExit parsed = ParseArguments(args, options); parsed != KExit::kSuccess) return parsed;

  // BMPIN pictures are decoded while the files are read, so the
  // application comes first.
  const auto app = MakePaintingApplication();

  // What opens is drawn even when another file cannot be opened; the status
  // is then the last failure's.
  QuarvelWindow window;
  KPrintedWarnings warnings("render");
  KExit status = KExit::kSuccess;
  for (const std::string& file : options.files) {
    if (const KResult opened = OpenInput(window, file, &warnings); !opened) {
      std::fprintf(stderr, "quarvel render: %s\n", opened.message().c_str());
      status = ExitFor(opened.status());
    }
  }

  const KResult written = WritePicture(window, options);
  if (written.status() == KStatus::kRefused && written.message().rfind("the drawing", 0) == 0) {
    std::fprintf(stderr, "quarvel render: '%s' not written: %s\n", options.output.c_str(), written.message().c_str());
    return KExit::kUsage;
  }
  if (!written) {
    std::fprintf(stderr, "quarvel render: %s\n", written.message().c_str());
    return ExitFor(written.status());
  }
  if (window.ViewPart().PaintCut())
    std::fprintf(stderr,
                 "quarvel render: blocks insert each other too often; '%s' leaves inserted blocks out after "
                 "%lld of their entries\n",
                 options.output.c_str(), KRenderer::kMaxInsertedEntries);
  if (window.entries.empty() || !window.view.CanMap())
    std::fprintf(stderr, "quarvel render: nothing drawable in the drawing; '%s' shows the background only\n",
                 options.output.c_str());
  return status;
}

const KCommandRegistrar reg({"render", kUsageLine, &RunRender});

}  // namespace
