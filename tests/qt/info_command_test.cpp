// "quarvel info" run as a program on the bundled examples and on drawings
// written here.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct InfoRun {
  int status;
  std::string out, err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("quarvel_info_" + std::to_string(getpid()) + "_" + name)).string();
}

InfoRun Info(const std::string& args) {
  const std::string out = TempPath("out"), err = TempPath("err");
  const std::string cmd = std::string("cd '") + QUARVEL_SOURCE_DIR + "' && '" + QUARVEL_BINARY + "' info " + args +
                          " >'" + out + "' 2>'" + err + "'";
  const int raw = std::system(cmd.c_str());
  InfoRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
  std::remove(out.c_str());
  std::remove(err.c_str());
  return r;
}

class Drawing {
public:
  Drawing(const std::string& name, const std::string& bytes) : path_(TempPath(name)) {
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  ~Drawing() { std::remove(path_.c_str()); }
  const std::string& path() const { return path_; }

private:
  std::string path_;
};

TEST(InfoCommand, BundledMap) {
  InfoRun r = Info("--json examples/map.qvd");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "{\"entries\": 27, \"kinds\": {\"100\": 10, \"200\": 6, \"201\": 2, \"202\": 8, \"301\": 1}, "
            "\"layers\": [{\"name\": \"annotation\", \"state\": 0}, {\"name\": \"contours\", \"state\": 0}, "
            "{\"name\": \"f(x,y)\\\\xyz\", \"state\": 2}, {\"name\": \"faults\", \"state\": 1}, "
            "{\"name\": \"planned\", \"state\": 0}, {\"name\": \"wells\", \"state\": 0}], "
            "\"blocks\": [\"sym\\\\rig\", \"sym\\\\well\"], \"extent\": [0, 10000, 0, 8000]}\n");
}

TEST(InfoCommand, BundledStepAndCurveFiles) {
  InfoRun r = Info("--json examples/wells.step");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "{\"entries\": 6, \"kinds\": {\"100\": 1, \"200\": 3, \"202\": 1, \"400\": 1}, "
            "\"layers\": [{\"name\": \"0\", \"state\": 0}, {\"name\": \"panel\", \"state\": 0}, "
            "{\"name\": \"panel\\\\wells\", \"state\": 0}], \"blocks\": [\"sym\\\\dot\"], "
            "\"extent\": [-4.1, 20, -20, 2]}\n");
  r = Info("--json examples/faults.kcx");
  EXPECT_EQ(r.status, 0);
  // The extent runs through the placement points of the fault sticks.
  EXPECT_EQ(r.out,
            "{\"entries\": 1, \"kinds\": {\"101\": 1}, \"layers\": [{\"name\": \"0\", \"state\": 0}], "
            "\"blocks\": [], \"extent\": [1800, 7600, 4700, 7900]}\n");
}

TEST(InfoCommand, HandWrittenDrawingsInOneWindow) {
  Drawing a("a.qvd",
            "LAYER M b\\z POINT 1,2 p\nLAYER M \xb5\xc4 LAYER NotViewNotEdit\nPLINE\n-5,3\n4,9\n\n"
            "NEW blk ENDNEW\n");
  Drawing b("b.txt", "LAYER M b\\z XYZ 100,-50,1\n\nTEXT 0,0 1 0 not counted\n");
  InfoRun r = Info("--json '" + a.path() + "' '" + b.path() + "'");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "{\"entries\": 4, \"kinds\": {\"100\": 1, \"200\": 1, \"202\": 1, \"301\": 1}, "
            "\"layers\": [{\"name\": \"b\\\\z\", \"state\": 0}, {\"name\": \"\\u00b5\\u00c4\", \"state\": 2}], "
            "\"blocks\": [\"blk\"], \"extent\": [-5, 100, -50, 9]}\n");
}

TEST(InfoCommand, EmptyDrawingKeepsTheSentinels) {
  Drawing a("empty.qvd", "POINT 1,1 only-points-here\n");
  InfoRun r = Info("--json '" + a.path() + "'");
  EXPECT_EQ(r.out,
            "{\"entries\": 1, \"kinds\": {\"200\": 1}, \"layers\": [{\"name\": \"0\", \"state\": 0}], "
            "\"blocks\": [], \"extent\": [1e300, -1e300, 1e300, -1e300]}\n");
}

TEST(InfoCommand, UnopenableFileIsNamedAndTheOthersStillRead) {
  Drawing a("ok.qvd", "PLINE\n0,0\n1,1\n\n");
  InfoRun r = Info("--json /nonexistent/missing.qvd '" + a.path() + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("/nonexistent/missing.qvd"), std::string::npos);
  EXPECT_NE(r.out.find("\"entries\": 1,"), std::string::npos);
}

TEST(InfoCommand, VerboseListsWhatWasSkipped) {
  Drawing a("bad.qvd", "PLINE\n0,0\n\nPOINT nothing\n");
  InfoRun r = Info("--verbose '" + a.path() + "'");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find(a.path() + ":11: polyline rejected: fewer than 2 vertices"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("point rejected"), std::string::npos);
  r = Info("--json --verbose '" + a.path() + "'");
  EXPECT_NE(r.out.find("\"issues\": [{\"file\": "), std::string::npos);
  r = Info("'" + a.path() + "'");
  EXPECT_EQ(r.out.find("rejected"), std::string::npos);
}

TEST(InfoCommand, UsageErrors) {
  EXPECT_EQ(Info("").status, 2);
  EXPECT_EQ(Info("--bogus x.qvd").status, 2);
}

}  // namespace
