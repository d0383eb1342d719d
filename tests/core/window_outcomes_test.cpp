// What the input handlers say they did, and the int codes the window's
// entry points have always answered for the same events.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "platform/resources/menus.h"
#include "tests/support/window_fixture.h"

namespace {

using Kind = KInputOutcome::Kind;

// 'D' press at (x, y), 'M' move to it, 'U' release, 'C' double click,
// 'K' key x, 'W' wheel of x notches, 'R' right button choosing item x.
struct Event {
  char what;
  double x = 0, y = 0;
};

struct OutcomeCase {
  const char* name;
  int state;
  std::vector<Event> events;  // the outcome of the last one counts
  KInputOutcome want;
  int hostCode;
};
void PrintTo(const OutcomeCase& c, std::ostream* os) { *os << c.name; }

const OutcomeCase kCases[] = {
    {"NoMode", kCmdNone, {{'D', 5, 5}}, KInputOutcome::Of(Kind::kNothing), 0},
    {"ZoomClick", kCmdEnlarge, {{'D', 5, 5}}, KInputOutcome::Of(Kind::kRepaint), 1},
    {"PickNewest", kCmdClick, {{'D', 5, 19}}, KInputOutcome::Picked(0), 0},
    {"PickOldest", kCmdClick, {{'D', 5, 1}}, KInputOutcome::Picked(2), 2},
    {"FirstOfTwo", kCmdPan, {{'D', 5, 5}}, KInputOutcome::Of(Kind::kOverlay), 0},
    {"SecondOfTwo", kCmdRectangle, {{'D', 1, 1}, {'D', 2, 2}}, KInputOutcome::Of(Kind::kRepaint), 1},
    {"BandFollows", kCmdWindow, {{'D', 1, 1}, {'M', 3, 3}}, KInputOutcome::Of(Kind::kOverlay), 0},
    {"NoBandToFollow", kCmdSinglePoint, {{'D', 1, 1}, {'M', 3, 3}}, KInputOutcome::Of(Kind::kNothing), 0},
    {"MoveZoom", kCmdMoveZoom, {{'D', 5, 5}, {'M', 5, 4}}, KInputOutcome::Of(Kind::kRepaint), 1},
    {"MoveZoomEnds", kCmdMoveZoom, {{'D', 5, 5}, {'U'}}, KInputOutcome::Of(Kind::kNothing), 0},
    {"DragCollects", kCmdCurve, {{'D', 1, 30}, {'M', 2, 31}}, KInputOutcome::Of(Kind::kOverlay), 0},
    {"DragFinished", kCmdCurve, {{'D', 1, 30}, {'M', 2, 31}, {'U'}}, KInputOutcome::Of(Kind::kCurveFinished), 0},
    {"ReleaseWithoutCurve", kCmdCurve, {{'U'}}, KInputOutcome::Of(Kind::kNothing), 0},
    {"StrokeSpliced", kCmdCurveModify, {{'D', 2, 1}, {'M', 8, 1}, {'U'}}, KInputOutcome::Of(Kind::kCurveModified), -1},
    {"ClicksFinished", kCmdCurveClick, {{'D', 1, 30}, {'D', 2, 31}, {'C'}}, KInputOutcome::Of(Kind::kCurveFinished), 0},
    {"ClickSpliced", kCmdCurveModifyClick, {{'D', 2, 1}, {'C'}}, KInputOutcome::Of(Kind::kCurveModified), -1},
    {"BackspaceDrops", kCmdCurveClick, {{'D', 1, 30}, {'D', 2, 31}, {'K', 8}}, KInputOutcome::Of(Kind::kOverlay), 0},
    {"EscapeCancels", kCmdWindow, {{'D', 1, 1}, {'K', 27}}, KInputOutcome::Of(Kind::kOverlay), 0},
    {"EscapeIdle", kCmdNone, {{'K', 27}}, KInputOutcome::Of(Kind::kNothing), 0},
    {"ArrowKeyMovesButAnswersZero", kCmdNone, {{'K', 38}}, KInputOutcome::Of(Kind::kRepaint), 0},
    {"Wheel", kCmdNone, {{'W', 1}}, KInputOutcome::Of(Kind::kRepaint), 1},
    {"MenuExtend", kCmdPan, {{'R', kCmdExtend}}, KInputOutcome::Command(kCmdExtend, Kind::kRepaint), 1},
    {"MenuMode", kCmdPan, {{'R', kCmdRectangle}}, KInputOutcome::Command(kCmdRectangle), 0},
    {"MenuDismissed", kCmdPan, {{'R', 0}}, KInputOutcome::Of(Kind::kNothing), 0},
    {"CurveMenuNext", kCmdCurve, {{'D', 1, 30}, {'R', kCmdNextCurve}}, KInputOutcome::Command(kCmdNextCurve), 0},
    {"CurveMenuCancel", kCmdCurve, {{'D', 1, 30}, {'R', kCmdCancel}}, KInputOutcome::Of(Kind::kNothing), 0},
};

class Outcomes : public KWindowTest, public ::testing::WithParamInterface<OutcomeCase> {
protected:
  void SetUp() override {
    Open(kThreeLines);
    window.viewState = GetParam().state;
  }
  KInputOutcome Typed(const Event& e) {
    KInputController& input = window.Input();
    switch (e.what) {
      case 'D': return input.OnLButtonDown(At(e.x, e.y));
      case 'M': return input.OnMouseMove(At(e.x, e.y));
      case 'U': return input.OnLButtonUp();
      case 'C': return input.OnLButtonDblClk();
      case 'K': return input.OnKeyUp(static_cast<unsigned>(e.x));
      case 'W': return input.OnWheel(At(5, 5), static_cast<int>(e.x));
      default:
        host.choices.push_back(static_cast<int>(e.x));
        return input.OnRButtonDown({10, 10}, &host);
    }
  }
  int Int(const Event& e) {
    switch (e.what) {
      case 'D': return Down(e.x, e.y);
      case 'M': return Move(e.x, e.y);
      case 'U': return Up(0, 0);
      case 'C': return DoubleClick(0, 0);
      case 'K': return window.OnKeyUp(static_cast<unsigned>(e.x));
      case 'W': return window.OnWheel(At(5, 5), static_cast<int>(e.x));
      default: return Choose(static_cast<int>(e.x));
    }
  }
};

TEST_P(Outcomes, TheTypedHandlerSaysWhatHappened) {
  KInputOutcome got;
  for (const Event& e : GetParam().events) got = Typed(e);
  EXPECT_EQ(got.kind, GetParam().want.kind);
  EXPECT_EQ(got.pickIndex, GetParam().want.pickIndex);
  EXPECT_EQ(got.command, GetParam().want.command);
}

TEST_P(Outcomes, TheIntEntryPointAnswersItsOldCode) {
  int got = 99;
  for (const Event& e : GetParam().events) got = Int(e);
  EXPECT_EQ(got, GetParam().hostCode);
}

INSTANTIATE_TEST_SUITE_P(Window, Outcomes, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
