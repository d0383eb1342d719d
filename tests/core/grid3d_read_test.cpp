// GRID3D elements (read over file and memory sources) and the grid files
// they name, with the picture built from the values.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "io/document/decoded_files.h"
#include "io/document/record_readers.h"
#include "io/grid/grid_file_reader.h"
#include "model/grid/kgrid3d.h"
#include "tests/support/grid_bytes.h"
#include "tests/support/reading.h"

namespace {

class Grid3DRead : public ReaderTest {
protected:
  // Reads a GRID3D element as the dispatcher would, from the bytes after
  // its keyword; in holds its issues.
  std::unique_ptr<KGrid3D> ReadElement(const std::string& rest) {
    in = &Input(rest);
    return ReadGrid3D(in->ctx);
  }
  std::string Write(const GridBytes& bytes, const std::string& name) { return dir.Write(name, bytes.bytes()); }
  ElementInput* in = nullptr;
};
INSTANTIATE_READER_TEST(Grid3DRead);

// Grid files alone.
class GridFile : public ::testing::Test {
protected:
  std::string Write(const GridBytes& bytes, const std::string& name) { return dir.Write(name, bytes.bytes()); }
  TempDir dir;
};

TEST_P(Grid3DRead, DoubleValuesAndPlacement) {
  GridBytes bytes(3, 2);
  for (double v : {1.0, 2.0, 3.0, 4.0, 5.0, 6.5}) bytes.Double(v);
  const std::string path = Write(bytes, "doubles.grd");

  auto element = ReadElement(path + "\nNEXT ");
  ASSERT_TRUE(element);
  EXPECT_TRUE(in->issues.empty());
  EXPECT_EQ(element->fileName, path);
  const KGridFile& g = element->grid;
  EXPECT_EQ(g.nx, 3);
  EXPECT_EQ(g.ny, 2);
  EXPECT_EQ(g.values, (std::vector<double>{1, 2, 3, 4, 5, 6.5}));
  // The range is that of the values, not the header's; the size (n - 1) * step.
  EXPECT_EQ((std::vector<double>{g.zMin, g.zMax}), (std::vector<double>{1, 6.5}));
  EXPECT_EQ((std::vector<double>{element->x, element->y, element->width, element->height}),
            (std::vector<double>{1000, 2000, 50, 50}));
}

TEST_F(GridFile, PackedValuesSpanTheHeaderRange) {
  GridBytes small(3, 1, 2);
  small.U16(0).U16(32768).U16(65535);
  KGridFile g16;
  ASSERT_TRUE(ReadGridFile(g16, Write(small, "u16.grd")).ok());
  EXPECT_EQ(g16.values[0], -10);
  EXPECT_EQ(g16.values[1], 10);
  EXPECT_DOUBLE_EQ(g16.values[2], -10 + 40 * (65535.0 / 65536.0));  // just below z max
  EXPECT_EQ(g16.zMin, -10);
  EXPECT_LT(g16.zMax, 30);

  GridBytes wide(2, 1, 4);
  wide.U32(0).U32(4294967295u);
  KGridFile g32;
  ASSERT_TRUE(ReadGridFile(g32, Write(wide, "u32.grd")).ok());
  EXPECT_EQ(g32.values[0], -10);
  EXPECT_EQ(g32.values[1], 30);
}

TEST_P(Grid3DRead, OneRowGridHasNoHeight) {
  GridBytes row(2, 1);
  row.Double(1).Double(2);
  auto element = ReadElement(Write(row, "row.grd") + "\n");
  EXPECT_EQ(element->height, 0);
  EXPECT_EQ(element->width, 25);
}

// Every malformed header: the element is still added, without values, and
// the recorded issue names the field at fault.
TEST_P(Grid3DRead, MalformedHeadersAreRejectedBeforeAllocating) {
  struct Case {
    const char* file;
    GridBytes bytes;
    const char* field;
  };
  GridBytes truncated(3, 10);
  for (int i = 0; i < 6; ++i) truncated.Double(i);
  GridBytes packedShort(4, 4, 2);
  for (int i = 0; i < 3; ++i) packedShort.U16(1);
  const std::vector<Case> cases = {
      {"negative_nx.grd", GridBytes(-3, 2).Double(1), "nx is negative"},
      {"negative_ny.grd", GridBytes(3, -2147483647 - 1).Double(1), "ny is negative"},
      {"overflow.grd", GridBytes(65536, 65536).Double(1), "nx * ny overflows"},
      {"too_large.grd", GridBytes(2000000000, 1).Double(1), "nx * ny (2000000000 x 1) promises more values"},
      {"truncated.grd", truncated, "nx * ny (3 x 10) promises more values"},
      {"no_values.grd", GridBytes(1, 1), "nx * ny (1 x 1) promises more values"},
      {"packed_short.grd", packedShort, "nx * ny (4 x 4) promises more values"},
      {"header_cut.grd", GridBytes(3, 2).Cut(50), "ends before dx"},
      {"header_tiny.grd", GridBytes(3, 2).Cut(5), "ends before nx"},
      {"no_storage.grd", GridBytes(3, 2).Cut(98), "ends before storage code"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    auto element = ReadElement(Write(c.bytes, c.file) + "\n");
    ASSERT_TRUE(element);
    EXPECT_EQ((std::vector<double>{1.0 * element->grid.nx, 1.0 * element->grid.ny, element->width, element->height}),
              (std::vector<double>{0, 0, 0, 0}));
    EXPECT_FALSE(element->grid.HasValues());
    ASSERT_EQ(in->issues.size(), 1u);
    EXPECT_NE(in->issues[0].why.find(c.field), std::string::npos) << in->issues[0].why;
  }

  // The same sizes with every value present read fine.
  GridBytes complete(3, 2);
  for (int i = 0; i < 6; ++i) complete.Double(i);
  KGridFile g;
  EXPECT_TRUE(ReadGridFile(g, Write(complete, "complete.grd")).ok());
  EXPECT_EQ(g.values.size(), 6u);
}

// A file cut short keeps the values it holds; the rest take the smallest of
// them, and the issue names the file.
TEST_P(Grid3DRead, CutShortFileKeepsItsValuesAndFillsTheRestWithTheMinimum) {
  GridBytes doubles(3, 2);
  for (double v : {4.0, 2.5, 7.0, 3.0}) doubles.Double(v);
  const std::string path = Write(doubles, "cut.grd");
  auto element = ReadElement(path + "\n");
  ASSERT_TRUE(element);
  EXPECT_EQ(element->grid.values, (std::vector<double>{4, 2.5, 7, 3, 2.5, 2.5}));
  EXPECT_EQ((std::vector<double>{element->grid.zMin, element->grid.zMax}), (std::vector<double>{2.5, 7}));
  EXPECT_EQ(element->image.pixels.size(), 6u);
  ASSERT_EQ(in->issues.size(), 1u);
  EXPECT_EQ(in->issues[0].what, "grid cut short");
  EXPECT_NE(in->issues[0].why.find("'" + path + "' is cut short: it holds 4 of the 6 values"), std::string::npos)
      << in->issues[0].why;

  // Packed values cut inside a value keep the whole ones.
  GridBytes packed(4, 1, 2);
  packed.U16(32768).U16(0).Byte(7);
  KGridFile g;
  KWarningList warnings;
  ASSERT_TRUE(ReadGridFile(g, Write(packed, "packed_cut.grd"), &warnings).ok());
  EXPECT_EQ(g.values, (std::vector<double>{10, -10, -10, -10}));
  ASSERT_EQ(warnings.items().size(), 1u);
  EXPECT_NE(warnings.items()[0].message.find("holds 2 of the 4 values"), std::string::npos)
      << warnings.items()[0].message;
}

// Random headers over files of random length: values are kept when the file
// holds them all, or a quarter of them at least (the rest filled), and never
// more than that bound lets the file promise.
TEST_F(GridFile, RandomHeadersNeverOutgrowTheFile) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::int32_t> any;
  std::uniform_int_distribution<int> small(-3, 12);
  std::uniform_int_distribution<int> extra(0, 160);
  const std::uint8_t storages[] = {2, 4, 8, 0, 255};
  for (int round = 0; round < 120; ++round) {
    const bool wild = round % 3 == 0;
    const std::int32_t nx = wild ? any(random) : small(random);
    const std::int32_t ny = wild ? any(random) : small(random);
    const std::uint8_t storage = storages[round % 5];
    const std::size_t valueBytes = static_cast<std::size_t>(extra(random));
    GridBytes bytes(nx, ny, storage);
    for (std::size_t i = 0; i < valueBytes; ++i) bytes.Byte(static_cast<std::uint8_t>(random()));
    KGridFile g;
    const bool read = ReadGridFile(g, Write(bytes, "random.grd")).ok();
    const std::size_t size = storage == 2 ? 2 : storage == 4 ? 4 : 8;
    const std::uint64_t promised = static_cast<std::uint64_t>(nx) * static_cast<std::uint64_t>(ny);
    const std::uint64_t held = valueBytes / size;
    const bool fits = nx >= 0 && ny >= 0 && (promised <= held || (held > 0 && promised / kCutShortRatio <= held));
    SCOPED_TRACE(std::to_string(nx) + " x " + std::to_string(ny) + " storage " + std::to_string(storage));
    EXPECT_EQ(read, fits);
    EXPECT_LE(g.values.size(), kCutShortRatio * held + kCutShortRatio);
    EXPECT_EQ(g.values.size(), static_cast<std::size_t>(g.nx) * static_cast<std::size_t>(g.ny));
  }
}

TEST_P(Grid3DRead, MissingFileStillGivesAnElement) {
  auto element = ReadElement("/nonexistent/quarvel/grid.grd\n");
  ASSERT_TRUE(element);
  EXPECT_EQ(element->fileName, "/nonexistent/quarvel/grid.grd");
  EXPECT_EQ(element->grid.nx, 0);
  EXPECT_FALSE(element->grid.HasValues());
  EXPECT_TRUE(element->image.empty());
  EXPECT_TRUE(element->image.pixels.empty());
  ASSERT_EQ(in->issues.size(), 1u);
  EXPECT_NE(in->issues[0].why.find("cannot open '/nonexistent/quarvel/grid.grd'"), std::string::npos) << in->issues[0].why;
}

// The picture is built when the element is read: one opaque pixel per node,
// the grid's first row at the bottom of the image.
TEST_P(Grid3DRead, ImageColoursEachNodeWithTheTopRowLast) {
  GridBytes bytes(3, 2);
  // Row 0 (bottom): min, midpoint, a value on the blue break; row 1: max,
  // then values on the green and red breaks.
  for (double v : {0.0, 3.5, 1.0, 7.0, 2.0, 4.0}) bytes.Double(v);
  auto element = ReadElement(Write(bytes, "image.grd") + "\n");
  ASSERT_TRUE(element);
  const KImage& image = element->image;
  ASSERT_EQ(image.width, 3);
  ASSERT_EQ(image.height, 2);
  EXPECT_FALSE(image.hasAlpha);
  EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{
                              0xFFFFFFFF, 0xFF00FF00, 0xFFFF0000,  // top row = grid row 1: 7 white, 2 green, 4 red
                              0xFF000000, 0xFF7F8080, 0xFF0000FF,  // 0 black, 3.5 cyan and red mixed, 1 blue
                          }));
  // The scale spans the loaded values, not the header's -10 .. 30.
  EXPECT_EQ(element->colours.entries.front().value, 0);
  EXPECT_EQ(element->colours.entries.back().value, 7);
}

// Elements naming one file (under two spellings) share one reading; a file
// that would take the load past its budget is not kept, and its element
// stays in place without values.
TEST_P(Grid3DRead, OneFileIsReadOnceAndTheBudgetHolds) {
  GridBytes bytes(3, 2);
  for (double v : {1.0, 2.0, 3.0, 4.0, 5.0, 6.5}) bytes.Double(v);
  const std::string path = Write(bytes, "shared.grd");
  const std::string other = Write(bytes, "other.grd");
  KDecodedFiles decoded(6 * (8 + 4));  // the values and pixels of one such grid
  std::unique_ptr<KGrid3D> elements[3];
  const std::string names[3] = {path, dir.path() + "/./shared.grd", other};
  for (int k = 0; k < 3; ++k) {
    in = &Input(names[k] + "\n");
    in->ctx.decoded = &decoded;
    elements[k] = ReadGrid3D(in->ctx);
  }
  EXPECT_TRUE(elements[1]->grid.values.SharesWith(elements[0]->grid.values));
  EXPECT_TRUE(elements[1]->image.pixels.SharesWith(elements[0]->image.pixels));
  EXPECT_EQ(decoded.used(), 72u);

  const KGrid3D& over = *elements[2];
  EXPECT_FALSE(over.grid.HasValues());
  EXPECT_TRUE(over.image.empty());
  EXPECT_EQ((std::vector<double>{over.x, over.y, over.width, over.height}), (std::vector<double>{1000, 2000, 50, 50}));
  ASSERT_EQ(in->issues.size(), 1u);
  EXPECT_EQ(in->issues[0].why, "'" + other + "' not decoded: the drawing's pictures and grids would take more than 72 bytes");
}

TEST_P(Grid3DRead, EmptyGridHasNoValuesNorImageAndFlatGridOneColour) {
  auto empty = ReadElement(Write(GridBytes(0, 4), "empty.grd") + "\n");
  ASSERT_TRUE(empty);
  EXPECT_TRUE(in->issues.empty());
  EXPECT_FALSE(empty->grid.HasValues());
  EXPECT_TRUE(empty->image.empty());

  // A flat grid is one colour, with no division by its zero range.
  GridBytes flat(2, 2);
  for (int k = 0; k < 4; ++k) flat.Double(5.0);
  auto same = ReadElement(Write(flat, "flat.grd") + "\n");
  ASSERT_EQ(same->image.pixels.size(), 4u);
  for (std::uint32_t p : same->image.pixels) EXPECT_EQ(p, 0xFF000000u);
}

}  // namespace
