// "quarvel grid" run as a program: status lines, the written net file, the
// default output, refusals and Ctrl-C.
#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "io/grid/net_file_reader.h"
#include "tests/support/file_bytes.h"
#include "tests/support/result_checks.h"

namespace {

// Runs quarvel grid with the folder as the temporary directory.
ProgramRun Grid(const TempDir& dir, std::vector<std::string> args) {
  args.insert(args.begin(), "grid");
  return RunQuarvel(args, "", {"XDG_RUNTIME_DIR=" + dir.path()});
}

// Points on a gentle surface; the fault only when asked.
std::string Points(int n, bool fault) {
  std::string s = "Layer M f(x,y)\\xyz\nXYZ\n";
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i)
      s += std::to_string(i * 10 + (j % 3)) + "," + std::to_string(j * 10) + "," +
           std::to_string((i * 37 + j * 11) % 23) + "\n";
  s += "\n";
  if (fault) s += "Layer M f(x,y)\\break\nPLINE\n25,-10\n35,200\n\n";
  return s;
}

TEST(GridCommand, WritesACheckedNetFileWithStatusLines) {
  TempDir dir;
  const ProgramRun r = Grid(dir, {"--times", "2", "--num-x", "8", "--precision", "0.01",
                                  dir.Write("d.qvd", Points(6, true)), "-o", dir.File("out.net")});
  // Box 52 x 50, first step 52 / 6: trunc(6 + 3) by trunc(5.77 + 3) nodes,
  // then trunc(12 + 3) by trunc(11.54 + 3).
  ASSERT_TRUE(ExitedWith(r, 0, {"36 points from f(x,y)\\xyz; 1 break lines from f(x,y)\\break; 0 outlines from f(x,y)\\outline", "1/2  (9 X 8) 1.000000e-02\n",
                                "2/2  (15 X 14) 1.000000e-02\n", "wrote "}));
  KNetFile net;
  const KResult read = ReadNetFile(dir.File("out.net"), net);
  ASSERT_TRUE(read.ok()) << read.message();
  EXPECT_EQ(net.nx, 15);
  EXPECT_EQ(net.ny, 14);
  // The fault cuts x links in every row.
  int cut = 0;
  for (int j = 0; j < net.ny; ++j)
    for (int i = 0; i + 1 < net.nx; ++i) cut += net.nodes[net.RecordAt(i, j)].links[knet::kPlusX] < 0;
  EXPECT_EQ(cut, net.ny);
}

// Faults named by layer grid as the same faults on the default layer do; a
// layer named for points and faults serves as points.
TEST(GridCommand, FaultsFromANamedLayerGiveTheDefaultLayersFile) {
  TempDir dir;
  std::string renamed = Points(6, true);
  renamed.replace(renamed.find("f(x,y)\\break"), 12, "faults");
  const std::string args[] = {"--times", "2", "--num-x", "8"};
  ProgramRun r = Grid(dir, {args[0], args[1], args[2], args[3], dir.Write("a.qvd", Points(6, true)), "-o",
                            dir.File("a.net")});
  ASSERT_EQ(r.status, 0) << r.err;
  r = Grid(dir, {args[0], args[1], args[2], args[3], "--faults", "faults", "--faults", "f(x,y)\\xyz",
                 dir.Write("b.qvd", renamed), "-o", dir.File("b.net")});
  ASSERT_TRUE(ExitedWith(r, 0, {"1 break lines from faults (1), f(x,y)\\xyz (0);"}));
  EXPECT_EQ(ReadFileBytes(dir.File("a.net")), ReadFileBytes(dir.File("b.net")));
}

TEST(GridCommand, ThreadCountLeavesTheFileAsItIsAndTheFastSolverWritesOne) {
  TempDir dir;
  const std::string drawing = dir.Write("d.qvd", Points(12, true));
  const std::pair<const char*, const char*> options[] = {
      {"--threads", "1"}, {"--threads", "3"}, {"--solver", "fast"}};
  std::vector<std::string> files;
  for (const auto& [option, value] : options) {
    files.push_back(dir.File("out" + std::to_string(files.size())));
    const ProgramRun r = Grid(dir, {option, value, "--times", "3", "--num-x", "30", "--precision", "0.001",
                                    drawing, "-o", files.back()});
    ASSERT_EQ(r.status, 0) << option << " " << value << r.err;
  }
  EXPECT_EQ(ReadFileBytes(files[0]), ReadFileBytes(files[1]));
  KNetFile net;
  const KResult read = ReadNetFile(files[2], net);
  EXPECT_TRUE(read.ok()) << read.message();
  EXPECT_EQ(net.nx, 115);
}

// auto takes the sweeps where there are break lines and the fast solver
// elsewhere: its file is byte for byte the one of the solver it chose.
TEST(GridCommand, AutoSolverChoosesBySeeingBreakLines) {
  TempDir dir;
  for (const bool fault : {true, false}) {
    const std::string drawing = dir.Write("d.qvd", Points(12, fault));
    std::map<std::string, std::string> bytes;
    for (const char* solver : {"sweep", "fast", "auto"}) {
      const std::string out = dir.File(std::string(solver) + ".net");
      const ProgramRun r = Grid(dir, {"--solver", solver, "--times", "3", "--num-x", "30", "--precision", "0.001",
                                      drawing, "-o", out});
      ASSERT_EQ(r.status, 0) << solver << r.err;
      bytes[solver] = ReadFileBytes(out);
    }
    EXPECT_NE(bytes["sweep"], bytes["fast"]);
    EXPECT_EQ(bytes["auto"], bytes[fault ? "sweep" : "fast"]) << "fault " << fault;
  }
}

TEST(GridCommand, DefaultOutputIsInTheUsersRuntimeDirectory) {
  TempDir dir;
  // The smallest smoothing weights are numbers too.
  const ProgramRun r = Grid(dir, {"--times", "1", "--smooth", "1e-308", dir.Write("d.qvd", Points(4, false))});
  ASSERT_EQ(r.status, 0) << r.err;
  KNetFile net;
  const KResult read = ReadNetFile(dir.File("net.f(x,y)"), net);
  EXPECT_TRUE(read.ok()) << read.message();
}

TEST(GridCommand, RefusesClearlyAndWritesNothing) {
  TempDir dir;
  const std::string empty = dir.Write("e.qvd", "Layer M other\nXYZ\n1,2,3\n\n");
  const std::string drawing = dir.Write("d.qvd", Points(4, false));
  const std::string out = dir.File("out.net");
  const struct {
    std::vector<std::string> args;
    int status;
    std::string message;
  } cases[] = {
      {{empty, "-o", out}, 1, "no data point on the layer f(x,y)\\xyz; nothing written"},
      {{"--num-x", "2", drawing, "-o", out}, 1, "num x must be at least 3"},
      {{"--times", "14", drawing, "-o", out}, 1, "at most 32767"},
      {{dir.File("missing.qvd"), "-o", out}, 1, "cannot open"},
      {{drawing, "-o", dir.File("no/dir/out.net")}, 1, "cannot write '" + dir.File("no/dir/out.net") +
                                                          "': No such file or directory"},
      {{"--box", "0,0,1,1e300", drawing, "-o", out}, 1, "would have 13 X 1e+301 nodes; at most 32767"},
      {{"--box", "1,2,3", drawing}, 2, ""},
      {{"--solver", "multigrid", drawing}, 2, "--solver is sweep, fast or auto"},
      {{"--threads", "0", drawing}, 2, "--threads needs a number"},
      {{"--smooth", "x", drawing}, 2, ""},
      {{"--faults", "f(x,y)\\xyz", "--outline", "rim", drawing}, 2, "the drawing has no layer 'rim'"},
      {{"--smooth", "1e309", drawing}, 2, "--smooth needs a number"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(ExitedWith(Grid(dir, c.args), c.status, {c.message})) << c.args[0];
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(GridCommand, CtrlCEndsTheRunWithoutAFile) {
  TempDir dir;
  const std::string out = dir.File("out.net");
  // Precision 0 on rough data: the levels would run for minutes.
  RunningProgram grid(QUARVEL_BINARY, {"grid", "--precision", "0", "--num-x", "60", "--times", "2",
                                       dir.Write("d.qvd", Points(10, false)), "-o", out});
  ASSERT_GT(grid.pid(), 0);
  // Wait until the run has started (the summary line comes after Ctrl-C is
  // caught), then interrupt it.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (grid.ErrSoFar().find("1/2  (") == std::string::npos && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_EQ(kill(grid.pid(), SIGINT), 0);
  EXPECT_TRUE(ExitedWith(grid.Wait(), 130, {"ended; no net file written"}));
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
