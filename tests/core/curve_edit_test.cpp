// Digitising, splicing and trimming curves: the record operations and the
// window's curve modes.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "model/document/klayer.h"
#include "platform/resources/menus.h"
#include "tests/support/curve_builder.h"
#include "tests/support/window_fixture.h"

namespace {

using Points = PointList;

Points PointsOf(const KCurve& c) {
  Points p;
  for (int i = 0; i < c.count; ++i) p.emplace_back(c.x()[i], c.y()[i]);
  return p;
}

const Points kStraight{{0, 0}, {10, 0}, {20, 0}, {30, 0}};

struct TrimCase {
  const char* name;
  std::pair<double, double> p1, p2;
  Points expected;
  std::vector<double> s;
};

class TrimRange : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimRange, CutsOnlyAtTheEnds) {
  const TrimCase& c = GetParam();
  KCurve curve = MakeCurve(kStraight);
  const bool changed = curve.TrimRange(c.p1.first, c.p1.second, c.p2.first, c.p2.second);
  EXPECT_EQ(PointsOf(curve), c.expected);
  EXPECT_EQ(changed, c.expected != kStraight);
  for (std::size_t i = 0; i < c.s.size(); ++i) EXPECT_DOUBLE_EQ(curve.s()[i], c.s[i]);
}

INSTANTIATE_TEST_SUITE_P(
    KCurve, TrimRange,
    ::testing::Values(TrimCase{"BothInside", {5, 1}, {25, 1}, kStraight, {}},
                      TrimCase{"SecondBeyondEnd", {15, 1}, {40, 0}, {{0, 0}, {10, 0}}, {0, 10}},
                      TrimCase{"FirstBeforeStartKeepsS", {-10, 0}, {15, 1}, {{20, 0}, {30, 0}}, {20, 30}},
                      TrimCase{"ClicksInEitherOrder", {15, 1}, {-10, 0}, {{20, 0}, {30, 0}}, {20, 30}},
                      TrimCase{"BothBeforeStart", {-10, 0}, {-5, 0}, kStraight, {}},
                      // Would keep a negative number of points: unchanged.
                      TrimCase{"SpanningTheWholeCurve", {-10, 0}, {40, 0}, kStraight, {}}),
    [](const auto& info) { return info.param.name; });

struct SpliceCase {
  const char* name;
  Points stroke, expected;
};

class Splice : public ::testing::TestWithParam<SpliceCase> {};

TEST_P(Splice, ReplacesTheStretchBetweenTheStrokeEnds) {
  const SpliceCase& c = GetParam();
  KCurve curve = MakeCurve(kStraight);
  const bool changed = curve.Splice(MakeCurve(c.stroke));
  EXPECT_EQ(PointsOf(curve), c.expected);
  EXPECT_EQ(changed, c.expected != kStraight);
  EXPECT_DOUBLE_EQ(curve.s()[curve.count - 1], curve.Length());
}

INSTANTIATE_TEST_SUITE_P(
    KCurve, Splice,
    ::testing::Values(
        SpliceCase{"Inside", {{5, 2}, {12, 3}, {25, 2}}, {{0, 0}, {5, 2}, {12, 3}, {25, 2}, {30, 0}}},
        SpliceCase{"Reversed", {{25, 2}, {5, 2}}, {{0, 0}, {5, 2}, {25, 2}, {30, 0}}},
        SpliceCase{"ReplacesTheBeginning", {{-10, 5}, {15, 2}}, {{-10, 5}, {15, 2}, {20, 0}, {30, 0}}},
        SpliceCase{"BeyondTheEndIsAppended", {{40, 5}, {50, 5}}, {{0, 0}, {10, 0}, {20, 0}, {30, 0}, {40, 5}, {50, 5}}},
        SpliceCase{"WhollyBeforeTheStart", {{-10, 5}, {-5, 5}}, kStraight}),
    [](const auto& info) { return info.param.name; });

// z travels with its points through a trim and a splice, from the curve
// and from the stroke; without any z the result reads zeros.
TEST(CurveEdit, ZValuesFollowTheirPoints) {
  const auto withZ = [](Points points, std::vector<double> z) {
    KCurve c = MakeCurve(points);
    for (std::size_t i = 0; i < z.size(); ++i) c.z()[i] = z[i];
    return c;
  };
  const auto zOf = [](const KCurve& c) { return std::vector<double>(c.z(), c.z() + c.count); };
  KCurve trimmed = withZ(kStraight, {1, 2, 3, 4});
  ASSERT_TRUE(trimmed.TrimRange(35, 0, 15, 0));
  EXPECT_EQ(zOf(trimmed), (std::vector<double>{1, 2}));

  KCurve spliced = withZ(kStraight, {1, 2, 3, 4});
  ASSERT_TRUE(spliced.Splice(withZ({{5, 2}, {25, 2}}, {7, 8})));
  EXPECT_EQ(zOf(spliced), (std::vector<double>{1, 7, 8, 4}));

  KCurve plain = MakeCurve(kStraight);
  ASSERT_TRUE(plain.Splice(withZ({{5, 2}, {25, 2}}, {7, 8})));
  EXPECT_EQ(zOf(plain), (std::vector<double>{0, 7, 8, 0}));
  KCurve none = MakeCurve(kStraight);
  ASSERT_TRUE(none.Splice(MakeCurve({{5, 2}, {25, 2}})));
  EXPECT_EQ(zOf(none), (std::vector<double>{0, 0, 0, 0}));
}

const char* kOneCurve = "Pline\n0,0\n10,0\n20,0\n30,0\n\n";

TEST_F(KWindowTest, DraggingDrawsACurveWithTheCurrentColourAndLayer) {
  Open("RGB 255 0 0\nLayer M roads\n");
  window.viewState = kCmdCurve;
  EXPECT_EQ(Drag({{1, 1}, {2, 2}, {3, 1}, {4, 4}}), 0);
  ASSERT_EQ(window.entries.size(), 1u);
  EXPECT_EQ(PointsOf(CurveAt(0)), (Points{{1, 1}, {2, 2}, {3, 1}, {4, 4}}));
  EXPECT_EQ(window.entries[0]->colour, -255);
  EXPECT_EQ(window.entries[0]->layer->name, "roads");
  EXPECT_EQ(CurveAt(0).dimension, 2);
  EXPECT_TRUE(window.Input().Collected().Empty());
}

TEST_F(KWindowTest, ACurveDrawnOntoAHiddenLayerIsKeptAndSaysWhereItWent) {
  Open("Layer M roads\nLayer NotViewNotEdit\n");
  window.viewState = kCmdCurve;
  Drag({{1, 1}, {2, 2}});
  ASSERT_EQ(window.entries.size(), 1u);
  EXPECT_EQ(window.Input().Notice(), "The curve went to the hidden layer 'roads'");
  Open("Layer M wells\n");
  Drag({{1, 1}, {2, 2}});
  EXPECT_EQ(window.Input().Notice(), "");
}

TEST_F(KWindowTest, AStrokeWithNoCurveToModifyStaysAsANewCurve) {
  window.viewState = kCmdCurveModify;
  EXPECT_EQ(Drag({{1, 1}, {2, 2}}), -1);
  EXPECT_EQ(window.entries.size(), 1u);
}

TEST_F(KWindowTest, AStrokeFromBeyondTheEndBackIntoTheMiddleReplacesTheEnd) {
  Open(kOneCurve);
  window.viewState = kCmdCurveModify;
  EXPECT_EQ(Drag({{40, 2}, {35, 2}, {25, 2}}), -1);
  ASSERT_EQ(window.entries.size(), 1u);
  EXPECT_EQ(PointsOf(CurveAt(0)), (Points{{0, 0}, {10, 0}, {20, 0}, {25, 2}, {35, 2}, {40, 2}}));
}

TEST_F(KWindowTest, OfTwoCurvesAtEqualDistanceTheNewerIsModified) {
  Open("Pline\n0,0\n30,0\n\nPline\n0,4\n30,4\n\n");
  window.viewState = kCmdCurveModify;
  Drag({{5, 2}, {15, 2}, {25, 2}});
  ASSERT_EQ(window.entries.size(), 2u);
  EXPECT_EQ(CurveAt(0).count, 2);
  EXPECT_EQ(PointsOf(CurveAt(1)), (Points{{0, 4}, {5, 2}, {15, 2}, {25, 2}, {30, 4}}));
}

TEST_F(KWindowTest, CurvesOnAViewOnlyLayerAreNeverModifiedOrTrimmed) {
  Open(std::string("Layer M fixed\nLayer ViewNotEdit\n") + kOneCurve + "Layer M 0\n");
  window.viewState = kCmdCurveModify;
  Drag({{5, 2}, {25, 2}});
  window.viewState = kCmdDeleteCurveRange;
  Down(15, 1);
  EXPECT_EQ(Down(40, 0), 1);
  ASSERT_EQ(window.entries.size(), 2u);  // the stroke stayed
  EXPECT_EQ(PointsOf(CurveAt(0)), kStraight);
}

TEST_F(KWindowTest, TrimModeCutsTheEndBeyondTheSecondClick) {
  Open(kOneCurve);
  window.viewState = kCmdDeleteCurveRange;
  EXPECT_EQ(Down(5, 1), 0);
  EXPECT_EQ(Down(25, 1), 1);
  EXPECT_EQ(PointsOf(CurveAt(0)), kStraight);
  Down(15, 1);
  Down(40, 0);
  EXPECT_EQ(PointsOf(CurveAt(0)), (Points{{0, 0}, {10, 0}}));
}

TEST_F(KWindowTest, ClickModeFinishesOnTheDoubleClickWithThePointsClicked) {
  window.viewState = kCmdCurveClick;
  for (auto [x, y] : Points{{1, 1}, {2, 2}, {3, 1}, {4, 4}}) Down(x, y);
  EXPECT_EQ(DoubleClick(4, 4), 0);
  ASSERT_EQ(window.entries.size(), 1u);
  EXPECT_EQ(PointsOf(CurveAt(0)), (Points{{1, 1}, {2, 2}, {3, 1}, {4, 4}}));
  EXPECT_EQ(window.clickCount, 0);
  EXPECT_EQ(window.GetRemark({0, 0}), "Drawing curve,Click point,one by one");
}

TEST_F(KWindowTest, CurveMenuFinishesCancelsOrEndsWithoutSplicing) {
  Open(kOneCurve);
  window.viewState = kCmdCurveModifyClick;
  EXPECT_EQ(Choose(kCmdNextCurve), 0);  // empty buffer: nothing added
  EXPECT_EQ(host.shown.back().popup, "curve");
  EXPECT_EQ(host.shown.back().checked, kCmdCurveModifyClick);
  EXPECT_EQ(window.entries.size(), 1u);
  EXPECT_EQ(window.viewState, kCmdCurveModifyClick);
  Down(5, 2);
  Down(25, 2);
  EXPECT_EQ(Choose(kCmdCancel), 0);
  EXPECT_EQ(window.Input().Collected().Count(), 2);
  EXPECT_EQ(Choose(kCmdEndDrawing), 0);
  EXPECT_EQ(window.viewState, 0);
  ASSERT_EQ(window.entries.size(), 2u);
  EXPECT_EQ(PointsOf(CurveAt(0)), kStraight);
}

TEST_F(KWindowTest, NextCurveAndAModeFromTheMenuBarFinishTheCurveBeingClicked) {
  window.viewState = kCmdCurveClick;
  Down(1, 1);
  Down(2, 2);
  EXPECT_EQ(Choose(kCmdNextCurve), 0);
  EXPECT_EQ(window.clickCount, 0);
  Down(3, 3);
  Down(4, 4);
  window.ChooseMode(kCmdPan);
  ASSERT_EQ(window.entries.size(), 2u);
  EXPECT_EQ(PointsOf(CurveAt(1)), (Points{{3, 3}, {4, 4}}));
  EXPECT_TRUE(window.Input().Collected().Empty());
  EXPECT_EQ(Down(5, 5), 0);  // the first click of a pan, not its second
  EXPECT_EQ(window.view.left, 0.0);
}

// The stroke starts nearer the upper curve but ends on the lower one.
TEST_F(KWindowTest, ModifyChoosesTheCurveNearestEitherEndOfTheStroke) {
  Open("Pline\n0,0\n30,0\n\nPline\n0,20\n30,20\n\n");
  window.viewState = kCmdCurveModify;
  Drag({{5, 12}, {15, 6}, {25, 1}});
  ASSERT_EQ(window.entries.size(), 2u);
  EXPECT_EQ(PointsOf(CurveAt(0)), (Points{{0, 0}, {5, 12}, {15, 6}, {25, 1}, {30, 0}}));
  EXPECT_EQ(CurveAt(1).count, 2);
}

TEST_F(KWindowTest, AReleaseWithNothingCollectedSplicesNothing) {
  Open(std::string(kOneCurve) + "Pline\n5,2\n25,2\n\n");
  window.viewState = kCmdCurveModify;
  EXPECT_EQ(Up(5, 2), -1);
  window.viewState = kCmdCurveModifyClick;
  EXPECT_EQ(DoubleClick(5, 2), -1);
  ASSERT_EQ(window.entries.size(), 2u);
  EXPECT_EQ(PointsOf(CurveAt(0)), kStraight);
}

TEST_F(KWindowTest, AStrokeWhoseSpliceChangesNothingIsKept) {
  Open(kOneCurve);
  window.viewState = kCmdCurveModify;
  Drag({{-10, 5}, {-5, 5}});
  ASSERT_EQ(window.entries.size(), 2u);
  EXPECT_EQ(PointsOf(CurveAt(0)), kStraight);
  EXPECT_TRUE(window.History().CanUndo());
}

TEST_F(KWindowTest, EscapeAndBackspaceEditTheCurveBeingClicked) {
  window.viewState = kCmdCurveClick;
  Down(1, 1);
  Down(2, 2);
  Down(3, 3);
  EXPECT_EQ(window.OnKeyUp(8), 0);
  EXPECT_EQ(window.Input().Collected().Count(), 2);
  EXPECT_EQ(window.rubberBand[0], At(2, 2));
  window.OnKeyUp(27);
  EXPECT_TRUE(window.Input().Collected().Empty());
  EXPECT_EQ(window.clickCount, 0);
  EXPECT_EQ(window.view.left, 0.0);  // neither key moves the view
}

TEST_F(KWindowTest, TheBufferStopsCollectingWhenFullAndSaysSo) {
  window.viewState = kCmdCurve;
  Down(0, 0);
  for (int i = 1; i < KCollected::kCapacity; ++i) window.OnMouseMove(0, {i % 800, i % 400});
  EXPECT_TRUE(window.Input().Notice().empty());
  window.OnMouseMove(0, {5, 5});
  EXPECT_EQ(window.Input().Collected().Count(), KCollected::kCapacity);
  EXPECT_NE(window.Input().Notice().find("100000"), std::string::npos);
  Up(5, 5);
  EXPECT_EQ(CurveAt(0).count, KCollected::kCapacity);
}

TEST_F(KWindowTest, DraggingDrawsTheCollectedCurveOnTheDeviceGiven) {
  window.viewState = kCmdCurve;
  Down(1, 1);
  Move(2, 2, &device);
  Move(3, 1, &device);
  // The whole curve again at every move: one segment, then two.
  EXPECT_EQ(device.Segments().size(), 3u);
  EXPECT_EQ(device.Segments().back().to, (KIntPoint{24, 392}));
}

}  // namespace
