// Plot-ready pictures from "quarvel render": the default margin keeps the
// frame whole, decorations stay off the drawing, grids reach PDF and SVG
// pixel for pixel, and a page at a map scale is true to it.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <string>

#include "io/grid/grid_file_reader.h"
#include "model/grid/grid3d_image.h"
#include "tests/qt/paint_util.h"
#include "tests/support/file_bytes.h"
#include "tests/support/result_checks.h"

namespace {

ProgramRun Render(std::vector<std::string> args) {
  args.insert(args.begin(), "render");
  return RunQuarvel(args, QUARVEL_SOURCE_DIR);
}

bool DarkRowNear(const QImage& image, int x, int y) {
  for (int d = -1; d <= 1; ++d)
    if ((image.pixel(x, y + d) & 0xFFFFFF) == 0) return true;
  return false;
}

TEST(PlotRender, DefaultMarginKeepsTheWholeFrameInside) {
  TempDir dir;
  ASSERT_TRUE(ExitedWith(Render({"examples/map.qvd", "-o", dir.File("m.png")}), 0, {}));
  const QImage image(QString::fromStdString(dir.File("m.png")));
  ASSERT_EQ(image.size(), QSize(1200, 900));
  // 4 % of 900 is 36 pixels: the 10 x 8 km frame is 828 pixels high, from
  // row 36 to row 864, both lines drawn; the picture's edges stay white.
  EXPECT_TRUE(DarkRowNear(image, 600, 36));
  EXPECT_TRUE(DarkRowNear(image, 600, 864));
  for (int x : {0, 600, 1199}) {
    EXPECT_EQ(image.pixel(x, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(x, 899) & 0xFFFFFF, 0xFFFFFFu);
  }
  EXPECT_EQ(image.pixel(0, 450) & 0xFFFFFF, 0xFFFFFFu);
}

// The grid reaches past the map's frame; with decorations it is cut at the
// frame, so no grid colour lies in the margins the labels use.
TEST(PlotRender, DecorationsKeepTheDrawingInsideItsFrame) {
  TempDir dir;
  const ProgramRun r = Render({"--ticks", "--scale-bar", "--north-arrow", "--legend", "examples/depth_grid.qvd",
                               "examples/map.qvd", "-o", dir.File("d.png")});
  ASSERT_TRUE(ExitedWith(r, 0, {}));
  const QImage image(QString::fromStdString(dir.File("d.png")));
  const auto vivid = [](QRgb p) {
    const QColor c(p);
    return c.saturation() > 200 && c.value() > 100;
  };
  // Left of the frame (the y labels) and below it (x labels, scale bar).
  const QImage left = image.copy(0, 0, 60, 900), below = image.copy(0, 830, 1000, 70);
  EXPECT_EQ(CountPixels(left, vivid), 0);
  EXPECT_EQ(CountPixels(below, vivid), 0);
  // The legend's colour bar holds the grid's colours: the only vivid pixels
  // right of the frame.
  EXPECT_GT(CountPixels(image.copy(1045, 0, 155, 900), vivid), 500);
}

// The picture of a grid's values, as GRID3D colours it.
QImage GridPicture(const std::string& path) {
  KGridFile grid;
  EXPECT_TRUE(ReadGridFile(grid, path));
  KColorTable colours;
  const KImage k = BuildGridImage(grid, colours);
  return QImage(reinterpret_cast<const uchar*>(k.pixels.data()), k.width, k.height, k.width * 4,
                QImage::Format_RGB32)
      .convertToFormat(QImage::Format_RGB888);
}

std::string Between(const std::string& text, std::size_t from, const std::string& a, const std::string& b) {
  const std::size_t start = text.find(a, from);
  if (start == std::string::npos) return {};
  const std::size_t end = text.find(b, start + a.size());
  return end == std::string::npos ? std::string() : text.substr(start + a.size(), end - start - a.size());
}

TEST(PlotRender, GridsReachPdfAndSvgLosslessly) {
  TempDir dir;
  const QImage want = GridPicture(std::string(QUARVEL_SOURCE_DIR) + "/examples/depth.grd");
  ASSERT_EQ(want.size(), QSize(103, 83));
  for (const char* margin : {"0", "5%"}) {
    for (const char* out : {"g.pdf", "g.svg"})
      ASSERT_TRUE(ExitedWith(
          Render({"--margin", margin, "examples/depth_grid.qvd", "examples/map.qvd", "-o", dir.File(out)}), 0, {}));

    const std::string pdf = ReadFileBytes(dir.File("g.pdf"));
    EXPECT_EQ(pdf.find("/DCTDecode"), std::string::npos) << margin;
    const std::size_t image = pdf.find("/Subtype /Image");
    ASSERT_NE(image, std::string::npos);
    EXPECT_NE(pdf.find("/Width 103", image), std::string::npos);
    // The stream inflates to the grid's own RGB bytes.
    const std::string deflated = Between(pdf, image, "stream\n", "endstream");
    const int size = want.width() * want.height() * 3;
    QByteArray packed = QByteArray::fromStdString(deflated);
    packed.prepend(QByteArray::fromStdString(std::string{char(size >> 24), char(size >> 16), char(size >> 8), char(size)}));
    const QByteArray pixels = qUncompress(packed);
    ASSERT_EQ(pixels.size(), size) << margin;
    for (int row = 0; row < want.height(); ++row)
      ASSERT_EQ(QByteArray(reinterpret_cast<const char*>(want.constScanLine(row)), want.width() * 3),
                pixels.mid(row * want.width() * 3, want.width() * 3))
          << "row " << row;

    const std::string svg = ReadFileBytes(dir.File("g.svg"));
    const std::string png = Between(svg, 0, "data:image/png;base64,", "\"");
    ASSERT_FALSE(png.empty()) << margin;
    const QImage embedded = QImage::fromData(QByteArray::fromBase64(QByteArray::fromStdString(png)));
    EXPECT_EQ(embedded.convertToFormat(QImage::Format_RGB888), want) << margin;
  }
}

TEST(PlotRender, PaperAtAScaleIsTrueAndRefusedWhenTooLarge) {
  TempDir dir;
  ASSERT_TRUE(ExitedWith(Render({"--margin", "0", "--paper", "A4,landscape", "--scale", "1:50000", "examples/map.qvd",
                                 "-o", dir.File("a4.svg")}),
                         0, {}));
  const std::string svg = ReadFileBytes(dir.File("a4.svg"));
  EXPECT_NE(svg.find("width=\"297"), std::string::npos);
  EXPECT_NE(svg.find("viewBox=\"0 0 3508 2480\""), std::string::npos);
  QSvgRenderer renderer(QByteArray::fromStdString(svg));
  ASSERT_TRUE(renderer.isValid());
  QImage page(3508, 2480, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter painter(&page);
  renderer.render(&painter);
  painter.end();
  // 10 x 8 km at 1:50000 is 200 x 160 mm, 2362 x 1890 pixels at 300 dpi,
  // centred: rows 295 to 2185. World y = 1 km, row 1949, crosses only the
  // frame's sides and a red fault; the sides, thin and smoothed, are its
  // only grey.
  const int row = 1949;
  int first = -1, last = -1;
  for (int x = 0; x < page.width(); ++x)
    if (const QColor c = page.pixelColor(x, row); c.saturation() < 30 && c.value() < 200) {
      if (first < 0) first = x;
      last = x;
    }
  EXPECT_NEAR(last - first, 2362, 3);

  const std::string big = dir.File("big.pdf");
  EXPECT_TRUE(ExitedWith(Render({"--paper", "A4", "--scale", "1:20000", "examples/map.qvd", "-o", big}), 2,
                         {"500 x 400 mm at 1:20000"}));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(big)));
}

}  // namespace
