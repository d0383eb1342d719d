// GRID3D grid files written from a node grid: read back exactly, and a node
// without a finite value refused before anything is written.
#include <gtest/gtest.h>

#include <cmath>

#include "io/grid/grid_file_reader.h"
#include "io/grid/grid_file_writer.h"
#include "tests/support/result_checks.h"
#include "tests/support/temp_dir.h"

namespace {

KNodeGrid Sample() {
  KNodeGrid g;
  g.nx = 4;
  g.ny = 3;
  g.x0 = -50;
  g.y0 = 20;
  g.dx = 100;
  g.dy = 50;
  for (int k = 0; k < 12; ++k) g.values.push_back(-1500.25 - k * 3.5);
  return g;
}

TEST(GridFileWriter, ReaderGetsTheSameGridBack) {
  TempDir dir;
  const KNodeGrid g = Sample();
  ASSERT_TRUE(WriteGridFile(g, dir.File("a.grd")));
  KGridFile read;
  ASSERT_TRUE(ReadGridFile(read, dir.File("a.grd")));
  EXPECT_EQ(read.nx, 4);
  EXPECT_EQ(read.ny, 3);
  EXPECT_EQ(read.x0, -50);
  EXPECT_EQ(read.y0, 20);
  EXPECT_EQ(read.dx, 100);
  EXPECT_EQ(read.dy, 50);
  EXPECT_EQ(read.values, g.values);
  EXPECT_EQ(read.zMin, g.values.back());
  EXPECT_EQ(read.zMax, g.values.front());
}

TEST(GridFileWriter, RefusesWhatTheFileCannotHold) {
  TempDir dir;
  KNodeGrid notFinite = Sample();
  notFinite.values[notFinite.Index(2, 1)] = NAN;
  KNodeGrid empty = Sample();
  empty.values.clear();
  struct Case { const KNodeGrid& grid; const char* says; };
  for (const Case& c : {Case{notFinite, "node (2, 1) holds no finite value"}, Case{empty, "no nodes"}}) {
    EXPECT_TRUE(FailedWith(WriteGridFile(c.grid, dir.File("a.grd")), KStatus::kRefused, {c.says, "a.grd"}));
  }
  EXPECT_TRUE(dir.Names().empty());
}

}  // namespace
