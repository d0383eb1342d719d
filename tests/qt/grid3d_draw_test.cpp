// Real pixels of a coloured grid: the GRID3D picture lands over the grid's
// rectangle, its first row at the bottom, and nothing is drawn around it.
#include <unistd.h>

#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/qt/paint_util.h"

namespace {

const QRgb kGrey = qRgb(128, 128, 128);

void PutLE(std::vector<char>& bytes, std::size_t at, std::uint64_t v, int size) {
  for (int i = 0; i < size; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
}

void PutDouble(std::vector<char>& bytes, std::size_t at, double v) {
  std::uint64_t u;
  std::memcpy(&u, &v, sizeof u);
  PutLE(bytes, at, u, 8);
}

// A grid file of doubles: nx at 3, ny at 10, x0 20, y0 34, dx 48, dy 62,
// z range 76 and 90 (recomputed on reading), storage code at 98.
std::string WriteGrid(int nx, int ny, double x0, double y0, double dx, double dy, const std::vector<double>& values) {
  std::vector<char> bytes(99, 0);
  PutLE(bytes, 3, static_cast<std::uint32_t>(nx), 4);
  PutLE(bytes, 10, static_cast<std::uint32_t>(ny), 4);
  PutDouble(bytes, 20, x0);
  PutDouble(bytes, 34, y0);
  PutDouble(bytes, 48, dx);
  PutDouble(bytes, 62, dy);
  bytes[98] = 8;
  for (double v : values) {
    bytes.resize(bytes.size() + 8);
    PutDouble(bytes, bytes.size() - 8, v);
  }
  const std::string path =
      (std::filesystem::temp_directory_path() / ("quarvel_grid3d_draw_" + std::to_string(getpid()) + ".grd")).string();
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}


TEST(Grid3DDraw, ColouredNodesOverTheGridRectangle) {
  // 4 x 3 nodes from (20, 10), spaced 40 x 30: the picture covers
  // (20, 10)-(140, 70), i.e. device columns 20..139 and rows 30..89 of a
  // 200 x 100 image. Node (i, j) holds i + 4 j, so 0 is the bottom-left
  // corner and 11 the top-right one.
  std::vector<double> values;
  for (int k = 0; k < 12; ++k) values.push_back(k);
  const std::string path = WriteGrid(4, 3, 20, 10, 40, 30, values);
  QImage image(200, 100, QImage::Format_RGB32);
  image.fill(kGrey);
  PaintUnitScale(image, "GRID3D " + path + "\n");
  std::remove(path.c_str());

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
