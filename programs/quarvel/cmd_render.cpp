// quarvel render [--size WxH] [--background COLOR] [--compression N] FILE...
// -o OUT: opens the files into one window, as "quarvel info" does, and paints
// it once as the window's first paint: the view is fitted to the extent,
// anchored at the bottom-left. The picture is a PNG (or another raster format
// Qt writes), an SVG or a PDF, chosen by the output's extension. What the
// readers skipped or rejected is printed as warnings.
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/atomic_file.h"
#include "qt/platform/png_writer.h"
#include "qt/platform/qt_device.h"
#include "qt/platform/qt_platform.h"
#include "programs/quarvel/command.h"
#include "programs/quarvel/open_input.h"
#include "programs/quarvel/printed_warnings.h"
#include "programs/quarvel/painting_app.h"
#include "render/drawing/krenderer.h"
#include "window/editor/quarvel_window.h"

namespace {

constexpr int kDefaultWidth = 1200;
constexpr int kDefaultHeight = 900;
// Each side of the picture is at most this many pixels.
constexpr int kMaxSide = 16384;
constexpr const char* kUsageLine =
    "render [--size WxH] [--background COLOR] [--compression 0-9] FILE... -o OUT.png|OUT.svg|OUT.pdf";

struct RenderOptions {
  int width = kDefaultWidth;
  int height = kDefaultHeight;
  QColor background = Qt::white;
  int compression = kPngFastest;   // PNG only
  std::vector<std::string> files;
  std::string output;
};

KExit Usage() {
  std::fprintf(stderr, "usage: quarvel %s\n", kUsageLine);
  return KExit::kUsage;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  char* end = nullptr;
  const long w = std::strtol(text.c_str(), &end, 10);
  if (end != text.c_str() + x) return false;
  const char* hStart = text.c_str() + x + 1;
  const long h = std::strtol(hStart, &end, 10);
  if (end == hStart || *end != '\0') return false;
  if (w < 1 || h < 1 || w > kMaxSide || h > kMaxSide) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
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
      if (!hasValue || !ParseSize(args[i + 1], options.width, options.height)) {
        std::fprintf(stderr, "quarvel render: --size wants WxH, each side 1 to %d pixels\n", kMaxSide);
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

// Paints the window's first paint onto a painter whose device is the
// picture; returns true when anything could be drawn.
bool PaintOnce(QuarvelWindow& window, QPainter& painter, const RenderOptions& options) {
  painter.fillRect(QRect(0, 0, options.width, options.height), options.background);
  KQtDevice device(&painter, QSize(options.width, options.height));
  window.OnDraw(&device);
  return !window.entries.empty() && window.view.CanMap();
}

// Each picture is painted into memory and then written with the platform's
// atomic file, so that a failed render never leaves half a picture and a
// FIFO, a device or a hard-linked file is written as every other output.
bool PaintRaster(QuarvelWindow& window, const RenderOptions& options, const QString& path, QBuffer& out,
                 bool& drawn) {
  const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
  if (!QImageWriter::supportedImageFormats().contains(format)) {
    std::fprintf(stderr, "quarvel render: cannot write pictures of type '%s'\n", format.constData());
    return false;
  }
  // An opaque background gives an opaque picture: no alpha to blend or store.
  const bool opaque = options.background.alpha() == 255;
  QImage image(options.width, options.height, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  {
    QPainter painter(&image);
    drawn = PaintOnce(window, painter, options);
  }
  if (format == "png") {
    std::string png;
    if (!EncodePng(image, options.compression, png)) return false;
    return out.write(png.data(), static_cast<qint64>(png.size())) == static_cast<qint64>(png.size());
  }
  return image.save(&out, format.constData());
}

bool PaintSvg(QuarvelWindow& window, const RenderOptions& options, const QString& path, QBuffer& out, bool& drawn) {
  QSvgGenerator svg;
  svg.setOutputDevice(&out);
  svg.setSize(QSize(options.width, options.height));
  svg.setViewBox(QRect(0, 0, options.width, options.height));
  svg.setTitle(QFileInfo(path).completeBaseName());
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  drawn = PaintOnce(window, painter, options);
  return painter.end();
}

bool PaintPdf(QuarvelWindow& window, const RenderOptions& options, QBuffer& out, bool& drawn) {
  QPdfWriter pdf(&out);
  // One point per pixel: the page is the picture.
  pdf.setResolution(72);
  pdf.setPageSize(QPageSize(QSizeF(options.width, options.height), QPageSize::Point));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  drawn = PaintOnce(window, painter, options);
  return painter.end();
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

  const QString path = QString::fromLocal8Bit(options.output.c_str());
  const QString suffix = QFileInfo(path).suffix().toLower();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool drawn = false, painted;
  if (suffix == "svg")
    painted = PaintSvg(window, options, path, buffer, drawn);
  else if (suffix == "pdf")
    painted = PaintPdf(window, options, buffer, drawn);
  else
    painted = PaintRaster(window, options, path, buffer, drawn);
  buffer.close();
  if (!painted) {
    std::fprintf(stderr, "quarvel render: cannot write '%s'\n", options.output.c_str());
    return KExit::kFailure;
  }
  const KResult written =
      WriteFileAtomically(options.output, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!written) {
    std::fprintf(stderr, "quarvel render: %s\n", written.message().c_str());
    return ExitFor(written.status());
  }
  if (window.paintCut)
    std::fprintf(stderr,
                 "quarvel render: blocks insert each other too often; '%s' leaves inserted blocks out after "
                 "%lld of their entries\n",
                 options.output.c_str(), KRenderer::kMaxInsertedEntries);
  if (!drawn)
    std::fprintf(stderr, "quarvel render: nothing drawable in the drawing; '%s' shows the background only\n",
                 options.output.c_str());
  return status;
}

const KCommandRegistrar reg({"render", kUsageLine, &RunRender});

}  // namespace
