// "quarvel info" run as a program on the bundled examples and on drawings
// written here.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/grid_bytes.h"
#include "tests/support/result_checks.h"
#include "tests/support/temp_dir.h"

namespace {

// Relative paths are the repository's.
ProgramRun Info(std::vector<std::string> args) {
  args.insert(args.begin(), "info");
  return RunQuarvel(args, QUARVEL_SOURCE_DIR);
}

TEST(InfoCommand, BundledFiles) {
  const struct {
    const char* file;
    const char* json;
  } cases[] = {
      {"examples/map.qvd",
       "{\"entries\": 27, \"kinds\": {\"100\": 10, \"200\": 6, \"201\": 2, \"202\": 8, \"301\": 1}, "
       "\"layers\": [{\"name\": \"annotation\", \"state\": 0}, {\"name\": \"contours\", \"state\": 0}, "
       "{\"name\": \"f(x,y)\\\\xyz\", \"state\": 2}, {\"name\": \"faults\", \"state\": 1}, "
       "{\"name\": \"planned\", \"state\": 0}, {\"name\": \"wells\", \"state\": 0}], "
       "\"blocks\": [\"sym\\\\rig\", \"sym\\\\well\"], \"extent\": [0, 10000, 0, 8000]}\n"},
      {"examples/wells.step",
       "{\"entries\": 6, \"kinds\": {\"100\": 1, \"200\": 3, \"202\": 1, \"400\": 1}, "
       "\"layers\": [{\"name\": \"0\", \"state\": 0}, {\"name\": \"panel\", \"state\": 0}, "
       "{\"name\": \"panel\\\\wells\", \"state\": 0}], \"blocks\": [\"sym\\\\dot\"], "
       "\"extent\": [-4.1, 20, -20, 2]}\n"},
      // The extent runs through the placement points of the fault sticks.
      {"examples/faults.kcx",
       "{\"entries\": 1, \"kinds\": {\"101\": 1}, \"layers\": [{\"name\": \"0\", \"state\": 0}], "
       "\"blocks\": [], \"extent\": [1800, 7600, 4700, 7900]}\n"},
  };
  for (const auto& c : cases) {
    const ProgramRun r = Info({"--json", c.file});
    EXPECT_EQ(r.status, 0) << c.file;
    EXPECT_EQ(r.err, "") << c.file;
    EXPECT_EQ(r.out, c.json);
  }
}

TEST(InfoCommand, HandWrittenDrawingsInOneWindow) {
  TempDir dir;
  const ProgramRun r =
      Info({"--json",
            dir.Write("a.qvd", "LAYER M b\\z POINT 1,2 p\nLAYER M \xb5\xc4 LAYER NotViewNotEdit\nPLINE\n-5,3\n4,9\n\n"
                               "NEW blk ENDNEW\n"),
            dir.Write("b.txt", "LAYER M b\\z XYZ 100,-50,1\n\nTEXT 0,0 1 0 not counted\n")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "{\"entries\": 4, \"kinds\": {\"100\": 1, \"200\": 1, \"202\": 1, \"301\": 1}, "
            "\"layers\": [{\"name\": \"b\\\\z\", \"state\": 0}, {\"name\": \"\\u00b5\\u00c4\", \"state\": 2}], "
            "\"blocks\": [\"blk\"], \"extent\": [-5, 100, -50, 9]}\n");
  // Nothing with an extent keeps the sentinels.
  EXPECT_EQ(Info({"--json", dir.Write("points.qvd", "POINT 1,1 only-points-here\n")}).out,
            "{\"entries\": 1, \"kinds\": {\"200\": 1}, \"layers\": [{\"name\": \"0\", \"state\": 0}], "
            "\"blocks\": [], \"extent\": [1e300, -1e300, 1e300, -1e300]}\n");
}

TEST(InfoCommand, UnopenableFileIsNamedAndTheOthersStillRead) {
  TempDir dir;
  const ProgramRun r = Info({"--json", "/nonexistent/missing.qvd", dir.Write("ok.qvd", "PLINE\n0,0\n1,1\n\n")});
  EXPECT_TRUE(ExitedWith(r, 1, {"/nonexistent/missing.qvd"}));
  EXPECT_NE(r.out.find("\"entries\": 1,"), std::string::npos);
}

// A file in which nothing was recognised is said to be so; an empty one is
// an empty drawing.
TEST(InfoCommand, WarnsWhenNothingWasRecognised) {
  TempDir dir;
  const std::string readme = dir.Write("README", "Build it with make.\nRun it.\n");
  EXPECT_TRUE(ExitedWith(Info({readme}), 0, {"quarvel info: warning: " + readme + ": nothing in it was recognised"}));
  EXPECT_EQ(Info({dir.Write("empty.qvd", "")}).err, "");
}

TEST(InfoCommand, VerboseListsWhatWasSkipped) {
  TempDir dir;
  const std::string bad = dir.Write("bad.qvd", "PLINE\n0,0\n\nPOINT nothing\n");
  ProgramRun r = Info({"--verbose", bad});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find(bad + ": line 4, column 1 (byte 11): polyline rejected: fewer than 2 vertices"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("point rejected"), std::string::npos);
  EXPECT_NE(Info({"--json", "--verbose", bad}).out.find("\"issues\": [{\"file\": "), std::string::npos);
  EXPECT_EQ(Info({bad}).out.find("rejected"), std::string::npos);
  // A grid file's own warning is listed at the element that named the file.
  const std::string grid = dir.Write("cut.grd", GridBytes(2, 2).Double(1).Double(2).Double(3).bytes());
  const std::string drawing = dir.Write("grid.qvd", "GRID3D " + grid + "\n");
  r = Info({"--json", "--verbose", drawing});
  EXPECT_NE(r.out.find("\"issues\": [{\"file\": \"" + drawing + "\", \"offset\": 7, \"what\": \"grid cut short\", "
                       "\"why\": \"grid file '" + grid + "' is cut short: it holds 3 of the 4 values (2 x 2); "
                       "the rest take the smallest value read\"}]"),
            std::string::npos)
      << r.out;
}

TEST(InfoCommand, UsageErrors) {
  EXPECT_EQ(Info({}).status, 2);
  EXPECT_EQ(Info({"--bogus", "x.qvd"}).status, 2);
}

}  // namespace
