#include "qt/view/kview.h"

#include <gtest/gtest.h>

#include <QImage>
#include <random>
#include <string>

#include "tests/qt/paint_util.h"

namespace {

// A red filled square from (0,0) to (100,100) and an open blue line.
const char* kDrawing =
    "RGB 255 0 0\nPline\n0,0\n100,0\n100,100\n0,100\nS\n\n"
    "RGB 0 0 255\nPline\n0,50\n100,50\n\n";

TEST(KView, FirstPaintFitsAndLaterPaintsKeepTheView) {
  KView view;
  view.resize(200, 200);
  view.Window().OnOpenDocumentMem(kDrawing);
  QImage first = view.grab().toImage();
  // Fitted: the red square fills most of the 200 x 200 client area.
  EXPECT_GT(CountColour(first, qRgb(255, 0, 0)), 150 * 150);
  EXPECT_GT(CountColour(first, qRgb(0, 0, 255)), 100);
  const double scale = view.Window().view.scaleX;

  // Growing the widget does not refit: the square keeps its pixel size.
  view.resize(400, 300);
  QImage second = view.grab().toImage();
  EXPECT_EQ(second.size(), QSize(400, 300));
  EXPECT_DOUBLE_EQ(view.Window().view.scaleX, scale);
  EXPECT_NEAR(CountColour(second, qRgb(255, 0, 0)), CountColour(first, qRgb(255, 0, 0)), 400);
}

TEST(KView, EmptyDocumentPaintsTheBackgroundAndStaysUnfitted) {
  KView view;
  view.resize(64, 48);
  QImage image = view.grab().toImage();
  EXPECT_EQ(CountColour(image, qRgb(255, 255, 255)), 64 * 48);
  EXPECT_FALSE(view.Window().ViewPart().Fitted());
}

// Lines painted in bands of rows on several threads make the very picture
// one thread paints: the map's symbols, labels and fills, and wandering
// lines in many colours that cross the band borders again and again (odd
// band counts put borders at uneven rows).
TEST(KView, BandedPaintEqualsOneThread) {
  std::string drawing;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> start(0, 9000), step(-60, 60);
  for (int line = 0; line < 300; ++line) {
    drawing += "RGB " + std::to_string(line % 256) + " " + std::to_string(line * 7 % 256) + " 90\n";
    drawing += "Pline\n";
    int x = start(random), y = start(random);
    for (int i = 0; i < 40; ++i, x += step(random), y += step(random))
      drawing += std::to_string(x) + "," + std::to_string(y) + "\n";
    drawing += "\n";
  }
  const auto paint = [&](int threads) {
    KView view;
    view.SetPaintThreads(threads);
    view.resize(413, 301);
    EXPECT_TRUE(view.Window().Open(std::string(QUARVEL_SOURCE_DIR) + "/examples/map.qvd"));
    view.Window().OnOpenDocumentMem(drawing);
    return view.grab().toImage();
  };
  const QImage one = paint(1);
  EXPECT_EQ(one, paint(3));
  EXPECT_EQ(one, paint(2));
  EXPECT_GT(CountPixels(one, [](QRgb p) { return qGray(p) < 200; }), 4000);
}

}  // namespace
