// "quarvel grid" run as a program: status lines, the written net file, the
// default output, refusals and Ctrl-C.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "grid/io/net_file_reader.h"

extern char** environ;

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class Folder {
public:
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quarvel_gridcmd_XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : "";
  }
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
    return File(name);
  }

private:
  std::string path_;
};

struct GridRun {
  int status;
  std::string err;
};

// Runs quarvel grid with args; TMPDIR is the folder.
GridRun Grid(const Folder& f, const std::string& args) {
  const std::string err = f.File("stderr");
  const std::string cmd = "TMPDIR='" + f.File("") + "' '" + QUARVEL_BINARY + "' grid " + args + " 2>'" + err + "'";
  const int raw = std::system(cmd.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(err)};
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
  Folder f;
  const std::string drawing = f.Write("d.qvd", Points(6, true));
  const GridRun r = Grid(f, "--times 2 --num-x 8 --precision 0.01 '" + drawing + "' -o '" + f.File("out.net") + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  // Box 52 x 50, first step 52 / 6: trunc(6 + 3) by trunc(5.77 + 3) nodes,
  // then trunc(12 + 3) by trunc(11.54 + 3).
  EXPECT_NE(r.err.find("36 points, 1 break lines, 0 outlines"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("1/2  (9 X 8) 1.000000e-02\n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("2/2  (15 X 14) 1.000000e-02\n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("wrote "), std::string::npos);
  KNetFile net;
  const KResult read = ReadNetFile(f.File("out.net"), net);
  ASSERT_TRUE(read.ok()) << read.message();
  EXPECT_EQ(net.nx, 15);
  EXPECT_EQ(net.ny, 14);
  // The fault cuts x links in every row.
  int cut = 0;
  for (int j = 0; j < net.ny; ++j)
    for (int i = 0; i + 1 < net.nx; ++i) cut += net.nodes[net.RecordAt(i, j)].links[knet::kPlusX] < 0;
  EXPECT_EQ(cut, net.ny);
}

TEST(GridCommand, DefaultOutputIsInTheTemporaryDirectory) {
  Folder f;
  const std::string drawing = f.Write("d.qvd", Points(4, false));
  const GridRun r = Grid(f, "--times 1 '" + drawing + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  KNetFile net;
  const KResult read = ReadNetFile(f.File("net.f(x,y)"), net);
  EXPECT_TRUE(read.ok()) << read.message();
}

TEST(GridCommand, RefusesClearlyAndWritesNothing) {
  Folder f;
  const std::string empty = f.Write("e.qvd", "Layer M other\nXYZ\n1,2,3\n\n");
  const std::string drawing = f.Write("d.qvd", Points(4, false));
  const std::string out = f.File("out.net");

  GridRun r = Grid(f, "'" + empty + "' -o '" + out + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no data point on the layer f(x,y)\\xyz; nothing written"), std::string::npos) << r.err;
  r = Grid(f, "--num-x 2 '" + drawing + "' -o '" + out + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("num x must be at least 3"), std::string::npos) << r.err;
  r = Grid(f, "--times 14 '" + drawing + "' -o '" + out + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("at most 32767"), std::string::npos) << r.err;
  r = Grid(f, "'" + f.File("missing.qvd") + "' -o '" + out + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot open"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(out));

  r = Grid(f, "--box 1,2,3 '" + drawing + "'");
  EXPECT_EQ(r.status, 2);
  r = Grid(f, "--smooth x '" + drawing + "'");
  EXPECT_EQ(r.status, 2);
  r = Grid(f, "'" + drawing + "' -o '" + f.File("no/dir/out.net") + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot write '" + f.File("no/dir/out.net") + "': No such file or directory"),
            std::string::npos)
      << r.err;
}

TEST(GridCommand, CtrlCEndsTheRunWithoutAFile) {
  Folder f;
  const std::string drawing = f.Write("d.qvd", Points(10, false));
  const std::string out = f.File("out.net"), err = f.File("stderr");
  // Precision 0 on rough data: the levels would run for minutes.
  std::vector<std::string> args = {QUARVEL_BINARY, "grid", "--precision", "0", "--num-x", "60",
                                   "--times", "2", drawing, "-o", out};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid;
  ASSERT_EQ(posix_spawn(&pid, QUARVEL_BINARY, &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  // Wait until the run has started (the summary line comes after Ctrl-C is
  // caught), then interrupt it.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (Slurp(err).find("1/2  (") == std::string::npos && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_EQ(kill(pid, SIGINT), 0);
  int raw = 0;
  ASSERT_EQ(waitpid(pid, &raw, 0), pid);
  ASSERT_TRUE(WIFEXITED(raw)) << "killed by signal " << WTERMSIG(raw);
  EXPECT_EQ(WEXITSTATUS(raw), 130);
  EXPECT_NE(Slurp(err).find("ended; no net file written"), std::string::npos) << Slurp(err);
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
