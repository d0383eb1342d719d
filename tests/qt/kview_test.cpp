#include "qt/view/kview.h"

#include <gtest/gtest.h>

#include <QImage>

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

}  // namespace
