// Hostile inputs run through the quarvel program: each either fails with a
// message naming the cause, a non-zero exit and no output, or succeeds with a
// sound output.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "io/grid/net_file_reader.h"
#include "io/grid/net_file_writer.h"
#include "model/grid/kcreate_grid.h"
#include "tests/support/file_bytes.h"
#include "tests/support/full_file_system.h"
#include "tests/support/result_checks.h"

namespace {

const char* kFourPoints = "Layer M f(x,y)\\xyz\nXYZ\n0,0,1\n10,10,2\n0,10,3\n10,0,4\n\n";

// Break lines from (i, 0) to (10 - i, 10) for i = 0, step, ... < 10.
std::string CrossingBreaks(int step) {
  std::string s = std::string(kFourPoints) + "Layer M f(x,y)\\break\n";
  for (int i = 0; i < 10; i += step) s += "PLINE\n" + std::to_string(i) + ",0\n" + std::to_string(10 - i) + ",10\n\n";
  return s;
}

struct GridCase {
  const char* name;
  std::string drawing;
  std::vector<std::string> options;
  int status;
  const char* message;   // expected on standard error
};

class HostileGrid : public ::testing::TestWithParam<GridCase> {};

TEST_P(HostileGrid, FailsLoudlyAndWritesNothingOrWritesFiniteValues) {
  const GridCase& c = GetParam();
  TempDir dir;
  const std::string net = dir.File("out.net");
  std::vector<std::string> args = {"grid", dir.Write("d.qvd", c.drawing), "-o", net};
  args.insert(args.end(), c.options.begin(), c.options.end());
  EXPECT_TRUE(ExitedWith(RunQuarvel(args), c.status, {c.message}));
  if (c.status != 0) {
    EXPECT_FALSE(std::filesystem::exists(net));
    EXPECT_EQ(dir.Names().size(), 1u) << "a temporary file was left";
    return;
  }
  KNetFile grid;
  ASSERT_TRUE(ReadNetFile(net, grid).ok());
  for (const knet::Node& n : grid.nodes) EXPECT_TRUE(std::isfinite(n.value));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileGrid,
    ::testing::Values(
        GridCase{"FiveCrossingBreaks", CrossingBreaks(2), {}, 1, "diverged at level"},
        GridCase{"TenCrossingBreaks", CrossingBreaks(1), {}, 1, "diverged at level"},
        GridCase{"HugeZ", "Layer M f(x,y)\\xyz\nXYZ\n0,0,1e308\n10,10,-1e308\n0,10,3\n\n", {}, 1,
                 "z values must lie within"},
        GridCase{"HugeSmooth", kFourPoints, {"--smooth", "1e308", "--times", "2"}, 0, "wrote "},
        GridCase{"OneX", "Layer M f(x,y)\\xyz\nXYZ\n5,0,1\n5,10,2\n\n", {}, 1, "[177 X 0]"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostileNetFile, NetXyzRefusesANodeThatIsNotFinite) {
  TempDir dir;
  const KOne points[] = {{}};
  KCreateGrid g;
  g.SetGeometry(0, 0, 2, 2, 1, 1);
  g.Prepare(points, 0, {});
  g.FillUnset();
  g.values()[3] = std::nan("");
  ASSERT_TRUE(WriteNetFile(g, dir.File("nan.net")).ok());
  const ProgramRun r = RunQuarvel({"net-xyz", dir.File("nan.net")});
  EXPECT_TRUE(ExitedWith(r, 1, {"nan.net': node (3, 0) holds nan"}));
  EXPECT_TRUE(r.out.empty());
}

// Every command that writes a file, on a full file system: it fails naming
// the cause, the old file stays as it was and nothing else is left there.
struct FullDiskCase {
  const char* name;
  std::vector<std::string> args;  // the input and "-o OUT" are added
  const char* output;
};

class HostileFullDisk : public ::testing::TestWithParam<FullDiskCase> {};

TEST_P(HostileFullDisk, FailsAndKeepsTheOldFile) {
  const FullDiskCase& c = GetParam();
  const std::string old = "the old file\n";
  FullFileSystem fs(FullFileSystem::Files{{c.output, old}});
  if (!fs.ok()) GTEST_SKIP() << fs.reason();
  TempDir dir;
  std::vector<std::string> args = c.args;
  args.insert(args.end(), {dir.Write("in.qvd", std::string(kFourPoints) + "PLINE\n0,0\n10,10\n\n"), "-o",
                           fs.File(c.output)});
  EXPECT_TRUE(ExitedWith(RunQuarvel(args), 1, {"No space left on device"}));
  EXPECT_EQ(ReadFileBytes(fs.File(c.output)), old);
  EXPECT_EQ(fs.Names(), std::vector<std::string>{c.output});
}

INSTANTIATE_TEST_SUITE_P(Commands, HostileFullDisk,
                         ::testing::Values(FullDiskCase{"RenderPng", {"render"}, "out.png"},
                                           FullDiskCase{"RenderSvg", {"render"}, "out.svg"},
                                           FullDiskCase{"RenderPdf", {"render"}, "out.pdf"},
                                           FullDiskCase{"Convert", {"convert"}, "out.qvd"},
                                           FullDiskCase{"Grid", {"grid", "--times", "1"}, "out.net"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Drawings rendered to a picture: each finishes within a time limit,
// writes the picture and keeps the toolkit's warnings off standard error.
// "FIFO" in a drawing stands for the path of a FIFO nobody writes to.
struct RenderCase {
  const char* name;
  std::string drawing;
};

class HostileRender : public ::testing::TestWithParam<RenderCase> {};

TEST_P(HostileRender, FinishesAndDraws) {
  const RenderCase& c = GetParam();
  TempDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string drawing = c.drawing;
  if (const std::size_t at = drawing.find("FIFO"); at != std::string::npos) drawing.replace(at, 4, fifo);
  const std::string out = dir.File("out.png");
  const ProgramRun r =
      RunProgram("/usr/bin/timeout", {"60", QUARVEL_BINARY, "render", dir.Write("d.qvd", drawing), "-o", out});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(std::filesystem::exists(out));
  EXPECT_EQ(r.err.find("QPen"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("nothing drawable"), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Drawings, HostileRender,
    ::testing::Values(RenderCase{"BitmapNamesAFifo", "BMPIN FIFO 3\n0,0\n10,10\n\nPLINE\n0,0\n10,10\n\n"},
                      RenderCase{"HugePenWidth", "PLINE\n0,0\n10,10\nW 1e300\n\n"},
                      RenderCase{"XyzSpanningTheDoubles",
                                 "PLINE\n0,0\n10,10\n\nLayer M f(x,y)\\xyz\nXYZ\n1e308,0,1\n-1e308,10,2\n\n"},
                      RenderCase{"PolylinesAtBothEnds",
                                 "PLINE\n1.7e308,0\n1.7e308,1e300\n\nPLINE\n-1.7e308,0\n-1.7e308,1e300\n\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
