// quarvel.render and quarvel.render_array: the drawing painted as "quarvel
// render" paints it (the view fitted to the extent, as a first paint), on
// the offscreen platform.
#include "python/render.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <QImage>
#include <QString>

#include <cstring>
#include <string>
#include <utility>

#include "python/drawing.h"
#include "python/errors.h"
#include "qt/export/painting_app.h"
#include "qt/export/picture_export.h"

namespace py = pybind11;

namespace {

// Each side at most this many pixels, as the programs allow.
constexpr int kMaxSide = 16384;

QSize PictureSize(const std::pair<int, int>& size) {
  if (size.first < 1 || size.second < 1 || size.first > kMaxSide || size.second > kMaxSide)
    BadArgument("size", "wants (width, height), each from 1 to " + std::to_string(kMaxSide));
  return QSize(size.first, size.second);
}

QColor Background(const std::string& name) {
  const QColor colour = QColor::fromString(QString::fromStdString(name));
  if (!colour.isValid()) BadArgument("background", "unknown colour '" + name + "' (use a name or #RRGGBB)");
  return colour;
}

py::bytes Render(KPyDrawing& d, const std::pair<int, int>& size, const std::string& format,
                 const std::string& background, int compression) {
  const QSize pixels = PictureSize(size);
  const QColor colour = Background(background);
  if (format != "png" && format != "svg" && format != "pdf") BadArgument("format", "wants 'png', 'svg' or 'pdf'");
  if (compression < 0 || compression > kPngSmallest)
    BadArgument("compression", "wants 0 to " + std::to_string(kPngSmallest));
  EnsurePaintingApplication();
  const KResultWith<std::string> bytes =
      PaintingBytes(FirstPaint(d.window), pixels, QString::fromStdString(format), "quarvel", colour, compression);
  Check(bytes);
  return py::bytes(bytes.value());
}

py::array_t<std::uint8_t> RenderArray(KPyDrawing& d, const std::pair<int, int>& size, const std::string& background) {
  const QSize pixels = PictureSize(size);
  const QColor colour = Background(background);
  EnsurePaintingApplication();
  const QImage image =
      PaintingImage(FirstPaint(d.window), pixels, colour).convertToFormat(QImage::Format_RGBA8888);
  if (image.isNull()) throw KResultError("cannot paint the picture");
  const py::ssize_t w = image.width(), h = image.height();
  py::array_t<std::uint8_t> out({h, w, py::ssize_t(4)});
  for (py::ssize_t row = 0; row < h; ++row)
    std::memcpy(out.mutable_data(row, 0, 0), image.constScanLine(static_cast<int>(row)), static_cast<std::size_t>(w) * 4);
  return out;
}

}  // namespace

void RegisterRender(py::module_& m) {
  m.def("render", &Render, py::arg("drawing"), py::arg("size") = std::pair<int, int>(1200, 900),
        py::arg("format") = "png", py::arg("background") = "white", py::arg("compression") = kPngFastest,
        "The drawing as a picture: PNG, SVG or PDF bytes of size (width, height) pixels, the view fitted to the "
        "extent; the same bytes as 'quarvel render --margin 0' writes. compression is the PNG's zlib level (0 to 9). "
        "Uses an offscreen Qt application, made on the first call when the process has none.");
  m.def("render_array", &RenderArray, py::arg("drawing"), py::arg("size") = std::pair<int, int>(1200, 900),
        py::arg("background") = "white",
        "The pixels render() encodes, as an (height, width, 4) uint8 RGBA array (a copy), row 0 at the top.");
}
