// Undo and redo of every editing action give back the document exactly, as
// the writer sees it (every entry, record, colour, layer and property).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/resources/menus.h"
#include "tests/support/window_fixture.h"

namespace {

const char* kDrawing =
    "Layer M 0\n"
    "Pline\n0,0\n10,0\n20,0\n30,0\n\n"
    "Pline\n0,10\n30,10\n\n"
    "XYZ\n5,5,1\n15,5,2\n25,25,3\n\n"
    "Layer M fixed\nLayer ViewNotEdit\n"
    "Pline\n0,5\n30,5\n\n"
    "Layer M 0\n";

struct Action {
  const char* name;
  std::function<void(KWindowTest&)> act;
};

class Undo : public KWindowTest, public ::testing::WithParamInterface<Action> {
public:
  // The fixture's members for the actions.
  int DownAt(double x, double y) { return Down(x, y); }
  int DragThrough(std::initializer_list<std::pair<double, double>> p) { return Drag(p); }
  QuarvelWindow& Window() { return window; }
};

TEST_P(Undo, RestoresTheDocumentAndRedoDoesItAgain) {
  Open(kDrawing);
  const std::string before = Text();
  GetParam().act(*this);
  const std::string after = Text();
  ASSERT_NE(after, before) << "the action changed nothing";
  ASSERT_TRUE(window.Undo());
  EXPECT_EQ(Text(), before);
  ASSERT_TRUE(window.Redo());
  EXPECT_EQ(Text(), after);
  ASSERT_TRUE(window.Undo());
  EXPECT_EQ(Text(), before);
  EXPECT_FALSE(window.Undo());
}

INSTANTIATE_TEST_SUITE_P(
    Window, Undo,
    ::testing::Values(
        Action{"RectangleDelete",
               [](KWindowTest& t) {
                 auto& u = static_cast<Undo&>(t);
                 u.Window().viewState = kCmdRectangle;
                 u.DownAt(-1, -1);
                 u.DownAt(16, 11);
               }},
        Action{"FinishedCurve",
               [](KWindowTest& t) {
                 auto& u = static_cast<Undo&>(t);
                 u.Window().viewState = kCmdCurve;
                 u.DragThrough({{1, 20}, {2, 21}, {3, 20}});
               }},
        Action{"Modify",
               [](KWindowTest& t) {
                 auto& u = static_cast<Undo&>(t);
                 u.Window().viewState = kCmdCurveModify;
                 u.DragThrough({{40, 2}, {35, 2}, {25, 2}});
               }},
        Action{"ModifyByClicks",
               [](KWindowTest& t) {
                 auto& u = static_cast<Undo&>(t);
                 u.Window().viewState = kCmdCurveModifyClick;
                 u.DownAt(5, 12);
                 u.DownAt(25, 12);
                 u.Window().OnLButtonDblClk(0, {200, 304});
               }},
        Action{"Trim",
               [](KWindowTest& t) {
                 auto& u = static_cast<Undo&>(t);
                 u.Window().viewState = kCmdDeleteCurveRange;
                 u.DownAt(15, -1);
                 u.DownAt(40, -1);
               }},
        Action{"MergeCurves",
               [](KWindowTest& t) {
                 auto& u = static_cast<Undo&>(t);
                 ASSERT_TRUE(u.Window().MergeCurves(QUARVEL_TEST_DATA "/curves_two_groups.kcx"));
               }}),
    [](const auto& info) { return info.param.name; });

TEST_F(KWindowTest, UndoGoesBackThroughSeveralStepsAndANewStepClearsRedo) {
  Open(kDrawing);
  const std::string start = Text();
  window.viewState = kCmdCurve;
  Drag({{1, 20}, {2, 21}});
  const std::string one = Text();
  Drag({{1, 22}, {2, 23}});
  EXPECT_EQ(window.History().UndoName(), "Curve");
  ASSERT_TRUE(window.Undo());
  EXPECT_EQ(Text(), one);
  ASSERT_TRUE(window.Undo());
  EXPECT_EQ(Text(), start);
  ASSERT_TRUE(window.Redo());
  Drag({{1, 24}, {2, 25}});
  EXPECT_FALSE(window.History().CanRedo());
}

TEST_F(KWindowTest, ActionsThatChangeNothingLeaveNoStep) {
  Open(kDrawing);
  window.viewState = kCmdRectangle;
  Down(100, 100);
  Down(110, 110);  // an empty rectangle
  window.viewState = kCmdDeleteCurveRange;
  Down(5, -1);
  Down(25, -1);  // both inside
  EXPECT_FALSE(window.History().CanUndo());
}

TEST_F(KWindowTest, UndoLeavesAloneWhatTheHostRemovedByOtherMeans) {
  Open(kDrawing);
  window.viewState = kCmdDeleteCurveRange;
  Down(15, -1);
  Down(40, -1);
  ASSERT_TRUE(window.History().CanUndo());
  window.DeleteInRect(-100, -100, 100, 100);  // no undo: the trimmed curve is destroyed
  const std::string left = Text();
  EXPECT_TRUE(window.Undo());
  EXPECT_EQ(Text(), left);
}

}  // namespace
