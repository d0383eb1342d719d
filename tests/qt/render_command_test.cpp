// "quarvel render" run as a program: pictures of the bundled map in each
// format, the empty-drawing case and the option checks.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct RenderRun {
  int status;
  std::string err;
};

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("quarvel_render_" + std::to_string(getpid()) + "_" + name)).string();
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

RenderRun Render(const std::string& args) {
  const std::string err = TempPath("err");
  const std::string cmd = std::string("cd '") + QUARVEL_SOURCE_DIR + "' && '" + QUARVEL_BINARY + "' render " + args +
                          " >/dev/null 2>'" + err + "'";
  const int raw = std::system(cmd.c_str());
  RenderRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(err)};
  std::remove(err.c_str());
  return r;
}

struct TempFile {
  explicit TempFile(const std::string& name, const std::string& bytes = {}) : path(TempPath(name)) {
    if (!bytes.empty()) std::ofstream(path, std::ios::binary) << bytes;
  }
  ~TempFile() { std::remove(path.c_str()); }
  std::string path;
};

int CountColour(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++n;
  return n;
}

}  // namespace

TEST(RenderCommand, BundledMapToPngFitsTheFrameBottomLeft) {
  TempFile png("map.png");
  RenderRun r = Render("examples/map.qvd -o '" + png.path + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  QImage image(QString::fromStdString(png.path));
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
  TempFile png("small.png"), svg("map.svg"), pdf("map.pdf");
  RenderRun a = Render("--size 300x200 --background '#102030' examples/map.qvd -o '" + png.path + "'");
  EXPECT_EQ(a.status, 0) << a.err;
  QImage image(QString::fromStdString(png.path));
  EXPECT_EQ(image.size(), QSize(300, 200));
  EXPECT_EQ(image.pixel(290, 100) & 0xFFFFFF, 0x102030u);

  RenderRun b = Render("examples/map.qvd -o '" + svg.path + "'");
  EXPECT_EQ(b.status, 0) << b.err;
  const std::string svgText = Slurp(svg.path);
  EXPECT_NE(svgText.find("<svg"), std::string::npos);
  EXPECT_NE(svgText.find("polyline"), std::string::npos);
  EXPECT_NE(svgText.find("W-1"), std::string::npos);

  RenderRun c = Render("--size 800x600 examples/map.qvd -o '" + pdf.path + "'");
  EXPECT_EQ(c.status, 0) << c.err;
  EXPECT_EQ(Slurp(pdf.path).substr(0, 5), "%PDF-");
}

TEST(RenderCommand, NothingDrawableStillWritesTheBackground) {
  TempFile empty("empty.qvd", "Class nothing here\n");
  TempFile textOnly("text.qvd", "Text 1,1 2 0 only a text\n");
  TempFile png("empty.png");
  for (const TempFile* drawing : {&empty, &textOnly}) {
    RenderRun r = Render("--size 64x48 --background yellow '" + drawing->path + "' -o '" + png.path + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("background only"), std::string::npos) << r.err;
    QImage image(QString::fromStdString(png.path));
    ASSERT_EQ(image.size(), QSize(64, 48));
    EXPECT_EQ(CountColour(image, qRgb(255, 255, 0)), 64 * 48);
  }
}

TEST(RenderCommand, BadArgumentsAndMissingFiles) {
  TempFile png("bad.png");
  EXPECT_EQ(Render("examples/map.qvd").status, 2);                       // no output
  EXPECT_EQ(Render("-o '" + png.path + "'").status, 2);                  // no input
  EXPECT_EQ(Render("--size 0x10 examples/map.qvd -o '" + png.path + "'").status, 2);
  EXPECT_EQ(Render("--size 100 examples/map.qvd -o '" + png.path + "'").status, 2);
  EXPECT_EQ(Render("--size 99999x10 examples/map.qvd -o '" + png.path + "'").status, 2);
  EXPECT_EQ(Render("--background notacolour examples/map.qvd -o '" + png.path + "'").status, 2);
  EXPECT_EQ(Render("--frobnicate examples/map.qvd -o '" + png.path + "'").status, 2);
  EXPECT_EQ(Render("examples/map.qvd -o '" + png.path + ".unknownformat'").status, 1);

  RenderRun missing = Render("no/such/file.qvd examples/map.qvd -o '" + png.path + "'");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("cannot open 'no/such/file.qvd'"), std::string::npos);
  EXPECT_FALSE(QImage(QString::fromStdString(png.path)).isNull());  // what opened is still drawn
}
