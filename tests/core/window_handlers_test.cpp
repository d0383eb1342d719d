// The window's mouse, key, menu and step handlers driven by a scripted host.
#include <gtest/gtest.h>

#include <cmath>

#include "model/document/elements.h"
#include "model/document/klayer.h"
#include "platform/resources/menus.h"
#include "tests/support/window_fixture.h"
#include "window/editor/command_line.h"

namespace {

class TwoClickModes : public KWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(TwoClickModes, FirstClickWaitsSecondActsThirdStartsOver) {
  Open(kThreeLines);
  window.viewState = GetParam();
  EXPECT_EQ(Down(1, 1), 0);
  EXPECT_EQ(window.clickCount, 1);
  EXPECT_EQ(Down(2, 3), 1);
  EXPECT_EQ(window.clickCount, 0);
  EXPECT_EQ(Down(4, 4), 0);
  EXPECT_EQ(window.clickCount, 1);
}

INSTANTIATE_TEST_SUITE_P(Window, TwoClickModes,
                         ::testing::Values(kCmdPan, kCmdWindow, kCmdMovePan, kCmdSinglePoint, kCmdRectangle,
                                           kCmdRange, kCmdDeleteCurveRange, 40000));

TEST_F(KWindowTest, PanMovesByTheClickVectorAndByZeroKeepsTheView) {
  window.viewState = kCmdPan;
  Down(5, 5);
  EXPECT_EQ(Down(5, 5), 1);
  EXPECT_EQ(window.view.left, 0.0);
  EXPECT_EQ(window.view.bottom, 0.0);
  Down(5, 5);
  Down(7, 4);  // 16 pixels right, 8 down
  EXPECT_DOUBLE_EQ(window.view.left, -2.0);
  EXPECT_DOUBLE_EQ(window.view.bottom, 1.0);
}

TEST_F(KWindowTest, ClicksZoomAndWindowFillsTheView) {
  window.viewState = kCmdEnlarge;
  EXPECT_EQ(Down(10, 10), 1);
  EXPECT_DOUBLE_EQ(window.view.scaleX, 0.125 / 1.5);
  window.viewState = kCmdReduce;
  EXPECT_EQ(Down(10, 10), 1);
  EXPECT_DOUBLE_EQ(window.view.scaleX, 0.125);
  Look();
  window.viewState = kCmdWindow;
  Down(0, 25);
  EXPECT_EQ(Down(10, 0), 1);
  EXPECT_DOUBLE_EQ(window.view.scaleY, 0.125 * 0.5);  // 200 of 400 rows
}

TEST_F(KWindowTest, MoveZoomScalesByOneTenthPerPixelOfDrag) {
  window.viewState = kCmdMoveZoom;
  EXPECT_EQ(window.OnLButtonDown(0, {400, 200}), 0);
  EXPECT_EQ(window.OnMouseMove(0, {300, 200}), 0);  // no movement in y
  EXPECT_EQ(window.OnMouseMove(0, {400, 201}), 1);
  EXPECT_DOUBLE_EQ(window.view.scaleX, 0.125 * 1.1);
  EXPECT_EQ(window.OnMouseMove(0, {400, 201}), 0);  // measured from where the last move zoomed
  EXPECT_EQ(window.OnMouseMove(0, {400, 199}), 1);
  EXPECT_DOUBLE_EQ(window.view.scaleX, 0.125 * 1.1 / 1.1);
  EXPECT_EQ(window.OnLButtonUp(0, {400, 199}), 0);
  EXPECT_EQ(window.clickCount, 0);
  EXPECT_EQ(window.OnMouseMove(0, {400, 250}), 0);
}

TEST_F(KWindowTest, PickCountsFromTheTailAndFindsNothingAsMinusTen) {
  window.viewState = kCmdClick;
  EXPECT_EQ(Down(5, 5), -10);
  Open(kThreeLines);
  EXPECT_EQ(Down(5, 19), 0);   // the last one read
  EXPECT_EQ(Down(5, 1), 2);
  EXPECT_EQ(Down(5, 5), 2);    // a tie keeps the earlier entry
  // A point's mark box answers at once, nearer curves notwithstanding.
  Open("POINT 5,10 here\n");
  EXPECT_EQ(Down(7, 12), 0);
  for (const auto& layer : window.OwnedLayers()) layer->state = kViewNotEdit;
  EXPECT_EQ(Down(5, 19), -10);
  for (const auto& layer : window.OwnedLayers()) layer->state = kNotViewNotEdit;
  EXPECT_EQ(Down(5, 19), -10);
}

TEST_F(KWindowTest, PickIndexCountsEntriesThatCannotBePicked) {
  Open("Pline\n0,0\n10,0\n\nLayer M fixed\nLayer ViewNotEdit\nPline\n0,10\n10,10\n\nLayer M 0\n"
       "Pline\n0,20\n10,20\n\n");
  window.viewState = kCmdClick;
  EXPECT_EQ(Down(5, 1), 2);
  EXPECT_EQ(Down(5, 11), 0);  // the locked line between is passed over
}

TEST_F(KWindowTest, SetViewStateClickPicks) {
  window.SetViewStateClick();
  EXPECT_EQ(window.viewState, kCmdClick);
}

struct KeyCase {
  unsigned key;
  double left, bottom, scale;
};

class Keys : public KWindowTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Keys, MoveOrZoomTheViewAndReturnZero) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(window.OnKeyUp(c.key), 0);
  EXPECT_DOUBLE_EQ(window.view.left, c.left);
  EXPECT_DOUBLE_EQ(window.view.bottom, c.bottom);
  EXPECT_DOUBLE_EQ(window.view.scaleX, c.scale);
}

// 800 x 400 pixels of 0.125: 0.2 W = 160 px = 20 units, 0.2 H = 10, 0.8 H = 40.
INSTANTIATE_TEST_SUITE_P(Window, Keys,
                         ::testing::Values(KeyCase{33, 0, 40, 0.125}, KeyCase{34, 0, -40, 0.125},
                                           KeyCase{37, 20, 0, 0.125}, KeyCase{38, 0, -10, 0.125},
                                           KeyCase{39, -20, 0, 0.125}, KeyCase{40, 0, 10, 0.125},
                                           KeyCase{43, 0, 0, 0.125 / 1.5}, KeyCase{107, 0, 0, 0.125 / 1.5},
                                           KeyCase{187, 0, 0, 0.125 / 1.5}, KeyCase{45, 0, 0, 0.125 * 1.5},
                                           KeyCase{109, 0, 0, 0.125 * 1.5}, KeyCase{189, 0, 0, 0.125 * 1.5},
                                           KeyCase{36, 0, 0, 0.125}));

TEST_F(KWindowTest, WheelZoomsAboutTheCursor) {
  const KDevicePoint cursor{200, 100};
  const double wx = window.view.ToWorldX(cursor.x), wy = window.view.ToWorldY(cursor.y);
  EXPECT_EQ(window.OnWheel(cursor, 1), 1);
  EXPECT_DOUBLE_EQ(window.view.scaleX, 0.125 / 1.5);
  EXPECT_NEAR(window.view.ToWorldX(cursor.x), wx, 1e-12);
  EXPECT_NEAR(window.view.ToWorldY(cursor.y), wy, 1e-12);
  EXPECT_EQ(window.OnWheel(cursor, 0), 0);
  window.view.Reset();
  EXPECT_EQ(window.OnWheel(cursor, 1), 0);  // an unfitted view stays
}

TEST_F(KWindowTest, RubberBandInvertsOnTheDeviceGivenAndErasesItself) {
  window.viewState = kCmdWindow;
  Down(1, 1);
  Move(2, 2, &device);
  Move(3, 3, &device);
  const auto segments = device.Segments();
  // Each move: the old rectangle again (erasing it), then the new one.
  ASSERT_EQ(segments.size(), 16u);
  for (const auto& s : segments) EXPECT_EQ(s.rop, kRop2Not);
  EXPECT_EQ(segments[9].to, (KIntPoint{16, 384}));   // the band at (2, 2) erased
  EXPECT_EQ(segments[13].to, (KIntPoint{24, 376}));  // drawn to (3, 3)
  device.Clear();
  window.viewState = kCmdPan;
  window.clickCount = 0;
  Down(1, 1);
  Move(2, 2);  // no device: the state moves, nothing is drawn
  EXPECT_TRUE(device.calls.empty());
  EXPECT_EQ(window.rubberBand[2], At(2, 2));
}

// Segments one move draws: a line band twice, a rectangle band's four sides
// twice, nothing for modes without a band.
TEST_F(KWindowTest, RubberBandShapeByMode) {
  const std::pair<int, std::size_t> cases[] = {{kCmdPan, 2},       {kCmdDeleteCurveRange, 2}, {kCmdCurveClick, 2},
                                               {kCmdCurveModifyClick, 2}, {kCmdRectangle, 8}, {kCmdRange, 0}};
  for (const auto& [mode, segments] : cases) {
    window.CancelPending();
    window.viewState = mode;
    device.Clear();
    Down(1, 1);
    Move(2, 2, &device);
    EXPECT_EQ(device.Segments().size(), segments) << mode;
  }
}

TEST_F(KWindowTest, ContextMenuChecksTheStateAndActs) {
  window.viewState = kCmdPan;
  EXPECT_EQ(Choose(kCmdRectangle), 0);
  ASSERT_EQ(host.shown.size(), 1u);
  EXPECT_EQ(host.shown[0].popup, "RMenu");
  EXPECT_EQ(host.shown[0].checked, kCmdPan);
  EXPECT_EQ(window.viewState, kCmdRectangle);
  EXPECT_EQ(Choose(0), 0);
  EXPECT_EQ(window.viewState, kCmdRectangle);
  EXPECT_EQ(Choose(kCmdClass), 0);
  EXPECT_EQ(host.classDialogs, 1);
  Open(kThreeLines);
  window.OnDraw(&device);
  window.view.Reset();
  EXPECT_EQ(Choose(kCmdExtend), 1);
  EXPECT_TRUE(window.view.CanMap());
  EXPECT_EQ(Choose(kCmdOpen), 0);  // cancelled dialog: nothing opens
  EXPECT_EQ(Choose(kCmdMergeCurves), 0);
  ASSERT_EQ(host.asked.size(), 2u);
  EXPECT_EQ(host.asked[0], (std::pair<std::string, std::string>{"qvd", "*.qvd|*.qvd|all file(*.*)|*.*||"}));
  EXPECT_EQ(host.asked[1], (std::pair<std::string, std::string>{"kcx", "*.kcx|*.kcx|all file(*.*)|*.*||"}));
  // A file chosen opens through the host, which shows its progress window.
  host.files.push_back("/nonexistent/drawing.qvd");
  Choose(kCmdOpen);
  EXPECT_EQ(host.openedDrawings, std::vector<std::string>{"/nonexistent/drawing.qvd"});
  EXPECT_NE(window.Input().Notice().find("drawing.qvd"), std::string::npos);
  EXPECT_EQ(window.entries.size(), 3u);
  EXPECT_EQ(window.OnRButtonDown(0, {1, 1}, nullptr), 0);  // no host, no menu
}

TEST(Menus, TablesHoldTheItemsInOrderWithTheirMnemonics) {
  const KMenuNode& context = MenuPopup(kMenuContext);
  ASSERT_EQ(context.items.size(), 6u);
  EXPECT_EQ(context.items[0].text, "&View");
  EXPECT_EQ(context.items[0].items.size(), 9u);
  EXPECT_EQ(CommandText(kCmdMeasure), "Measure");
  EXPECT_EQ(context.items[2].id, kCmdClass);
  EXPECT_EQ(CommandText(kCmdRectangle), "Rect&angle");
  EXPECT_EQ(CommandText(kCmdMoveZoom), "Move &Zoom");
  EXPECT_EQ(CommandText(kCmdEndDrawing), "end Drawing");
  EXPECT_EQ(MenuPopup(kMenuCurve).items.size(), 3u);
  EXPECT_TRUE(MenuPopup(1).items.empty());
}

class StepHandlers : public KWindowTest {
protected:
  void SetUp() override {
    auto list = std::make_unique<KStepList>();
    list->steps.resize(2);
    list->steps[0] = {0, true, false, false, "viewer \"my survey.qvd\" -x", "", ""};
    list->steps[1] = {0, true, false, false, "gridder", "", ""};
    window.AddEntry(kKindStepList, std::move(list));
  }
  KStep& StepNo(int i) { return window.entries[0]->As<KStepList>()->steps[static_cast<std::size_t>(i)]; }
};

TEST_F(StepHandlers, TheStepUnderTheMouseByWorldY) {
  const std::pair<double, const char*> cases[] = {
      {0.5, "viewer \"my survey.qvd\" -x"}, {-0.5, "gridder"}, {1.5, "viewer \"my survey.qvd\" -x"}, {2.5, nullptr},
      {-1.5, nullptr}};
  Look();
  window.view.bottom = -10;  // world y -10 at the bottom row
  for (const auto& [y, expected] : cases) {
    const KDevicePoint p{8, static_cast<int>(400 - (y + 10) * 8)};
    const char* got = window.OnMouseMoveStep(0, p);
    if (expected)
      EXPECT_STREQ(got, expected) << y;
    else
      EXPECT_EQ(got, nullptr) << y;
  }
}

TEST_F(StepHandlers, AClickCountsTheRunAndStartsTheCommandWithoutAShell) {
  window.view.bottom = -10;
  const KDevicePoint step0{8, static_cast<int>(400 - 10.5 * 8)};
  EXPECT_EQ(window.OnLButtonUpStep(0, step0, &host), 0);
  EXPECT_EQ(StepNo(0).runCount, 1);
  ASSERT_EQ(host.started.size(), 1u);
  EXPECT_EQ(host.started[0], (std::vector<std::string>{"viewer", "my survey.qvd", "-x"}));
  host.startResult = KResult(KStatus::kCannotOpen, "no such program");
  window.OnLButtonUpStep(0, step0, &host);
  EXPECT_EQ(StepNo(0).runCount, 1);  // a command that did not start did not run
  ASSERT_EQ(host.status.size(), 1u);
  EXPECT_NE(host.status[0].find("no such program"), std::string::npos);
}

TEST(CommandLine, SplitsAsACommandLineIsSplit) {
  EXPECT_EQ(SplitCommandLine("  a  b\tc "), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SplitCommandLine("\"a b\" c\"d e\""), (std::vector<std::string>{"a b", "cd e"}));
  EXPECT_EQ(SplitCommandLine("say \\\"hi\\\" \"\""), (std::vector<std::string>{"say", "\"hi\"", ""}));
  EXPECT_TRUE(SplitCommandLine("   ").empty());
}

// No input may crash or hang on an empty document, one with no editable
// layer, or a view never fitted, in any state.
TEST_F(KWindowTest, EveryHandlerInEveryStateSurvivesDegenerateDocuments) {
  const int states[] = {0, kCmdPan, kCmdEnlarge, kCmdReduce, kCmdWindow, kCmdMoveZoom, kCmdMovePan,
                        kCmdSinglePoint, kCmdRectangle, kCmdRange, kCmdClick, kCmdCurve, kCmdCurveModify,
                        kCmdDeleteCurveRange, kCmdCurveClick, kCmdCurveModifyClick, 12345};
  for (int documentKind = 0; documentKind < 3; ++documentKind) {
    QuarvelWindow w;
    if (documentKind > 0) {
      w.OnOpenDocumentMem(kThreeLines);
      for (const auto& layer : w.OwnedLayers()) layer->state = kViewNotEdit;
    }
    if (documentKind == 2) w.view = ViewOver(device.ClientSize(), 0.125);
    for (int state : states) {
      w.viewState = state;
      for (KDevicePoint p : {KDevicePoint{0, 0}, KDevicePoint{-5, 900}, KDevicePoint{5, 5}}) {
        w.OnLButtonDown(0, p);
        w.OnMouseMove(0, {p.x + 3, p.y + 7}, &device);
        w.OnLButtonUp(0, p);
        w.OnLButtonDblClk(0, p);
        w.OnKeyUp(40);
        w.OnKeyUp(27);
        w.OnWheel(p, -1);
        w.OnMouseMoveStep(0, p);
        w.OnLButtonUpStep(0, p, &host);
      }
      w.DrawOverlay(device);
    }
    // Nothing on a layer that is not editable was deleted, trimmed or spliced.
    if (documentKind > 0) {
      ASSERT_GE(w.entries.size(), 3u);
      for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(w.entries[i]->As<KCurve>()->count, 2);
    }
  }
}

TEST_F(KWindowTest, ThePickedEntryIsNamedHighlightedAndForgottenWhenEditsMoveIt) {
  Open("Layer M roads\nPline.A1\n0,0\n10,0\n\nPline\n0,20\n10,20\n\n");
  window.viewState = kCmdClick;
  ASSERT_EQ(Down(5, 1), 1);
  ASSERT_NE(window.PickedEntry(), nullptr);
  EXPECT_EQ(QuarvelWindow::Describe(*window.PickedEntry()), "polyline, layer roads, \"A1\"");
  window.DrawOverlay(device);
  const auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_EQ(segments[0].penWidth, 3);
  window.viewState = kCmdCurve;
  Drag({{1, 30}, {2, 31}});  // the picked curve now has index 2
  EXPECT_EQ(window.PickedEntry(), nullptr);
}

}  // namespace
