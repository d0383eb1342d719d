// Real pixels of a coloured grid: the GRID3D picture lands over the grid's
// rectangle, its first row at the bottom, and nothing is drawn around it.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "tests/qt/paint_util.h"
#include "tests/support/grid_bytes.h"
#include "tests/support/temp_dir.h"

namespace {

const QRgb kGrey = qRgb(128, 128, 128);

TEST(Grid3DDraw, ColouredNodesOverTheGridRectangle) {
  // 4 x 3 nodes from (20, 10), spaced 40 x 30: the picture covers
  // (20, 10)-(140, 70), i.e. device columns 20..139 and rows 30..89 of a
  // 200 x 100 image. Node (i, j) holds i + 4 j, so 0 is the bottom-left
  // corner and 11 the top-right one.
  GridBytes grid(4, 3, 8, 20, 10, 40, 30);
  for (int k = 0; k < 12; ++k) grid.Double(k);
  const TempDir dir;
  QImage image(200, 100, QImage::Format_RGB32);
  image.fill(kGrey);
  PaintUnitScale(image, "GRID3D " + dir.Write("g.grd", grid.bytes()) + "\n");

  // Each node is a 30 x 20 block of pixels (120 / 4, 60 / 3).
  EXPECT_EQ(image.pixel(25, 85), qRgb(0, 0, 0));          // node (0, 0): the minimum
  EXPECT_EQ(image.pixel(135, 35), qRgb(255, 255, 255));   // node (3, 2): the maximum
  EXPECT_EQ(image.pixel(65, 85), qRgb(0, 0, 162));        // node (1, 0): 1 on the 0..11 scale
  EXPECT_EQ(image.pixel(25, 35), qRgb(255, 23, 232));     // node (0, 2): 8, just past magenta toward yellow
  // Around the picture the background stays.
  EXPECT_EQ(image.pixel(10, 50), kGrey);
  EXPECT_EQ(image.pixel(150, 50), kGrey);
  EXPECT_EQ(image.pixel(80, 20), kGrey);
  EXPECT_EQ(image.pixel(80, 95), kGrey);
  // The block edges: column 20 is the first of the picture, 19 is not.
  EXPECT_EQ(image.pixel(20, 85), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(19, 85), kGrey);
}

TEST(Grid3DDraw, MissingGridFileDrawsNothing) {
  QImage image(60, 40, QImage::Format_RGB32);
  image.fill(kGrey);
  PaintUnitScale(image, "GRID3D /nonexistent/quarvel/missing.grd\n");
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ASSERT_EQ(image.pixel(x, y), kGrey) << x << "," << y;
}

}  // namespace
