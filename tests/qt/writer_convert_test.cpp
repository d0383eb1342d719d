// "quarvel convert" run as a program: drawings opened into one window and
// saved as one; inputs that cannot be opened and outputs that cannot be
// written end with status 1 and write nothing.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "window/quarvel_window.h"

namespace {

namespace fs = std::filesystem;

struct ConvertRun {
  int status;
  std::string err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class Dir {
public:
  Dir() : path_(fs::temp_directory_path() / ("quarvel_convert_" + std::to_string(getpid()))) {
    fs::create_directories(path_);
  }
  ~Dir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  std::string Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(*this / name, std::ios::binary) << bytes;
    return *this / name;
  }

private:
  fs::path path_;
};

ConvertRun Convert(const Dir& dir, const std::string& args) {
  const std::string err = dir / "stderr";
  const std::string cmd = std::string("cd '") + QUARVEL_SOURCE_DIR + "' && '" + QUARVEL_BINARY + "' convert " + args +
                          " >/dev/null 2>'" + err + "'";
  const int raw = std::system(cmd.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(err)};
}

TEST(ConvertCommand, OpensAllInputsIntoOneDrawing) {
  Dir dir;
  const std::string a = dir.Put("a.qvd", "Layer M faults\nRGB 255 0 0\nPline\n0,0\n1,1\n\n");
  const std::string b = dir.Put("b.qvd", "Layer M wells\nPoint 5,5 W1\nLayer M faults\nPoint 6,6 W2\n");
  const std::string out = dir / "out.qvd";
  const ConvertRun run = Convert(dir, "--verbose '" + a + "' '" + b + "' -o '" + out + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("entries written"), std::string::npos) << run.err;

  QuarvelWindow back;
  ASSERT_EQ(back.OnOpenDocument(out), 1);
  ASSERT_EQ(back.entries.size(), 3u);
  // The second file went on with the colour the first left.
  EXPECT_EQ(back.entries[1]->colour, -255);
  EXPECT_EQ(back.entries[2]->layer, back.entries[0]->layer);
  EXPECT_EQ(back.entries[1]->layer->name, "wells");
}

TEST(ConvertCommand, UnopenableInputWritesNothing) {
  Dir dir;
  const std::string a = dir.Put("a.qvd", "Point 1,1 p\n");
  const std::string out = dir.Put("out.qvd", "keep me\n");
  const ConvertRun run = Convert(dir, "'" + a + "' '" + (dir / "missing.qvd") + "' -o '" + out + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("missing.qvd"), std::string::npos) << run.err;
  EXPECT_EQ(Slurp(out), "keep me\n");
}

TEST(ConvertCommand, UnwritableOutputFails) {
  Dir dir;
  const std::string a = dir.Put("a.qvd", "Point 1,1 p\n");
  const std::string out = dir / "no/such/dir/out.qvd";
  const ConvertRun run = Convert(dir, "'" + a + "' -o '" + out + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write '" + out + "': No such file or directory"), std::string::npos) << run.err;
}

TEST(ConvertCommand, MissingArgumentsAreUsageErrors) {
  Dir dir;
  const std::string a = dir.Put("a.qvd", "Point 1,1 p\n");
  EXPECT_EQ(Convert(dir, "'" + a + "'").status, 2);                      // no -o
  EXPECT_EQ(Convert(dir, "-o '" + (dir / "x.qvd") + "'").status, 2);     // no input
  EXPECT_EQ(Convert(dir, "'" + a + "' -o").status, 2);                   // -o without a name
  EXPECT_EQ(Convert(dir, "--frobnicate '" + a + "' -o x").status, 2);    // unknown option
  EXPECT_FALSE(fs::exists(dir / "x.qvd"));
}

}  // namespace
