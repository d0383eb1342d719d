// "quarvel render" run as a program: pictures of the bundled map in each
// format, PNG compression and alpha, pictures of other formats, warnings,
// the empty-drawing case and the option checks.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "tests/qt/paint_util.h"
#include "tests/support/file_bytes.h"
#include "tests/support/grid_bytes.h"
#include "tests/support/result_checks.h"

namespace {

// Relative paths are the repository's.
ProgramRun Render(std::vector<std::string> args) {
  args.insert(args.begin(), "render");
  return RunQuarvel(args, QUARVEL_SOURCE_DIR);
}

QImage Image(const std::string& path) { return QImage(QString::fromStdString(path)); }

TEST(RenderCommand, BundledMapToPngWithoutMarginFitsTheFrameBottomLeft) {
  TempDir dir;
  const ProgramRun r = Render({"--margin", "0", "examples/map.qvd", "-o", dir.File("map.png")});
  EXPECT_EQ(r.status, 0) << r.err;
  const QImage image = Image(dir.File("map.png"));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(1200, 900));
  // The frame, 10 km x 8 km, is fitted by its height: its left edge lies on
  // column 0 and its top on row 0, with the spare room at the right.
  EXPECT_EQ(image.pixel(0, 450) & 0xFFFFFF, 0u);
  EXPECT_EQ(image.pixel(600, 0) & 0xFFFFFF, 0u);
  EXPECT_EQ(image.pixel(1150, 450) & 0xFFFFFF, 0xFFFFFFu);
  // Brown contours (150, 75, 0) and red faults (200, 0, 0).
  EXPECT_GT(CountColour(image, qRgb(150, 75, 0)), 2000);
  EXPECT_GT(CountColour(image, qRgb(200, 0, 0)), 500);
}

TEST(RenderCommand, SizeBackgroundAndVectorFormats) {
  TempDir dir;
  ProgramRun r = Render({"--size", "300x200", "--background", "#102030", "examples/map.qvd", "-o", dir.File("s.png")});
  EXPECT_EQ(r.status, 0) << r.err;
  const QImage image = Image(dir.File("s.png"));
  EXPECT_EQ(image.size(), QSize(300, 200));
  EXPECT_EQ(image.pixel(290, 100) & 0xFFFFFF, 0x102030u);

  r = Render({"examples/map.qvd", "-o", dir.File("map.svg")});
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string svg = ReadFileBytes(dir.File("map.svg"));
  for (const char* part : {"<svg", "polyline", "W-1"}) EXPECT_NE(svg.find(part), std::string::npos) << part;

  r = Render({"--size", "800x600", "examples/map.qvd", "-o", dir.File("map.pdf")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFileBytes(dir.File("map.pdf")).substr(0, 5), "%PDF-");
}

TEST(RenderCommand, PngIsOpaqueUnlessTheBackgroundIsNotAndCompressionOnlyChangesTheSize) {
  TempDir dir;
  EXPECT_EQ(Render({"examples/map.qvd", "-o", dir.File("fast.png")}).status, 0);
  EXPECT_EQ(Render({"--compression", "9", "examples/map.qvd", "-o", dir.File("small.png")}).status, 0);
  const QImage fast = Image(dir.File("fast.png"));
  const QImage small = Image(dir.File("small.png"));
  ASSERT_FALSE(fast.isNull());
  EXPECT_FALSE(fast.hasAlphaChannel());
  EXPECT_EQ(fast, small);
  EXPECT_LT(ReadFileBytes(dir.File("small.png")).size(), ReadFileBytes(dir.File("fast.png")).size());

  EXPECT_EQ(Render({"--margin", "0", "--background", "transparent", "examples/map.qvd", "-o", dir.File("alpha.png")}).status, 0);
  const QImage alpha = Image(dir.File("alpha.png"));
  ASSERT_TRUE(alpha.hasAlphaChannel());
  EXPECT_EQ(qAlpha(alpha.pixel(1150, 450)), 0);  // right of the frame: background
  EXPECT_EQ(alpha.pixel(0, 450), qRgba(0, 0, 0, 255));
}

// A BMPIN naming a TIFF draws its pixels (the image format plugins).
TEST(RenderCommand, TiffPictureIsDrawn) {
  TempDir dir;
  QImage tiff(4, 4, QImage::Format_RGB32);
  tiff.fill(qRgb(20, 160, 90));
  ASSERT_TRUE(tiff.save(QString::fromStdString(dir.File("p.tif")), "TIFF"));
  // The diagonal gives the drawing its extent; the picture fills it.
  const std::string drawing =
      dir.Write("tiff.qvd", "BMPIN " + dir.File("p.tif") + " 0\n0,0\n10,10\nPLINE\n0,0\n10,10\n\n");
  const ProgramRun r = Render({"--margin", "0", "--size", "40x40", drawing, "-o", dir.File("tiff.png")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("warning"), std::string::npos) << r.err;
  const QImage image = Image(dir.File("tiff.png"));
  ASSERT_EQ(image.size(), QSize(40, 40));
  EXPECT_GT(CountColour(image, qRgb(20, 160, 90)), 40 * 38);
  EXPECT_EQ(CountColour(image, qRgb(20, 160, 90)) + CountColour(image, qRgb(0, 0, 0)), 40 * 40);
}

// What the readers skipped or rejected is printed, naming the file; a grid
// file cut short still draws.
TEST(RenderCommand, ReadIssuesArePrintedAsWarnings) {
  TempDir dir;
  // A 2 x 2 grid of doubles holding three values.
  const GridBytes grid = GridBytes(2, 2, 8, 0, 0, 10, 10).Double(1).Double(2).Double(3);
  const std::string gridPath = dir.Write("cut.grd", grid.bytes());
  const std::string drawing =
      dir.Write("issues.qvd", "PLINE\n1,1\n\nGRID3D " + gridPath + "\nPLINE\n0,0\n10,0\n\n");

  const ProgramRun r = Render({"--size", "20x20", drawing, "-o", dir.File("issues.png")});
  EXPECT_TRUE(ExitedWith(r, 0, {"warning: " + drawing + ": line 4, column 1 (byte 11): polyline rejected: fewer than 2 vertices",
                                "grid cut short: grid file '" + gridPath + "' is cut short"}));
  const QImage image = Image(dir.File("issues.png"));
  ASSERT_FALSE(image.isNull());
  // The grid's colours, not only the background and the black line.
  EXPECT_GT(image.width() * image.height() - CountColour(image, qRgb(255, 255, 255)) - CountColour(image, 0), 0);
}

TEST(RenderCommand, NothingDrawableStillWritesTheBackground) {
  TempDir dir;
  for (const char* drawing : {"Class nothing here\n", "Text 1,1 2 0 only a text\n"}) {
    const ProgramRun r = Render({"--size", "64x48", "--background", "yellow", dir.Write("d.qvd", drawing), "-o",
                                 dir.File("empty.png")});
    EXPECT_TRUE(ExitedWith(r, 0, {"background only"}));
    const QImage image = Image(dir.File("empty.png"));
    ASSERT_EQ(image.size(), QSize(64, 48));
    EXPECT_EQ(CountColour(image, qRgb(255, 255, 0)), 64 * 48);
  }
}

TEST(RenderCommand, BadArgumentsAndMissingFiles) {
  TempDir dir;
  const std::string png = dir.File("bad.png");
  const std::vector<std::vector<std::string>> usage = {
      {"examples/map.qvd"},  // no output
      {"-o", png},           // no input
      {"--size", "0x10", "examples/map.qvd", "-o", png},
      {"--size", "100", "examples/map.qvd", "-o", png},
      {"--size", "99999x10", "examples/map.qvd", "-o", png},
      {"--background", "notacolour", "examples/map.qvd", "-o", png},
      {"--frobnicate", "examples/map.qvd", "-o", png},
      {"--compression", "10", "examples/map.qvd", "-o", png},
      {"--compression", "fast", "examples/map.qvd", "-o", png},
      {"--margin", "50%", "examples/map.qvd", "-o", png},
      {"--margin", "wide", "examples/map.qvd", "-o", png},
      {"--scale", "1:5000", "examples/map.qvd", "-o", png + ".pdf"},  // no paper
      {"--paper", "A4", "examples/map.qvd", "-o", png},                 // not a page format
      {"--paper", "A4", "--size", "100x100", "examples/map.qvd", "-o", png + ".pdf"},
      {"--paper", "B5", "examples/map.qvd", "-o", png + ".pdf"},
      {"--paper", "A4", "--scale", "50000", "examples/map.qvd", "-o", png + ".pdf"},
      {"--contours", "50", "examples/map.qvd", "-o", png},  // marks colour bars: needs --legend
      {"--legend", "--contours", "0", "examples/map.qvd", "-o", png},
  };
  for (const auto& args : usage) EXPECT_EQ(Render(args).status, 2) << args[0];
  EXPECT_EQ(Render({"examples/map.qvd", "-o", png + ".unknownformat"}).status, 1);

  EXPECT_TRUE(ExitedWith(Render({"no/such/file.qvd", "examples/map.qvd", "-o", png}), 1, {"cannot open 'no/such/file.qvd'"}));
  EXPECT_FALSE(Image(png).isNull());  // what opened is still drawn
}

}  // namespace
