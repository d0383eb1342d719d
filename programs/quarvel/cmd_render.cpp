// quarvel render [--size WxH] [--background COLOR] [--compression N] FILE...
// -o OUT: opens the files into one window, as "quarvel info" does, and paints
// it once as the window's first paint: the view is fitted to the extent,
// anchored at the bottom-left. The picture is a PNG (or another raster format
// Qt writes), an SVG or a PDF, chosen by the output's extension. What the
// readers skipped or rejected is printed as warnings.
#include <QColor>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "programs/quarvel/command.h"
#include "programs/quarvel/open_input.h"
#include "programs/quarvel/printed_warnings.h"
#include "qt/export/painting_app.h"
#include "programs/quarvel/picture_size.h"
#include "qt/export/picture_export.h"
#include "render/drawing/krenderer.h"
#include "window/editor/quarvel_window.h"

namespace {

constexpr const char* kUsageLine =
    "render [--size WxH] [--background COLOR] [--compression 0-9] FILE... -o OUT.png|OUT.svg|OUT.pdf";

struct RenderOptions {
  QSize size = kDefaultPictureSize;
  QColor background = Qt::white;
  int compression = kPngFastest;   // PNG only
  std::vector<std::string> files;
  std::string output;
};

KExit Usage() {
  std::fprintf(stderr, "usage: quarvel %s\n", kUsageLine);
  return KExit::kUsage;
}

// Returns kSuccess when the arguments are usable, else the exit status.
KExit ParseArguments(const std::vector<std::string>& args, RenderOptions& options) {
  bool optionsDone = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (!optionsDone && (a == "-o" || a == "--output")) {
      if (!hasValue) return Usage();
      options.output = args[++i];
    } else if (!optionsDone && a == "--size") {
      if (!hasValue || !ParsePictureSize(args[i + 1], options.size)) {
        std::fprintf(stderr, "quarvel render: %s\n", PictureSizeRule().c_str());
        return KExit::kUsage;
      }
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
  return KExit::kSuccess;
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

  const KResult written =
      ExportPicture(window, options.size, options.output, options.background, options.compression);
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
