// Plot-ready pictures without a toolkit: the round steps of ticks and scale
// bars, paper and scale parsing, and the layout of frame and decorations,
// each against values worked out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/device/recording_device.h"
#include "render/plot/colour_bar.h"
#include "render/plot/paper.h"
#include "render/plot/plot_layout.h"
#include "render/plot/round_steps.h"

namespace {

TEST(PlotSteps, RoundStepsTicksAndLabels) {
  struct Step { double span; int most; double step; };
  for (const Step& c : std::vector<Step>{{10000, 8, 2000}, {8000, 8, 1000}, {7, 10, 1}, {0.03, 3, 0.01},
                                         {100, 20, 5}, {3, 1, 5}, {100, 0, 0}, {-1, 5, 0}, {0, 5, 0}})
    EXPECT_DOUBLE_EQ(RoundStep(c.span, c.most), c.step) << c.span << " / " << c.most;

  EXPECT_EQ(TickValues(-150, 10150, 2000), (std::vector<double>{0, 2000, 4000, 6000, 8000, 10000}));
  EXPECT_EQ(TickValues(-1, 1, 0.5), (std::vector<double>{-1, -0.5, 0, 0.5, 1}));
  EXPECT_EQ(TickValues(0.1, 0.35, 0.1).size(), 3u);  // the ends count despite rounding
  EXPECT_TRUE(TickValues(0, 1e9, 1, 100).empty());    // too many
  EXPECT_TRUE(TickValues(5, 4, 1).empty());

  struct Label { double value, step; const char* text; };
  for (const Label& c : std::vector<Label>{{2500, 500, "2500"}, {0.25, 0.05, "0.25"}, {-0.0, 0.1, "0.0"},
                                           {1e-17, 0.1, "0.0"}, {-0.2, 0.1, "-0.2"}, {6500000, 1000, "6500000"}})
    EXPECT_EQ(TickLabel(c.value, c.step), c.text) << c.value;
}

TEST(PlotSteps, ScaleBarsAreTheLongestRoundLengthThatFits) {
  struct Bar { double metresPerPixel; int most; double length; int pixels; };
  for (const Bar& c : std::vector<Bar>{{10, 300, 2000, 200}, {0.04, 100, 2, 50}, {8.8889, 225, 2000, 225},
                                       {1, 999, 500, 500}, {0, 100, 0, 0}, {1, 0, 0, 0}}) {
    const KScaleBar bar = ChooseScaleBar(c.metresPerPixel, c.most);
    EXPECT_DOUBLE_EQ(bar.length, c.length) << c.metresPerPixel;
    EXPECT_EQ(bar.pixels, c.pixels) << c.metresPerPixel;
  }
  EXPECT_EQ(DistanceLabel(2000), "2 km");
  EXPECT_EQ(DistanceLabel(500), "500 m");
  EXPECT_EQ(DistanceLabel(0.5), "0.5 m");
  EXPECT_EQ(DistanceLabel(0.02), "0.02 m");
}

TEST(PlotPaper, NamesScalesAndPixels) {
  struct Paper { const char* name; double width, height; };
  for (const Paper& c : std::vector<Paper>{{"A4", 210, 297}, {"a3,landscape", 420, 297}, {"Letter", 215.9, 279.4},
                                           {"A0,portrait", 841, 1189}, {"A5", 0, 0}, {"A4,sideways", 0, 0},
                                           {"", 0, 0}, {",landscape", 0, 0}}) {
    KPaper paper;
    EXPECT_EQ(ParsePaper(c.name, paper), c.width > 0) << c.name;
    EXPECT_EQ(paper.widthMm, c.width) << c.name;  // refusals leave it as it was
    EXPECT_EQ(paper.heightMm, c.height) << c.name;
  }
  struct Scale { const char* text; double n; };
  for (const Scale& c : std::vector<Scale>{{"1:50000", 50000}, {"1:2.5e4", 25000}, {"1:0", 0}, {"50000", 0},
                                           {"1:-5", 0}, {"1:50000x", 0}, {"1:", 0}, {"2:100", 0}, {"1:inf", 0}}) {
    double n = 0;
    EXPECT_EQ(ParseMapScale(c.text, n), c.n > 0) << c.text;
    EXPECT_EQ(n, c.n) << c.text;
  }
  EXPECT_DOUBLE_EQ(MetresPerPixel(50000, 300), 50000 * 0.0254 / 300);
  EXPECT_EQ(MmToPixels(210, 300), 2480);
  EXPECT_EQ(MmToPixels(297, 300), 3508);
}

// 1000 x 700 pixels (label height 10), a 10 km x 5 km extent, margin 10 %
// (70 pixels).
constexpr KIntSize kPicture{1000, 700};
constexpr KExtent kWide{0, 10000, 0, 5000};

void ExpectRect(const KIntRect& r, KIntRect want, const char* what) {
  EXPECT_EQ(r.left, want.left) << what;
  EXPECT_EQ(r.top, want.top) << what;
  EXPECT_EQ(r.width, want.width) << what;
  EXPECT_EQ(r.height, want.height) << what;
}

TEST(PlotLayout, PlainMarginCentresTheExtentInsideIt) {
  KPlotOptions options;
  options.margin = 0.1;
  const KPlotLayout layout = LayoutPlot(kPicture, kWide, options);
  ASSERT_TRUE(layout.ok) << layout.problem;
  EXPECT_EQ(layout.unit, 10);
  // Room 860 x 560; fitted by width (10000 / 860 m a pixel), 430 high,
  // 65 pixels above and below.
  ExpectRect(layout.room, {70, 70, 860, 560}, "room");
  ExpectRect(layout.frame, {70, 135, 860, 430}, "frame");
  EXPECT_EQ(layout.view.ToDeviceX(0), 70);
  EXPECT_EQ(layout.view.ToDeviceX(10000), 930);
  EXPECT_EQ(layout.view.ToDeviceY(5000), 135);
  EXPECT_EQ(layout.view.ToDeviceY(0), 565);
}

TEST(PlotLayout, DecorationsTakeTheirBandsAndNeverTheFrame) {
  KPlotOptions options;
  options.margin = 0.1;
  options.ticks = options.scaleBar = options.northArrow = true;
  options.legends = 2;
  const KPlotLayout layout = LayoutPlot(kPicture, kWide, options);
  ASSERT_TRUE(layout.ok) << layout.problem;
  // Ticks 5 and labels 3 + 10 + 3 left and below; the scale bar 26 more
  // below; the right strip 10 + 65 after the ticks.
  ExpectRect(layout.room, {91, 75, 759, 508}, "room");
  ExpectRect(layout.frame, {91, 139, 759, 380}, "frame");
  ExpectRect(layout.scaleBar, {91, 546, 253, 20}, "scale bar");
  ExpectRect(layout.northArrow, {865, 139, 24, 42}, "north arrow");
  ASSERT_EQ(layout.legends.size(), 2u);
  ExpectRect(layout.legends[0], {865, 191, 65, 150}, "legend 0");
  ExpectRect(layout.legends[1], {865, 351, 65, 150}, "legend 1");
  EXPECT_LE(layout.legends[1].right(), kPicture.width);
}

TEST(PlotLayout, FixedScalesAndHopelessCasesAreRefused) {
  KPlotOptions options;
  options.margin = 0.1;
  options.fixedScale = 20;  // 500 x 250 pixels: fits the 860 x 560 room
  KPlotLayout layout = LayoutPlot(kPicture, kWide, options);
  ASSERT_TRUE(layout.ok);
  ExpectRect(layout.frame, {250, 225, 500, 250}, "frame at 20 m a pixel");
  options.fixedScale = 10;  // 1000 x 500: too wide
  layout = LayoutPlot(kPicture, kWide, options);
  EXPECT_FALSE(layout.ok);
  EXPECT_NE(layout.problem.find("1000 x 500 pixels"), std::string::npos) << layout.problem;

  options.fixedScale = 0;
  EXPECT_FALSE(LayoutPlot(kPicture, KExtent{1, 0, 1, 0}, options).ok);  // empty
  EXPECT_FALSE(LayoutPlot({40, 40}, kWide, KPlotOptions{0.45, true, true, true, 1, 0}).ok);
  // A line has an extent of no height: it still lies on a frame.
  EXPECT_TRUE(LayoutPlot(kPicture, KExtent{0, 100, 5, 5}, options).ok);
}

// 0 .. 100 over 200 rows, labels 11 high (24 rows apart at least): a step
// of 10 would need 240 rows, so labels go every 20; each of the eleven
// contour values gets a short mark (every 20 rows), the labelled ones a
// long tick as well.
TEST(PlotColourBar, LabelsEveryFittingMultipleAndMarksEveryContourValue) {
  KColorTable colours;
  colours.SetRange8(0, 100);
  KRecordingDevice device(200, 300);
  DrawColourBar(device, colours, 0, 100, 10, {10, 50, 20, 200}, 11);
  std::vector<std::string> labels;
  for (const KDeviceCall& call : device.Of(KDeviceOp::TextOut)) labels.push_back(call.text);
  EXPECT_EQ(labels, (std::vector<std::string>{"0", "20", "40", "60", "80", "100"}));
  int marks = 0, ticks = 0;
  for (const auto& segment : device.Segments())
    if (segment.from.x == 30 && segment.to.x > 30 && segment.from.y == segment.to.y) (segment.to.x == 32 ? marks : ticks) += 1;
  EXPECT_EQ(marks, 11);
  EXPECT_EQ(ticks, 6);
  EXPECT_EQ(device.Of(KDeviceOp::FillSolidRect).size(), 201u);  // a row at a time, both ends
}

// A symmetric scale given as a colour function (as the seismic section's):
// -1 .. 1 over 200 rows, no contour step, so ticks at the round step 0.2
// doubled until 24 rows apart (0.4: 40 rows) and no short marks; the bottom and top
// rows carry the colours of the ends. Without a function nothing is drawn.
TEST(PlotColourBar, ColourFunctionScaleWithoutStepHasTicksOnly) {
  const KColourAt redToBlue = [](double v) { return v < 0 ? KRgb(255, 0, 0) : v > 0 ? KRgb(0, 0, 255) : KRgb(255, 255, 255); };
  KRecordingDevice device(200, 300);
  DrawColourBar(device, redToBlue, -1, 1, 0, {10, 50, 20, 200}, 11);
  std::vector<std::string> labels;
  for (const KDeviceCall& call : device.Of(KDeviceOp::TextOut)) labels.push_back(call.text);
  EXPECT_EQ(labels, (std::vector<std::string>{"-0.8", "-0.4", "0", "0.4", "0.8"}));
  int marks = 0, ticks = 0;
  for (const auto& segment : device.Segments())
    if (segment.from.x == 30 && segment.to.x > 30 && segment.from.y == segment.to.y) (segment.to.x == 35 ? ticks : marks) += 1;
  EXPECT_EQ(marks, 0);
  EXPECT_EQ(ticks, 5);
  const auto fills = device.Of(KDeviceOp::FillSolidRect);
  ASSERT_EQ(fills.size(), 201u);
  EXPECT_EQ(fills.front().args[1], 50);  // top row first: the high end
  EXPECT_EQ(fills.front().args[4], static_cast<int>(KRgb(0, 0, 255)));
  EXPECT_EQ(fills.back().args[4], static_cast<int>(KRgb(255, 0, 0)));

  KRecordingDevice none(200, 300);
  DrawColourBar(none, KColourAt{}, -1, 1, 0, {10, 50, 20, 200}, 11);
  EXPECT_TRUE(none.Of(KDeviceOp::FillSolidRect).empty());
}

}  // namespace
