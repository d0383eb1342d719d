// Measuring by clicks and snapping to vertices, in world units.
#include <gtest/gtest.h>

#include "model/document/klayer.h"
#include "platform/resources/menus.h"
#include "tests/support/window_fixture.h"
#include "window/editor/measure.h"

namespace {

TEST(Measure, StepsLengthsAndAreas) {
  struct Case {
    std::vector<std::pair<double, double>> points;
    bool close;
    double step, length, area;
    const char* text;
  };
  const Case cases[] = {
      {{{0, 0}}, false, 0, 0, 0, "Measure: click the next point"},
      {{{0, 0}, {3, 4}}, false, 5, 5, 0, "Distance 5, length 5"},
      {{{0, 0}, {3, 4}, {3, 0}}, false, 4, 9, 0, "Distance 4, length 9"},
      {{{0, 0}, {3, 4}, {3, 0}}, true, 4, 12, 6, "Closed: length 12, area 6"},
      {{{0, 0}, {0, 2}, {2, 2}, {2, 0}}, true, 2, 8, 4, "Closed: length 8, area 4"},  // clockwise too
      {{{1e6, 1e6}, {1e6 + 0.1, 1e6}, {1e6 + 0.1, 1e6 + 0.1}}, true, 0.1, 0.341, 0.005,
       "Closed: length 0.341, area 0.005"},
  };
  for (const Case& c : cases) {
    KMeasure m;
    for (const auto& [x, y] : c.points) m.Add(x, y);
    if (c.close)
      EXPECT_TRUE(m.Close());
    else
      m.End();
    EXPECT_NEAR(m.LastStep(), c.step, 1e-9) << c.text;
    EXPECT_NEAR(m.Length(), c.length, 1e-3) << c.text;
    EXPECT_NEAR(m.Area(), c.area, 1e-9) << c.text;
    EXPECT_EQ(m.Text(), c.text);
  }
  KMeasure two;
  two.Add(0, 0);
  two.Add(1, 0);
  EXPECT_FALSE(two.Close());  // two points enclose nothing
  two.End();
  two.Add(5, 5);  // a point after the end starts a new measure
  EXPECT_EQ(two.Count(), 1);
}

// Mode clicks through the window (8 pixels a unit): a click near the first
// point closes, a double click ends, Shift snaps to an editable vertex.
TEST_F(KWindowTest, MeasureModeClicksCloseSnapAndShowInTheStatus) {
  Open("Layer M a\nPline\n0,0\n10,0\n\nLayer M locked\nLayer ViewNotEdit\nPline\n20,20\n30,20\n\n");
  window.viewState = kCmdMeasure;
  const KMeasure& m = window.Input().Measure();
  Down(0, 0);
  Down(0, 3);
  Down(4, 3);
  EXPECT_EQ(window.Input().Notice(), "Distance 4, length 7");
  Down(0.5, 0.5);  // 5.7 pixels from the first point: closes
  EXPECT_TRUE(m.Closed());
  EXPECT_EQ(window.Input().Notice(), "Closed: length 12, area 6");
  EXPECT_EQ(window.clickCount, 0);

  struct Snap {
    double x, y;
    unsigned flags;
    double wantX, wantY;
  };
  const Snap snaps[] = {
      {9.5, 0.5, kMouseShift, 10, 0},  // 5.7 pixels from (10, 0)
      {9.5, 0.5, 0, 9.5, 0.5},         // without Shift, as clicked
      {8.5, 0.5, kMouseShift, 8.5, 0.5},  // 12.6 pixels: too far
      {20.5, 20, kMouseShift, 20.5, 20},  // a locked layer's vertex is not snapped to
  };
  for (const Snap& s : snaps) {
    window.OnLButtonDown(s.flags, At(s.x, s.y));
    ASSERT_GE(m.Count(), 1);
    EXPECT_DOUBLE_EQ(m.X(m.Count() - 1), s.wantX) << s.x << " " << s.flags;
    EXPECT_DOUBLE_EQ(m.Y(m.Count() - 1), s.wantY) << s.x << " " << s.flags;
  }
  EXPECT_EQ(m.Count(), 4);  // the first snap click started a new measure
  DoubleClick(20, 20);
  EXPECT_TRUE(m.Ended());
  EXPECT_EQ(window.clickCount, 0);
  EXPECT_EQ(window.OnKeyUp(27), 0);
  EXPECT_EQ(m.Count(), 0);  // Esc forgets it

  // Digitising snaps the same way.
  window.viewState = kCmdCurveClick;
  window.OnLButtonDown(kMouseShift, At(0.4, -0.3));
  Down(5, 5);
  DoubleClick(5, 5);
  EXPECT_DOUBLE_EQ(CurveAt(2).x()[0], 0);
  EXPECT_DOUBLE_EQ(CurveAt(2).y()[0], 0);
}

}  // namespace
