// Vector pictures: the polylines an SVG or PDF holds, written point for
// point as the generators would, without points on straight runs or far
// off the page.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include "qt/export/picture_export.h"
#include "qt/platform/qt_device.h"

namespace {

// The SVG the generator writes by itself for what paint draws on size
// pixels, as PaintingBytes sets it up.
std::string GeneratorSvg(const std::function<void(KDevice&)>& paint, QSize size, const QString& title) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(title);
  svg.setResolution(72);
  {
    QPainter painter(&svg);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    KQtDevice device(&painter, size);
    paint(device);
  }
  return bytes.toStdString();
}

QStringList SvgPoints(const std::string& svg) {
  QStringList lines;
  static const QRegularExpression points("points=\"([^\"]*)\"");
  for (auto match = points.globalMatch(QString::fromStdString(svg)); match.hasNext();)
    lines << match.next().captured(1).simplified();
  return lines;
}

// In SVG, points repeated or on the straight way between their neighbours
// are left out of the polyline; corners, ends and a lone dot stay.
TEST(QtDevice, VectorPicturesLeaveOutPointsOnStraightRuns) {
  const std::string svg = GeneratorSvg(
      [](KDevice& device) {
        const std::vector<KIntPoint> path = {{10, 0}, {20, 0}, {20, 0}, {30, 0}, {30, 10}, {30, 20}, {20, 10}};
        device.MoveTo(0, 0);
        device.PolylineTo(path.data(), path.size());
        device.MoveTo(50, 50);
        device.LineTo(50, 50);
        device.LineTo(50, 50);
      },
      QSize(100, 100), "lines");
  EXPECT_EQ(SvgPoints(svg), QStringList({"0,0 30,0 30,20 20,10", "50,50 50,50"})) << svg;
}

// Exported SVG writes the polylines' points itself: the same bytes as the
// generator alone, pens, fills and lines drawn on the painter in order, also
// when the painting draws a stand-in's points itself; far points keep all
// their digits, where the generator alone keeps six.
TEST(QtDevice, ExportedSvgIsWhatTheGeneratorWrites) {
  for (const bool drawsStandIn : {false, true}) {
    const auto paint = [drawsStandIn](KDevice& device) {
      device.MoveTo(5, 5);
      device.LineTo(60, 7);
      device.FillPolygon({{10, 10}, {40, 10}, {20, 30}}, KRgb(0, 0, 255), kFillAlternate);
      QPainter* painter = dynamic_cast<KQtDevice&>(device).painter();
      painter->drawLine(1, 2, 3, 4);
      if (drawsStandIn) painter->drawPolyline(QPolygon({{-99999, -99999}, {-99998, -99998}}));
      device.SelectPen(kPenDash, 3, KRgb(0, 128, 0));
      device.LineTo(-30, 90);
    };
    const KResultWith<std::string> svg = PaintingBytes(paint, QSize(100, 100), "svg", "mixed");
    ASSERT_TRUE(svg) << svg.message();
    EXPECT_EQ(svg.value(), GeneratorSvg(paint, QSize(100, 100), "mixed"));
  }
  const auto far = [](KDevice& device) { device.LineTo(1234567, -2500001); };
  EXPECT_EQ(SvgPoints(PaintingBytes(far, QSize(100, 100), "svg", "far").value()),
            QStringList({"0,0 1234567,-2500001"}));
  EXPECT_EQ(SvgPoints(GeneratorSvg(far, QSize(100, 100), "far")), QStringList({"0,0 1.23457e+06,-2.5e+06"}));
}

// The matrices, rectangles and path operators of a one-page PDF
// ("a b c d e f cm", "x y w h re", "x y m", "x y l", "S", fills), from its
// inflated streams.
QStringList PdfPathOperators(const std::string& pdf) {
  QStringList out;
  static const QRegularExpression op("^((-?[0-9.]+ ){6}cm|(-?[0-9.]+ ){4}re|-?[0-9.]+ -?[0-9.]+ [ml]|[SsfFbB]\\*?|h)$");
  const QByteArray bytes = QByteArray::fromStdString(pdf);
  for (qsizetype at = bytes.indexOf("stream\n"); at >= 0; at = bytes.indexOf("stream\n", at + 1)) {
    if (at >= 3 && bytes.mid(at - 3, 3) == "end") continue;
    const qsizetype end = bytes.indexOf("endstream", at);
    QByteArray packed = bytes.mid(at + 7, end - at - 7);
    packed.prepend(QByteArray("\x00\x01\x00\x00", 4));  // a size hint for qUncompress
    for (const QByteArray& line : qUncompress(packed).split('\n'))
      if (op.match(QString::fromLatin1(line)).hasMatch()) out << QString::fromLatin1(line);
  }
  return out;
}

// Lines reach a PDF as one stroked path holding the points they are given,
// less repeats and points on straight runs; a brush left on the painter
// fills nothing.
TEST(QtDevice, PdfPolylinesAreStrokedPathsOfTheirPoints) {
  const struct {
    int width;
    bool brush;
    const char* operators;
  } cases[] = {
      {0, false, "1 0 0 -1 0 100 cm|0 0 100 100 re|f|0 0 m|30 0 l|30 20 l|20 10 l|S"},
      {0, true, "1 0 0 -1 0 100 cm|0 0 100 100 re|f|0 0 m|30 0 l|30 20 l|20 10 l|S"},
      // Wide pens are centred on the pixel the coordinates name.
      {3, false, "1 0 0 -1 0 100 cm|0 0 100 100 re|f|1 0 0 1 0.500000000 0.500000000 cm|0 0 m|30 0 l|30 20 l|20 10 l|S"},
  };
  for (const auto& c : cases) {
    const auto paint = [&c](KDevice& device) {
      if (c.brush) dynamic_cast<KQtDevice&>(device).painter()->setBrush(Qt::red);
      device.SelectPen(kPenSolid, c.width, 0);
      const std::vector<KIntPoint> path = {{10, 0}, {20, 0}, {20, 0}, {30, 0}, {30, 10}, {30, 20}, {20, 10}};
      device.MoveTo(0, 0);
      device.PolylineTo(path.data(), path.size());
    };
    const KResultWith<std::string> pdf = PaintingBytes(paint, QSize(100, 100), "pdf", "lines");
    ASSERT_TRUE(pdf) << pdf.message();
    EXPECT_EQ(PdfPathOperators(pdf.value()).join('|').toStdString(), c.operators) << c.width << " " << c.brush;
  }
}

}  // namespace

namespace {

// The picture an SVG shows, rasterised.
QImage Rasterised(const std::string& svg, QSize size) {
  QSvgRenderer renderer(QByteArray::fromStdString(svg));
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

// A zoomed view's line: out of the page over its top edge, far away past
// the right and bottom, back in from the left.
const QPolygon kZoomedLine({{50, 50}, {50, -3}, {150, -3}, {5000, -4000}, {6000, -5000}, {7000, 300},
                            {-3000, 300}, {-20, 150}, {60, 99}, {60, 40}});

void DrawZoomedLine(KDevice& device, int width) {
  device.SelectPen(kPenSolid, width, KRgb(200, 0, 0));
  device.MoveTo(kZoomedLine[0].x(), kZoomedLine[0].y());
  for (const QPoint& p : kZoomedLine) device.LineTo(p.x(), p.y());
}

}  // namespace

// Only the runs near the page (widened by the pen) reach a PDF; the SVG
// shows what the whole line shows, for one-pixel and wide pens.
TEST(QtDevice, VectorPicturesLeaveOutLinesFarOffThePage) {
  const KResultWith<std::string> pdf =
      PaintingBytes([](KDevice& device) { DrawZoomedLine(device, 0); }, QSize(100, 100), "pdf", "zoomed");
  EXPECT_EQ(PdfPathOperators(pdf.value()).mid(3).join('|').toStdString(),
            "50 50 m|50 -3 l|S|-20 150 m|60 99 l|60 40 l|S");
  for (const int width : {0, 9}) {
    const KResultWith<std::string> svg =
        PaintingBytes([width](KDevice& device) { DrawZoomedLine(device, width); }, QSize(100, 100), "svg", "zoomed");
    EXPECT_EQ(SvgPoints(svg.value()).size(), 2);
    // The whole line, drawn on the generator with the device's pen.
    const std::string whole = GeneratorSvg(
        [width](KDevice& device) {
          QPainter* painter = dynamic_cast<KQtDevice&>(device).painter();
          painter->setPen(QPen(QColor(200, 0, 0), width, Qt::SolidLine, width > 1 ? Qt::RoundCap : Qt::FlatCap,
                               Qt::RoundJoin));
          if (width > 1) painter->translate(0.5, 0.5);
          painter->drawPolyline(kZoomedLine);
        },
        QSize(100, 100), "zoomed");
    const QImage shown = Rasterised(svg.value(), QSize(100, 100));
    EXPECT_EQ(shown, Rasterised(whole, QSize(100, 100))) << width;
    QImage blank(shown.size(), shown.format());
    blank.fill(Qt::white);
    EXPECT_NE(shown, blank) << width;
  }
}
