// Real pixels from the Qt device: lines, fills, layers, images with alpha,
// text placement and the decoding of drawing text.
#include <gtest/gtest.h>

#include <random>

#include <QImage>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

#include "io/document/open_document.h"
#include "model/document/elements.h"
#include "model/document/kones.h"
#include "qt/platform/drawing_text.h"
#include "qt/platform/qt_device.h"
#include "qt/platform/qt_font.h"

#include "tests/qt/paint_util.h"

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);

QImage Blank(int w = 200, int h = 100) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(kWhite);
  return image;
}


int CountNot(const QImage& image, QRgb colour, QRect area = {}) {
  if (area.isNull()) area = image.rect();
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixel(x, y) != colour) ++n;
  return n;
}

int Count(const QImage& image, QRgb colour) {
  return image.width() * image.height() - CountNot(image, colour);
}

}  // namespace

TEST(QtDevice, FilledRedPolygonHasNoOutline) {
  QImage image = Blank();
  // Rows 100 - y: the square covers columns 10..49 and rows 50..89.
  PaintUnitScale(image, "RGB 255 0 0\nPline\n10,10\n50,10\n50,50\n10,50\nS\n\n");
  EXPECT_EQ(Count(image, kRed), 40 * 40);
  for (int x = 10; x < 50; ++x) {
    EXPECT_EQ(image.pixel(x, 50), kRed);
    EXPECT_EQ(image.pixel(x, 89), kRed);
  }
  EXPECT_EQ(CountNot(image, kWhite), 40 * 40);  // nothing but the red fill

  QImage stroked = Blank();
  PaintUnitScale(stroked, "RGB 255 0 0\nPline\n10,10\n50,10\n50,50\n10,50\nC\n\n");
  EXPECT_EQ(stroked.pixel(30, 70), kWhite);  // the inside stays empty
  EXPECT_GT(Count(stroked, kRed), 100);
}

TEST(QtDevice, HiddenLayerDrawsNothingViewOnlyLayerDraws) {
  QImage hidden = Blank();
  PaintUnitScale(hidden, "Layer M h\nLayer NotViewNotEdit\nRGB 0 0 255\nPline\n0,50\n200,50\n\n");
  EXPECT_EQ(CountNot(hidden, kWhite), 0);

  QImage viewOnly = Blank();
  PaintUnitScale(viewOnly, "Layer M v\nLayer ViewNotEdit\nRGB 0 0 255\nPline\n0,50\n200,50\n\n");
  // A one-pixel horizontal line across the whole image, row 100 - 50.
  EXPECT_EQ(CountNot(viewOnly, kWhite), 200);
  EXPECT_EQ(viewOnly.pixel(100, 50), qRgb(0, 0, 255));
}

TEST(QtDevice, OnePixelLinesLeaveOutTheirLastPixelAndInvertingTwiceRestores) {
  QImage image = Blank(20, 20);
  {
    KQtDevice device(&image, image.size());
    device.SelectPen(kPenSolid, 0, 0);
    device.MoveTo(2, 2);
    device.LineTo(7, 2);
    device.LineTo(7, 9);
  }
  EXPECT_EQ(CountNot(image, kWhite), 5 + 7);
  EXPECT_NE(image.pixel(7, 2), kWhite);   // the joint, once
  EXPECT_EQ(image.pixel(7, 9), kWhite);   // the last point is left out

  // The rubber band: an inverting polyline drawn twice leaves no trace.
  QImage band = Blank(40, 40);
  band.setPixel(10, 10, qRgb(0, 128, 0));
  const QImage before = band.copy();
  {
    KQtDevice device(&band, band.size());
    device.SetRop2(kRop2Not);
    for (int pass = 0; pass < 2; ++pass) {
      device.MoveTo(5, 10);
      device.LineTo(30, 10);
      device.LineTo(30, 30);
      device.LineTo(5, 30);
      device.LineTo(5, 10);
      if (pass == 0) {
        EXPECT_EQ(band.pixel(20, 10), qRgb(0, 0, 0));
        EXPECT_EQ(band.pixel(10, 10), qRgb(255, 127, 255));
        EXPECT_EQ(band.pixel(30, 10), qRgb(0, 0, 0));  // corners inverted once
      }
    }
  }
  EXPECT_EQ(band, before);
}

TEST(QtDevice, WidePensAreCentredOnTheLine) {
  QImage image = Blank(40, 40);
  {
    KQtDevice device(&image, image.size());
    device.SelectPen(kPenSolid | kPenEndCapFlat, 5, KRgb(255, 0, 0));
    device.MoveTo(5, 20);
    device.LineTo(35, 20);
  }
  for (int y = 18; y <= 22; ++y) EXPECT_EQ(image.pixel(20, y), kRed) << y;
  EXPECT_EQ(image.pixel(20, 17), kWhite);
  EXPECT_EQ(image.pixel(20, 23), kWhite);
}

TEST(QtDevice, AlphaImageShowsWhatLiesBeneath) {
  // A blue band under a 2 x 2 image whose left column is transparent.
  KBmpIn element;
  element.x = 0;
  element.y = 0;
  element.width = 100;
  element.height = 100;
  element.image.width = 2;
  element.image.height = 2;
  element.image.hasAlpha = true;
  element.image.pixels = {0x00FF0000u, 0xFF00FF00u, 0x00FF0000u, 0xFF00FF00u};

  auto paint = [&](const KBmpIn& bmp) {
    QImage image = Blank(100, 100);
    KOnes doc;
    OpenMemory(doc, "RGB 0 0 255\nPline\n0,0\n100,0\n100,100\n0,100\nS\n\n");
    doc.AddEntry(kKindBitmap, std::make_unique<KBmpIn>(bmp));
    PaintUnitScale(image, doc);
    return image;
  };
  QImage blended = paint(element);
  EXPECT_EQ(blended.pixel(25, 50), qRgb(0, 0, 255));   // transparent: the blue beneath
  EXPECT_EQ(blended.pixel(75, 50), qRgb(0, 255, 0));   // opaque green

  KBmpIn opaque = element;
  opaque.image.hasAlpha = false;
  for (auto& p : opaque.image.pixels) p |= 0xFF000000u;
  QImage covered = paint(opaque);
  EXPECT_EQ(covered.pixel(25, 50), qRgb(255, 0, 0));   // the image covers its rectangle
  EXPECT_EQ(covered.pixel(75, 50), qRgb(0, 255, 0));
}

TEST(QtDevice, BottomAlignedTextStandsOnItsCellBottom) {
  KDeviceFont font;
  font.height = 30;  // cell height in pixels
  QImage bottom = Blank(200, 100);
  {
    KQtDevice device(&bottom, bottom.size());
    device.SetBkMode(kBkTransparent);
    device.SetTextAlign(kAlignLeft | kAlignBottom);
    device.TextOut(10, 60, "Hgjy", font);
  }
  int top = 100, low = -1, leftmost = 200;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x)
      if (bottom.pixel(x, y) != kWhite) {
        top = std::min(top, y);
        low = std::max(low, y);
        leftmost = std::min(leftmost, x);
      }
  ASSERT_GE(low, 0) << "no ink";
  EXPECT_LT(low, 60);          // nothing below the cell bottom
  EXPECT_GE(low, 60 - 4);      // descenders reach near it
  EXPECT_GE(top, 60 - 30);     // nothing above the cell top
  EXPECT_GE(leftmost, 10);

  QImage topAligned = Blank(200, 100);
  {
    KQtDevice device(&topAligned, topAligned.size());
    device.SetBkMode(kBkTransparent);
    device.SetTextAlign(kAlignLeft | kAlignTop);
    device.TextOut(10, 20, "Hgjy", font);
  }
  int firstRow = 100;
  for (int y = 0; y < 100 && firstRow == 100; ++y)
    for (int x = 0; x < 200; ++x)
      if (topAligned.pixel(x, y) != kWhite) {
        firstRow = y;
        break;
      }
  EXPECT_GE(firstRow, 20);
  EXPECT_LT(firstRow, 30);
}

TEST(QtDevice, TextWidthEscapementAndColour) {
  KDeviceFont narrow, wide;
  narrow.height = wide.height = 20;
  narrow.width = 4;
  wide.width = 12;
  auto inkWidth = [](const KDeviceFont& font) {
    QImage image = Blank(400, 60);
    KQtDevice device(&image, image.size());
    device.SetBkMode(kBkTransparent);
    device.SetTextAlign(kAlignLeft | kAlignBottom);
    device.SetTextColor(KRgb(255, 0, 0));
    device.TextOut(5, 40, "MMMMMMMM", font);
    device.End();
    int right = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 400; ++x)
        if (image.pixel(x, y) != kWhite) right = std::max(right, x);
    return right;
  };
  EXPECT_GT(inkWidth(wide), 2 * inkWidth(narrow));

  // Turned 90 degrees counter-clockwise: the text runs upward.
  KDeviceFont up;
  up.height = 20;
  up.escapement = 900;
  QImage image = Blank(100, 200);
  {
    KQtDevice device(&image, image.size());
    device.SetBkMode(kBkTransparent);
    device.SetTextAlign(kAlignLeft | kAlignBottom);
    device.SetTextColor(KRgb(255, 0, 0));
    device.TextOut(50, 150, "MMMMMM", up);
  }
  int minY = 200, maxY = 0, maxX = 0;
  bool red = false;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 100; ++x)
      if (image.pixel(x, y) != kWhite) {
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
        maxX = std::max(maxX, x);
        if (qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 60) red = true;
      }
  EXPECT_LE(maxY, 150);
  EXPECT_LT(minY, 100);
  EXPECT_LE(maxX, 50);  // the cell lies left of the upward baseline
  EXPECT_TRUE(red);
}

TEST(QtDevice, DrawingTextDecodesUtf8ElseGbk) {
  EXPECT_EQ(DecodeDrawingText("Well A-1"), QString("Well A-1"));
  EXPECT_EQ(DecodeDrawingText("\xE5\xBA\x8F\xE5\x8F\xB7"), QString::fromUtf8("序号"));
  ASSERT_TRUE(HasGbkDecoder());
  EXPECT_EQ(DecodeDrawingText("\xD0\xF2\xBA\xC5"), QString::fromUtf8("序号"));
  EXPECT_EQ(DecodeDrawingText("\x20\xD2\xC0\xB4\xCE\xD6\xB4\xD0\xD0"), QString::fromUtf8(" 依次执行"));
  // A cut GBK sequence still decodes without reading past the bytes.
  EXPECT_FALSE(DecodeDrawingText("\xD0").isNull());
}

TEST(QtDevice, GbkHeaderOfTheStepChartIsDrawnWithCjkGlyphs) {
  // The glyphs the device's font gives the decoded header: none may be the
  // missing-glyph box (glyph 0), as private-use characters are.
  auto missingGlyphs = [](const std::string& bytes) {
    KDeviceFont description;
    description.height = 40;
    std::optional<KQtFont> font = ResolveFont(description, KQtDevice::kMaxTextPixels);
    EXPECT_TRUE(font.has_value());
    QTextLayout layout(DecodeDrawingText(bytes), font->font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int missing = 0, glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns())
      for (quint32 index : run.glyphIndexes()) {
        ++glyphs;
        if (index == 0) ++missing;
      }
    EXPECT_GT(glyphs, 0);
    return missing;
  };
  EXPECT_EQ(missingGlyphs("\xD0\xF2\xBA\xC5"), 0);
  EXPECT_EQ(missingGlyphs("\x20\xD2\xC0\xB4\xCE\xD6\xB4\xD0\xD0"), 0);
  EXPECT_GT(missingGlyphs("\xEE\x80\x80"), 0);  // U+E000: no font has it
}

TEST(QtDevice, PieAndEllipseFillTheirShapes) {
  QImage image = Blank(100, 100);
  {
    KQtDevice device(&image, image.size());
    device.SelectPen(kPenNull, 0, 0);
    device.Ellipse(0, 0, 100, 100, KRgb(0, 0, 255));
    // From twelve o'clock counter-clockwise to nine o'clock: the upper-left quarter.
    device.Pie(0, 0, 100, 100, 50, 0, 0, 50, KRgb(255, 0, 0));
  }
  EXPECT_EQ(image.pixel(30, 30), kRed);
  EXPECT_EQ(image.pixel(70, 30), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(30, 70), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(2, 2), kWhite);
}

namespace {

// Pixels and solid rectangles are written straight into a 32-bit image; with
// a clip (or any other painter state) the painter draws them. Both ways give
// the same pixels, clipped to the image, and keep their place among lines.
TEST(QtDevice, PixelsAndRectanglesWrittenDirectlyMatchThePainter) {
  const auto paint = [](QImage& image, bool throughPainter) {
    KQtDevice device(&image, image.size());
    if (throughPainter) device.painter()->setClipRect(image.rect());
    device.SelectPen(kPenSolid, 0, KRgb(0, 0, 255));
    device.MoveTo(0, 5);
    device.LineTo(30, 5);
    device.SetPixel(3, 5, KRgb(255, 0, 0));       // over the line drawn before it
    device.SetPixel(-1, 2, KRgb(255, 0, 0));      // outside: nothing
    device.SetPixel(39, 19, KRgb(0, 128, 0));
    device.FillSolidRect(35, 15, 10, 10, KRgb(255, 0, 0));  // partly outside
    device.FillSolidRect(12, 12, -4, -3, KRgb(0, 0, 0));    // normalised
    device.End();
  };
  QImage direct = Blank(40, 20), painted = Blank(40, 20);
  paint(direct, false);
  paint(painted, true);
  EXPECT_EQ(direct, painted);
  EXPECT_EQ(direct.pixel(3, 5), kRed);
  EXPECT_EQ(direct.pixel(4, 5), qRgb(0, 0, 255));
  EXPECT_EQ(direct.pixel(39, 19), kRed);
  EXPECT_EQ(Count(direct, kRed), 1 + 5 * 5);
  EXPECT_EQ(Count(direct, qRgb(0, 0, 0)), 4 * 3);
}

}  // namespace

namespace {

// A run of lines handed over at once draws exactly what the same LineTo
// calls draw, copying or inverting.
TEST(QtDevice, PolylineToDrawsWhatLineToDraws) {
  const std::vector<KIntPoint> path = {{30, 10}, {30, 10}, {60, 80}, {150, 40}, {10, 90}};
  for (int rop : {kRop2CopyPen, kRop2Not}) {
    QImage one = Blank(), each = Blank();
    {
      KQtDevice device(&one, one.size());
      device.SetRop2(rop);
      device.MoveTo(5, 5);
      device.PolylineTo(path.data(), path.size());
    }
    {
      KQtDevice device(&each, each.size());
      device.SetRop2(rop);
      device.MoveTo(5, 5);
      for (const KIntPoint& p : path) device.LineTo(p.x, p.y);
    }
    EXPECT_EQ(one, each) << "rop " << rop;
    EXPECT_GT(CountNot(one, kWhite), 200);
  }
}

// The device clips one-pixel lines to the whole image for speed: that must
// not move a pixel against the unclipped painter, for lines of every slope
// (short and long, solid and dashed) and lines leaving the image.
TEST(QtDevice, OnePixelLinesMatchTheUnclippedPainter) {
  std::mt19937 random(26);
  std::uniform_int_distribution<int> start(-40, 240), step(-7, 7), jump(-150, 150);
  QImage device = Blank(), plain = Blank();
  {
    KQtDevice kq(&device, device.size());
    QPainter painter(&plain);
    for (int line = 0; line < 400; ++line) {
      const int style = line % 5 == 0 ? kPenDash : kPenSolid;
      const KColorRef colour = KRgb(line % 256, (line * 7) % 256, 200);
      kq.SelectPen(style, 0, colour);
      QPen pen(ToQColor(colour), 0, style == kPenDash ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap);
      painter.setPen(pen);
      std::vector<KIntPoint> points{{start(random), start(random) / 2}};
      const bool longSteps = line % 3 == 0;
      for (int i = 0; i < 12; ++i) {
        const KIntPoint p = points.back();
        points.push_back({p.x + (longSteps ? jump(random) : step(random)), p.y + (longSteps ? jump(random) : step(random))});
      }
      kq.MoveTo(points[0].x, points[0].y);
      kq.PolylineTo(points.data() + 1, points.size() - 1);
      kq.Flush();
      QPolygon polygon;
      for (const KIntPoint& p : points) polygon << QPoint(p.x, p.y);
      painter.drawPolyline(polygon);
    }
  }
  EXPECT_EQ(device, plain);
  EXPECT_GT(CountNot(device, kWhite), 2000);
}

}  // namespace
