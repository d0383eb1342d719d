// "quarvel convert" run as a program: drawings opened into one window and
// saved as one; inputs that cannot be opened and outputs that cannot be
// written end with status 1 and write nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/document/elements.h"
#include "tests/support/file_bytes.h"
#include "tests/support/result_checks.h"
#include "window/editor/quarvel_window.h"

namespace {

ProgramRun Convert(std::vector<std::string> args) {
  args.insert(args.begin(), "convert");
  return RunQuarvel(args);
}

TEST(ConvertCommand, OpensAllInputsIntoOneDrawing) {
  TempDir dir;
  const std::string a = dir.Write("a.qvd", "Layer M faults\nRGB 255 0 0\nPline\n0,0\n1,1\n\n");
  const std::string b = dir.Write("b.qvd", "Layer M wells\nPoint 5,5 W1\nLayer M faults\nPoint 6,6 W2\nPline\n0,0\n\n");
  ProgramRun run = Convert({"--verbose", a, b, "-o", dir.File("out.qvd")});
  ASSERT_TRUE(ExitedWith(run, 0, {"entries written"}));
  // What is dropped is told, verbose or not.
  EXPECT_TRUE(ExitedWith(Convert({a, b, "-o", dir.File("out.qvd")}), 0,
                         {"quarvel convert: warning: " + b + ": line 8, column 1 (byte 66): polyline rejected: fewer than 2 vertices"}));

  QuarvelWindow back;
  ASSERT_EQ(back.OnOpenDocument(dir.File("out.qvd")), 1);
  ASSERT_EQ(back.entries.size(), 3u);
  // The second file went on with the colour the first left.
  EXPECT_EQ(back.entries[1]->colour, -255);
  EXPECT_EQ(back.entries[2]->layer, back.entries[0]->layer);
  EXPECT_EQ(back.entries[1]->layer->name, "wells");
}

TEST(ConvertCommand, FailuresWriteNothing) {
  TempDir dir;
  const std::string a = dir.Write("a.qvd", "Point 1,1 p\n");
  const std::string out = dir.Write("out.qvd", "keep me\n");
  EXPECT_TRUE(ExitedWith(Convert({a, dir.File("missing.qvd"), "-o", out}), 1, {"missing.qvd"}));
  EXPECT_EQ(ReadFileBytes(out), "keep me\n");

  const std::string unwritable = dir.File("no/such/dir/out.qvd");
  EXPECT_TRUE(ExitedWith(Convert({a, "-o", unwritable}), 1, {"cannot write '" + unwritable + "': No such file or directory"}));
}

// Each group of a curve file survives saving and saving again, also a group
// of a single curve, whose one placement point makes no polyline.
TEST(ConvertCommand, EveryCurveGroupSurvivesTwoSaves) {
  TempDir dir;
  ASSERT_EQ(Convert({QUARVEL_TEST_DATA "/curves_two_groups.kcx", "-o", dir.File("once.qvd")}).status, 0);
  ASSERT_EQ(Convert({dir.File("once.qvd"), "-o", dir.File("twice.qvd")}).status, 0);
  QuarvelWindow back;
  ASSERT_EQ(back.OnOpenDocument(dir.File("twice.qvd")), 1);
  ASSERT_EQ(back.entries.size(), 2u);
  const auto* wells = back.entries[1]->As<KPointText>();
  ASSERT_NE(wells, nullptr);
  EXPECT_EQ(wells->label, "Wells");
  EXPECT_EQ(wells->x, 300);
  EXPECT_EQ(wells->y, 400);
  EXPECT_EQ(wells->z, 8);
}

TEST(ConvertCommand, MissingArgumentsAreUsageErrors) {
  TempDir dir;
  const std::string a = dir.Write("a.qvd", "Point 1,1 p\n");
  const std::string x = dir.File("x.qvd");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {a}, {"-o", x}, {a, "-o"}, {"--frobnicate", a, "-o", x}})  // no -o, no input, no name, unknown
    EXPECT_EQ(Convert(args).status, 2) << args.size();
  EXPECT_FALSE(std::filesystem::exists(x));

  // Names the readers take for a curve or STEP file: refused, and an old
  // file of that name kept.
  const std::string curves = dir.Write("m.kcx", "old curves\n");
  EXPECT_TRUE(ExitedWith(Convert({a, "-o", curves}), 2, {"is read as a curve file"}));
  EXPECT_EQ(ReadFileBytes(curves), "old curves\n");
  EXPECT_TRUE(ExitedWith(Convert({a, "-o", dir.File("m.Step2")}), 2, {"is read as a STEP file"}));
  EXPECT_FALSE(std::filesystem::exists(dir.File("m.Step2")));
}

}  // namespace
