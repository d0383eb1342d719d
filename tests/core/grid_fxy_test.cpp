// The f(x,y) driver: gathering from the layers, the proposed grid, the
// caption, status lines, the user's answers, refusals and the written file.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <tuple>

#include <unistd.h>

#include "model/document/kones.h"
#include "io/fxy/fxy_driver.h"
#include "io/grid/net_file_reader.h"
#include "platform/files/private_directory.h"
#include "tests/support/comma_locale.h"
#include "tests/support/file_bytes.h"
#include "tests/support/doubles.h"
#include "tests/support/reading.h"
#include "tests/support/recording_status.h"
#include "tests/support/result_checks.h"
#include "tests/support/temp_dir.h"

namespace {

const char* kDrawing =
    "Layer M f(x,y)\\xyz\n"
    "XYZ\n1,2,3\n4,5,6,2,7\n\n"
    "PLINE\n0,0,7\n10,0,8\n\n"
    "Layer M f(x,y)\\break\n"
    "PLINE\n2,-1\n2,11\n3,11\nS\n\n"
    "PLINE.F1\n5,-1\n5,11\n\n"
    "Layer M f(x,y)\\outline\n"
    "PLINE\n-5,-5\n20,-5\n20,30\n\n"
    "Layer M other\n"
    "XYZ\n100,100,100\n\n";

TEST(FxyInput, GathersPointsBreaksAndOutlinesFromTheThreeLayers) {
  auto doc = ReadDrawing(kDrawing);
  KFxyDialogData d;
  const KFxyInput in = BeginFxy(*doc, d);
  ASSERT_EQ(in.points.size(), 4u);
  EXPECT_EQ(in.points[1].tag, 7);
  // Weights, then z: polyline vertices have w 1 and tag 0.
  EXPECT_THAT((Doubles{in.points[1].w, in.points[3].w, in.points[2].z}), DoublesAre({2, 1, 7}));
  ASSERT_EQ(in.breaks.size(), 2u);
  EXPECT_EQ(in.breaks[0].name, "10000");
  EXPECT_EQ(in.breaks[1].name, "F1");
  // The filled break is closed by its first vertex and is an outline too.
  EXPECT_THAT(in.breaks[0].x, DoublesAre({2, 2, 3, 2}));
  EXPECT_THAT(in.breaks[0].y, DoublesAre({-1, 11, 11, -1}));
  EXPECT_EQ(in.breaks[1].x.size(), 2u);
  ASSERT_EQ(in.outlines.size(), 2u);
  EXPECT_EQ(in.outlines[0].closure, 2081);

  // The box comes from the outline that is not filled; the steps are
  // 25 / (12 - 2), num y trunc(35 / 2.5 + 2).
  EXPECT_THAT((Doubles{d.minX, d.maxX, d.minY, d.maxY, d.zMin, d.zMax, d.zDelta, d.pre, d.deltX, d.deltY}),
              DoublesAre({-5, 20, -5, 30, 3, 8, 5, 0.005, 2.5, 2.5}));
  EXPECT_EQ(d.numY, 16);
}

KFxyLayerChoice Choice(std::vector<std::string> points, std::vector<std::string> breaks,
                       std::vector<std::string> outlines) {
  KFxyLayerChoice c;
  c.points = std::move(points);
  c.breaks = std::move(breaks);
  c.outlines = std::move(outlines);
  return c;
}

TEST(FxyInput, LayersChosenByRoleAreCountedByLayer) {
  auto doc = ReadDrawing(kDrawing);
  const struct {
    KFxyLayerChoice choice;
    std::size_t points, breaks, outlines;
    std::string text, missing;
  } cases[] = {
      {KFxyLayerChoice(), 4, 2, 2,
       "4 points from f(x,y)\\xyz; 2 break lines from f(x,y)\\break; 1 outlines from f(x,y)\\outline", ""},
      // Several layers a role; a layer named for two roles serves the first.
      {Choice({"f(x,y)\\xyz", "other"}, {"f(x,y)\\outline", "other"}, {}), 5, 1, 0,
       "5 points from f(x,y)\\xyz (4), other (1); 1 break lines from f(x,y)\\outline (1), other (0)", ""},
      {Choice({"nosuch"}, {"f(x,y)\\break"}, {"gone", "f(x,y)\\xyz"}), 0, 2, 2,
       "0 points from nosuch; 2 break lines from f(x,y)\\break; 1 outlines from gone (0), f(x,y)\\xyz (1)",
       "nosuch gone "},
  };
  for (const auto& c : cases) {
    const KFxyInput in = GatherFxyInput(*doc, c.choice);
    EXPECT_EQ(in.points.size(), c.points) << c.text;
    EXPECT_EQ(in.breaks.size(), c.breaks) << c.text;
    EXPECT_EQ(in.outlines.size(), c.outlines) << c.text;
    EXPECT_EQ(FxySourcesText(in), c.text);
    std::string missing;
    for (const std::string& name : MissingFxyLayers(*doc, c.choice)) missing += name + " ";
    EXPECT_EQ(missing, c.missing);
  }
}

TEST(FxyInput, BoxFromThePointsWithoutOutlinesOrWithOnlyFilledOnes) {
  for (const char* extra : {"", "Layer M f(x,y)\\outline\nPLINE\n-50,-50\n50,-50\n50,50\nS\n\n"}) {
    auto doc = ReadDrawing(std::string("Layer M f(x,y)\\xyz\nXYZ\n1,2,3\n4,7,6\n-2,5,1\n\n") + extra);
    KFxyDialogData d;
    BeginFxy(*doc, d);
    EXPECT_THAT((Doubles{d.minX, d.maxX, d.minY, d.maxY}), DoublesAre({-2, 4, 2, 7}));
  }
  KOnes empty;
  KFxyDialogData d;
  const KFxyInput in = BeginFxy(empty, d);
  EXPECT_TRUE(in.points.empty());
}

TEST(FxyDialog, DefaultsCaptionAndChangeHandlers) {
  KFxyDialogData d;
  EXPECT_EQ(d.numX, 12);
  EXPECT_EQ(d.times, 5);
  EXPECT_EQ(d.smooth, 0);
  EXPECT_EQ(d.iterationLimit, 30000);
  EXPECT_EQ(std::filesystem::path(d.output).filename(), "net.f(x,y)");
  EXPECT_EQ(std::filesystem::path(d.output).parent_path(), PrivateDirectoryPath());

  d.numX = 12;
  d.numY = 10;
  // The nodes of the last level; no overflow at 40 levels, where the
  // counts (11 * 2^39 + 1 and 9 * 2^39 + 1) read in three digits; a
  // negative num x shows as 0.
  const std::tuple<int, int, const char*> captions[] = {{12, 3, "[45 X 37]"},
                                                        {12, 1, "[12 X 10]"},
                                                        {12, 0, "[12 X 10]"},
                                                        {12, 40, "[6.05e+12 X 4.95e+12]"},
                                                        {-4, 3, "[0 X 37]"}};
  for (const auto& [numX, times, caption] : captions) {
    d.numX = numX;
    d.times = times;
    EXPECT_EQ(FxyCaption(d), caption);
  }
  d.numX = 12;

  d.minX = 0;
  d.maxX = 100;
  d.minY = 0;
  d.maxY = 55;
  d.numX = 22;
  OnFxyNumXChanged(d);
  EXPECT_THAT((Doubles{d.deltX, d.deltY}), DoublesAre({5, 5}));
  EXPECT_EQ(d.numY, 13);
  d.numX = 2;   // no usable step: the steps stay
  OnFxyNumXChanged(d);
  EXPECT_DOUBLE_EQ(d.deltX, 5);

  d.timesChanges = 0;
  EXPECT_FALSE(OnFxyTimesChanged(d));   // raised while the controls are filled
  EXPECT_TRUE(OnFxyTimesChanged(d));
  EXPECT_TRUE(OnFxyTimesChanged(d));
}

// Points on a gentle surface over [0, 20] x [0, 10] and a dialog for them.
KFxyInput SmallInput() {
  KFxyInput in;
  for (int j = 0; j <= 5; ++j)
    for (int i = 0; i <= 10; ++i) {
      KOne p;
      p.x = 2 * i + 0.3 * (j % 2);
      p.y = 2 * j;
      p.z = std::sin(p.x / 4) * 10 + p.y;
      in.points.push_back(p);
    }
  return in;
}

KFxyDialogData SmallDialog(const KFxyInput& in, const std::string& output) {
  KFxyDialogData d;
  ProposeFxyGrid(in, d);
  d.output = output;
  return d;
}

TEST(FxyDriver, StatusLinesLevelsAndTheWrittenGrid) {
  TempDir dir;
  const KFxyInput in = SmallInput();
  KFxyDialogData d = SmallDialog(in, dir.File("net.f(x,y)"));
  d.times = 2;
  d.pre = 1e-6;   // enough sweeps for progress lines
  const double step = d.deltX;
  RecordingStatus status;
  const KResultWith<KFxyRun> r = RunFxy(in, d, status);
  ASSERT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(r.value().levelsRun, 2);
  EXPECT_DOUBLE_EQ(d.deltX, step / 4);   // halved after each level
  // The box is 20.3 x 10, the first step 2.03: level 1 has trunc(10 + 3) by
  // trunc(4.93 + 3) nodes, level 2 trunc(20 + 3) by trunc(9.85 + 3).
  ASSERT_GE(status.lines.size(), 4u);
  const auto at = [&](std::size_t k) {
    const RecordingStatus::Line& l = status.lines.at(k);
    return std::to_string(l.x) + "," + std::to_string(l.y) + " " + l.text;
  };
  EXPECT_EQ(at(0), "10,0 1/2  (13 X 7) 1.000000e-06");
  EXPECT_EQ(at(1), "10,30 1/2");
  int second = -1;
  for (std::size_t k = 0; k < status.lines.size(); ++k)
    if (status.lines[k].text == "2/2  (23 X 12) 1.000000e-06") second = static_cast<int>(k);
  ASSERT_GT(second, 2);
  EXPECT_EQ(at(second + 1), "10,50 2/2");
  // Progress lines sit at x 50 on their level's line, every tenth sweep.
  EXPECT_EQ(at(2).substr(0, 12), "50,30 00008 ");
  EXPECT_EQ(status.lines[2].text.size(), 6u + 10 + 1 + 6 + 1);   // "%.4e" is 10 wide here, "%6.3lf " 7
  EXPECT_EQ(status.progress.front().sweep, 8);
  EXPECT_EQ(status.asked, static_cast<int>(status.progress.size()));

  KNetFile net;
  const KResult read = ReadNetFile(d.output, net);
  ASSERT_TRUE(read.ok()) << read.message();
  EXPECT_EQ(net.nx, 23);
  EXPECT_EQ(net.ny, 12);
  EXPECT_DOUBLE_EQ(net.dx, step / 2);
  // How closely the grid follows the data: grid_accuracy_test.
}

TEST(FxyDriver, FastSolverHalvesThePrecisionOnEachLevelBeforeTheLast) {
  TempDir dir;
  const KFxyInput in = SmallInput();
  KFxyDialogData d = SmallDialog(in, dir.File("net.f(x,y)"));
  d.times = 3;
  d.pre = 1e-4;
  d.solver = KFxyDialogData::Solver::kFast;
  RecordingStatus status;
  ASSERT_TRUE(RunFxy(in, d, status).ok());
  std::vector<std::string> heads;
  for (const RecordingStatus::Line& l : status.lines)
    if (l.y == 0) heads.push_back(l.text.substr(l.text.rfind(' ') + 1));
  EXPECT_EQ(heads, (std::vector<std::string>{"2.500000e-05", "5.000000e-05", "1.000000e-04"}));
}

TEST(FxyDriver, StatusLinesIgnoreACommaLocale) {
  TempDir dir;
  const KFxyInput in = SmallInput();
  KFxyDialogData d = SmallDialog(in, dir.File("n"));
  d.times = 1;
  d.pre = 1e-6;
  RecordingStatus status;
  KResult r;
  {
    CommaLocale comma;
    if (!comma.active()) GTEST_SKIP() << "no comma-decimal locale is installed";
    r = RunFxy(in, d, status);
  }
  ASSERT_TRUE(r.ok()) << r.message();
  ASSERT_GE(status.lines.size(), 3u);
  EXPECT_EQ(status.lines[0].text, "1/1  (13 X 7) 1.000000e-06");
  EXPECT_EQ(status.lines[2].text.find(','), std::string::npos) << status.lines[2].text;
  EXPECT_NE(status.lines[2].text.find('.'), std::string::npos);
}

TEST(FxyDriver, TimesZeroRunsOneLevel) {
  TempDir dir;
  const KFxyInput in = SmallInput();
  KFxyDialogData d = SmallDialog(in, dir.File("n"));
  d.times = 0;
  RecordingStatus status;
  const KResultWith<KFxyRun> r = RunFxy(in, d, status);
  EXPECT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(r.value().levelsRun, 1);
  EXPECT_EQ(d.times, 1);
  EXPECT_EQ(status.lines[0].text.substr(0, 4), "1/1 ");
}

TEST(FxyDriver, NextOnEveryLevelStillWritesAndEndWritesNothing) {
  TempDir dir;
  const KFxyInput in = SmallInput();
  {
    KFxyDialogData d = SmallDialog(in, dir.File("next"));
    d.times = 3;
    d.pre = 0;   // never converges: only the answers end the levels
    RecordingStatus status;
    status.answers = {KFxyAnswer::kNext, KFxyAnswer::kNext, KFxyAnswer::kNext};
    const KResultWith<KFxyRun> r = RunFxy(in, d, status);
    EXPECT_TRUE(r.ok()) << r.message();
    EXPECT_EQ(r.value().levelsRun, 3);
    EXPECT_EQ(r.value().sweeps, 27);   // each level asked once, after its 9th sweep
    KNetFile net;
    const KResult read = ReadNetFile(dir.File("next"), net);
    EXPECT_TRUE(read.ok()) << read.message();
    EXPECT_EQ(net.nx, 43);
  }
  using A = KFxyAnswer;
  for (std::vector<A> answers : {std::vector<A>{A::kEnd}, std::vector<A>{A::kNext, A::kContinue, A::kEnd}}) {
    KFxyDialogData d = SmallDialog(in, dir.File("end"));
    d.times = 3;
    d.pre = 0;
    RecordingStatus status;
    status.answers = answers;
    const KResult r = RunFxy(in, d, status);
    EXPECT_EQ(r.status(), KStatus::kCancelled);
    EXPECT_FALSE(std::filesystem::exists(dir.File("end")));
  }
  // A stop request (Ctrl-C) ends like "&End", even on a level that converges
  // before its first question.
  KFxyDialogData d = SmallDialog(in, dir.File("stop"));
  RecordingStatus status;
  status.stop = true;
  EXPECT_EQ(RunFxy(in, d, status).status(), KStatus::kCancelled);
  EXPECT_FALSE(std::filesystem::exists(dir.File("stop")));
  EXPECT_TRUE(dir.Names().empty() || dir.Names() == std::vector<std::string>{"next"});
}

TEST(FxyDriver, RefusesValuesThatMakeNoGridBeforeComputing) {
  TempDir dir;
  const KFxyInput in = SmallInput();
  const auto refused = [&](KFxyDialogData d, const KFxyInput& input, const std::string& words,
                           double memory = 0) {
    RecordingStatus status;
    EXPECT_TRUE(FailedWith(RunFxy(input, d, status, memory), KStatus::kRefused, {words}));
    EXPECT_TRUE(status.lines.empty());
    EXPECT_FALSE(std::filesystem::exists(d.output));
  };
  const KFxyDialogData base = SmallDialog(in, dir.File("n"));

  refused(base, KFxyInput(), "no data point");
  KFxyDialogData d = base;
  d.numX = 2;
  refused(d, in, "num x");
  d = base;
  d.times = 13;   // 10 * 2^12 + 3 nodes across
  refused(d, in, "32767");
  d = base;
  d.maxY = 1e300;   // the count is named in a few digits, not three hundred
  refused(d, in, "would have 13 X 4.93e+299 nodes;");
  refused(base, in, "memory", 1000.0);
  d = base;
  d.smooth = -1;
  refused(d, in, "smooth");
  d = base;
  d.pre = NAN;
  refused(d, in, "precision");

  KFxyInput line;   // every point on one x: the box has no width
  for (int k = 0; k < 3; ++k) line.points.push_back({1.0, double(k), 2.0, 1.0, 0});
  d = SmallDialog(line, dir.File("n"));
  refused(d, line, "no width");

  // Every point beside a break: no data cell on the first level.
  KFxyInput fenced;
  fenced.points.push_back({5.0, 5.0, 1.0, 1.0, 0});
  fenced.points.push_back({15.0, 5.0, 2.0, 1.0, 0});
  d = SmallDialog(fenced, dir.File("n"));
  d.minY = 0;
  d.maxY = 10;
  fenced.breaks.push_back({{0, 20}, {5.1, 5.1}, 0, "b"});
  RecordingStatus status;
  EXPECT_TRUE(FailedWith(RunFxy(fenced, d, status), KStatus::kRefused, {"no data point lies inside"}));
  EXPECT_FALSE(std::filesystem::exists(d.output));
}

// A link planted under the output's name by another user is not followed:
// the file it leads to stays as it was, and no gridding is done.
TEST(FxyDriver, RefusesALinkOfAnotherUsersAtTheOutput) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to make a link owned by another user";
  TempDir dir;
  const std::string victim = dir.Write("victim", "mine\n"), planted = dir.File("net.f(x,y)");
  ASSERT_EQ(symlink(victim.c_str(), planted.c_str()), 0);
  ASSERT_EQ(lchown(planted.c_str(), 65534, 65534), 0);
  const KFxyInput in = SmallInput();
  KFxyDialogData d = SmallDialog(in, planted);
  RecordingStatus status;
  EXPECT_TRUE(FailedWith(RunFxy(in, d, status), KStatus::kRefused, {"symbolic link of another user's"}));
  EXPECT_EQ(ReadFileBytes(victim), "mine\n");
}

TEST(FxyDriver, UnwritableOutputIsReported) {
  TempDir dir;
  const KFxyInput in = SmallInput();
  KFxyDialogData d = SmallDialog(in, dir.File("missing/net.f(x,y)"));
  d.times = 1;
  RecordingStatus status;
  EXPECT_TRUE(FailedWith(RunFxy(in, d, status), KStatus::kCannotWrite, {"missing/net.f(x,y)"}));
}

}  // namespace
