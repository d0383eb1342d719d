// Embellishments drawn along curves, pinned on a recording device: where
// arrows, blocks, labels and names land, which embellishment an entry uses,
// NODRAW, and hostile parameters that must still terminate.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "render/drawing/embellish_draw.h"
#include "model/curves/kcurve_array.h"
#include "model/curves/kembellish.h"
#include "model/document/kcurve.h"
#include "model/document/kentry.h"
#include "render/drawing/krenderer.h"
#include "tests/support/recording_fixture.h"

namespace {

// 8 pixels a world unit; world (0, 0) at the device's bottom-left corner.
class EmbellishDraw : public KRecordingTest {};

KCurve Line(const std::vector<std::pair<double, double>>& points, std::string name = "") {
  KCurve c = CurveThrough(points);
  c.SetName(std::move(name));
  return c;
}

KEmbellish With(int type, decltype(KEmbellish::CurvePlay::item) item) {
  KEmbellish e;
  e.items.push_back({type, std::move(item)});
  return e;
}

std::vector<std::string> Texts(const KRecordingDevice& device) {
  std::vector<std::string> texts;
  for (const auto& call : device.Of(KDeviceOp::TextOut)) texts.push_back(call.text);
  return texts;
}

std::vector<int> TextColumns(const KRecordingDevice& device) {
  std::vector<int> columns;
  for (const auto& call : device.Of(KDeviceOp::TextOut)) columns.push_back(call.args[0]);
  return columns;
}

// Horizontal centres of the crosses a missing block draws (every other
// segment is the horizontal bar).
std::vector<int> CrossCentres(const KRecordingDevice& device) {
  std::vector<int> centres;
  auto segments = device.Segments();
  for (std::size_t i = 0; i < segments.size(); i += 2) centres.push_back((segments[i].from.x + segments[i].to.x) / 2);
  return centres;
}

}  // namespace

TEST_F(EmbellishDraw, ArrowsSitAtTheirEndsPointingAway) {
  KCurve curve = Line({{10, 10}, {50, 10}});
  KEmbellish e = With(KEmbellish::kArrowHead, KArrowItem{2.0, -255});
  e.items.push_back({KEmbellish::kArrowTail, KArrowItem{2.0, -65280}});
  DrawAlong(e, view, curve, renderer);
  auto fills = device.Of(KDeviceOp::FillPolygon);
  ASSERT_EQ(fills.size(), 2u) << device.Dump();
  EXPECT_EQ(fills[0].args[0], 0x0000FF);
  EXPECT_EQ(fills[0].points, (std::vector<KIntPoint>{{56, 320}, {80, 312}, {80, 328}}));
  EXPECT_EQ(fills[1].args[0], 0x00FF00);
  EXPECT_EQ(fills[1].points, (std::vector<KIntPoint>{{424, 320}, {400, 328}, {400, 312}}));
}

TEST_F(EmbellishDraw, LineItemStrokesWithItsPenAndDashesOrNothingForFilledStyles) {
  KCurve curve = Line({{0, 10}, {10, 10}});
  KLineItem line;
  line.width = 0.5;  // 4 px
  line.colour = -255;
  line.squareCap = 1;
  line.dashes = {3, 1};
  DrawAlong(With(KEmbellish::kProperties, line), view, curve, renderer);
  auto pens = device.Of(KDeviceOp::SelectPen);
  ASSERT_EQ(pens.size(), 1u);
  EXPECT_EQ(pens[0].args, (std::vector<int>{kPenEndCapSquare, 4, 0x0000FF}));
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 3u) << device.Dump();  // 0-3, 4-7, 8-11
  EXPECT_EQ(segments[1].from.x, 32);
  EXPECT_EQ(segments[1].to.x, 56);

  for (int style : {kStyleFilled, kStyleSplineFilled}) {
    device.Clear();
    line.style = style;
    DrawAlong(With(KEmbellish::kProperties, line), view, curve, renderer);
    EXPECT_TRUE(device.calls.empty()) << style << device.Dump();
  }
}

TEST_F(EmbellishDraw, ScaleBlocksFollowArcLengthOrTheCurvesOwnPositions) {
  // s runs 0..20 along a curve 40 long: positions are scaled to length.
  KCurve curve = Line({{10, 10}, {50, 10}});
  for (int i = 0; i < curve.count; ++i) curve.s()[i] *= 0.5;
  KMarkItem mark;
  mark.step = 10;
  mark.sizeX = 0.5;
  mark.sizeY = 0.5;
  mark.offset = 1.0;
  mark.blockName = "missing";  // a missing block draws a cross at each position
  DrawAlong(With(KEmbellish::kScale, mark), view, curve, renderer);
  EXPECT_EQ(CrossCentres(device), (std::vector<int>{160, 240, 320, 400})) << device.Dump();
  // The offset moves the marks to the left of the direction (up here).
  EXPECT_EQ(device.Segments()[0].from.y, 312);

  device.Clear();
  mark.scaleToLength = 0;  // positions 10 and 20 in s: x = 30 and 50
  DrawAlong(With(KEmbellish::kScale, mark), view, curve, renderer);
  EXPECT_EQ(CrossCentres(device), (std::vector<int>{240, 400})) << device.Dump();
}

TEST_F(EmbellishDraw, ScaleDrawsTheBlockOfTheDocumentBeingDrawnAtEachPosition) {
  // A one-unit tick every 10 units along a 40-unit line, with the line.
  auto doc = DocumentFrom(
      "New tick\nPline\n0,0\n1,0\n\nEndNew\n"
      "CurveEmbellish\nScale tick 10 1 1 0 0 40 0 1\n\nPline\n10,10\n50,10\n\n");
  Draw(*doc);
  std::vector<int> ticks;
  for (const auto& s : device.Segments())
    if (s.to.x - s.from.x == 8) ticks.push_back(s.from.x);
  EXPECT_EQ(ticks, (std::vector<int>{80, 160, 240, 320, 400})) << device.Dump();
}

TEST_F(EmbellishDraw, StepsAndDashesFinerThanAPixelAreBoundedByTheCurvesPixels) {
  // 40 world units, 320 pixels.
  KCurve curve = Line({{10, 10}, {50, 10}});
  KMarkItem mark;
  mark.step = 1e-9;
  mark.blockName = "missing";
  mark.sizeX = mark.sizeY = 0.5;
  DrawAlong(With(KEmbellish::kScale, mark), view, curve, renderer);
  const std::vector<int> centres = CrossCentres(device);
  // Two a pixel at most, spread over the whole curve rather than its start.
  ASSERT_LE(centres.size(), 2u * 320u + 1);
  ASSERT_GE(centres.size(), 320u);
  EXPECT_EQ(centres.front(), 80);
  EXPECT_GE(centres.back(), 399);

  device.Clear();
  KLineItem line;
  line.dashes = {1e-4, 1e-4};   // 200,000 dashes over 320 pixels
  DrawAlong(With(KEmbellish::kProperties, line), view, curve, renderer);
  EXPECT_EQ(device.Segments().size(), 1u) << "drawn solid";
}

TEST_F(EmbellishDraw, LocateLabelsPositionsWithAndWithoutARange) {
  KCurve curve = Line({{10, 10}, {45, 10}});
  KMarkItem mark;
  mark.step = 10;
  mark.labelColour = -255;
  DrawAlong(With(KEmbellish::kLocate, mark), view, curve, renderer);
  EXPECT_EQ(Texts(device), (std::vector<std::string>{"10", "20", "30"}));
  EXPECT_EQ(TextColumns(device), (std::vector<int>{160, 240, 320}));
  auto texts = device.Of(KDeviceOp::TextOut);
  EXPECT_EQ(texts[0].font.escapement, 900);  // written across the curve
  EXPECT_EQ(device.textColor(), 0x0000FFu);

  device.Clear();
  mark.start = 0;
  mark.end = 20;
  DrawAlong(With(KEmbellish::kLocate, mark), view, curve, renderer);
  EXPECT_EQ(Texts(device), (std::vector<std::string>{"0", "10", "20"}));
}

TEST_F(EmbellishDraw, LocateWithoutStepLabelsVertexDirections) {
  KCurve curve = Line({{10, 10}, {20, 10}, {20, 20}});
  KMarkItem mark;
  mark.step = 0;
  DrawAlong(With(KEmbellish::kLocate, mark), view, curve, renderer);
  // Degrees come from 180 / 3.1415926, so a right angle reads 90.0000015352.
  EXPECT_EQ(Texts(device), (std::vector<std::string>{"0", "90.0000015352", "90.0000015352"}));
  EXPECT_EQ(TextColumns(device), (std::vector<int>{80, 160, 160}));
}

TEST_F(EmbellishDraw, NameIsWrittenIntoTheLineBetweenLinePieces) {
  KCurve curve = Line({{10, 10}, {50, 10}}, "AB");
  KNameItem name;
  name.charSize = 2;
  name.repetitions = 1;
  name.textColour = 0x00FF00;  // plain COLORREF
  name.colour = 0x0000FF;      // plain COLORREF
  DrawAlong(With(KEmbellish::kInName, name), view, curve, renderer);
  EXPECT_EQ(Texts(device), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(TextColumns(device), (std::vector<int>{240, 256}));
  EXPECT_EQ(device.textColor(), 0x00FF00u);
  EXPECT_EQ(device.Of(KDeviceOp::TextOut)[0].font.height, 24);
  auto pens = device.Of(KDeviceOp::SelectPen);
  ASSERT_EQ(pens.size(), 1u);
  EXPECT_EQ(pens[0].args[2], 0x0000FF);
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 2u) << device.Dump();
  EXPECT_EQ(std::make_pair(segments[0].from.x, segments[0].to.x), std::make_pair(80, 240));
  EXPECT_EQ(std::make_pair(segments[1].from.x, segments[1].to.x), std::make_pair(272, 400));

  // No pieces when the line width is negative.
  device.Clear();
  name.lineWidth = -1;
  DrawAlong(With(KEmbellish::kInName, name), view, curve, renderer);
  EXPECT_TRUE(device.Segments().empty());
}

TEST_F(EmbellishDraw, NameReadsLeftToRightOnACurveRunningLeft) {
  KCurve curve = Line({{50, 10}, {10, 10}}, "AB");
  KNameItem name;
  name.charSize = 2;
  name.repetitions = 1;
  name.lineWidth = -1;
  DrawAlong(With(KEmbellish::kInName, name), view, curve, renderer);
  EXPECT_EQ(Texts(device), (std::vector<std::string>{"B", "A"}));
  // A at x = 26, B at x = 28: left to right on the screen, upright.
  EXPECT_EQ(TextColumns(device), (std::vector<int>{224, 208}));
  EXPECT_EQ(device.Of(KDeviceOp::TextOut)[0].font.escapement, 0);
}

TEST_F(EmbellishDraw, NameCopiesShrinkToFitAndTwoByteCharactersAdvanceFurther) {
  KCurve curve = Line({{10, 10}, {50, 10}}, "AB");
  KNameItem name;
  name.repetitions = 3;
  name.lineWidth = -1;
  name.charSize = 6;  // a copy takes 24 of 40: one copy fits
  DrawAlong(With(KEmbellish::kInName, name), view, curve, renderer);
  EXPECT_EQ(Texts(device).size(), 2u);

  // Two copies fit (16 of 40): spacing 40 / 3, the second copy 0.7 spacings
  // after the first, line pieces before, between and after them.
  device.Clear();
  name.charSize = 2;
  name.repetitions = 2;
  name.lineWidth = 0;
  DrawAlong(With(KEmbellish::kInName, name), view, curve, renderer);
  EXPECT_EQ(TextColumns(device), (std::vector<int>{186, 202, 261, 277}));
  auto pieces = device.Segments();
  ASSERT_EQ(pieces.size(), 3u) << device.Dump();
  EXPECT_EQ(std::make_pair(pieces[1].from.x, pieces[1].to.x), std::make_pair(219, 261));
  name.lineWidth = -1;
  name.repetitions = 3;

  device.Clear();
  name.charSize = 30;  // not even one copy: one copy with characters 40 / 4 = 10
  DrawAlong(With(KEmbellish::kInName, name), view, curve, renderer);
  auto texts = device.Of(KDeviceOp::TextOut);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].font.height, 120);
  EXPECT_EQ(texts[0].args[0], 160);  // starts a quarter along: x = 20

  device.Clear();
  curve.SetName("\xB0\xA1X");
  name.charSize = 2;
  name.repetitions = 1;
  DrawAlong(With(KEmbellish::kInName, name), view, curve, renderer);
  EXPECT_EQ(Texts(device), (std::vector<std::string>{"\xB0\xA1", "X"}));
  // Starts at x = 30 (240 px); X follows 1.2 sizes later, x = 32.4.
  EXPECT_EQ(TextColumns(device), (std::vector<int>{240, 259}));
}

TEST_F(EmbellishDraw, EntryUsesItsOwnEmbellishmentElseItsLayersAndNoDrawDropsTheCurve) {
  auto doc = DocumentFrom(
      "Layer M roads\nCurveEmbellish\nArrowHead\n0.5 -255\nNoDraw\n\nLayer E\n"
      "Pline\n0,10\n10,10\n\n"
      "CurveEmbellish\nArrowTail\n0.5 -65280\n\n"
      "Pline\n0,20\n10,20\n\n");
  ASSERT_EQ(doc->entries.size(), 2u);
  EXPECT_EQ(doc->entries[0]->Embellishment(), nullptr);
  Draw(*doc);
  auto fills = device.Of(KDeviceOp::FillPolygon);
  ASSERT_EQ(fills.size(), 2u) << device.Dump();
  EXPECT_EQ(fills[0].args[0], 0x0000FF);  // the layer's arrow head
  EXPECT_EQ(fills[0].points[0].x, -6);
  EXPECT_EQ(fills[1].args[0], 0x00FF00);  // the entry's own arrow tail
  EXPECT_EQ(fills[1].points[0].x, 86);
  // The layer's NODRAW suppresses the first curve; the second is stroked.
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 1u) << device.Dump();
  EXPECT_EQ(segments[0].from.y, 240);
}

TEST_F(EmbellishDraw, CurveArrayEntryDecoratesEveryElementBeforeItsCurves) {
  KEntry entry;
  entry.kind = 101;
  entry.colour = -16711680;  // blue
  auto array = std::make_unique<KCurveArray>();
  array->elements.push_back(std::make_shared<KCurve>(Line({{0, 10}, {10, 10}})));
  array->elements.push_back(std::make_shared<KCurve>(Line({{0, 20}, {10, 20}})));
  entry.record = std::move(array);
  auto e = std::make_shared<KEmbellish>(With(KEmbellish::kArrowTail, KArrowItem{0.5, -255}));
  entry.SetEmbellishment(e);
  renderer.DrawCurveArrayEntry(entry, view);
  ASSERT_EQ(device.Of(KDeviceOp::FillPolygon).size(), 2u);
  ASSERT_EQ(device.Segments().size(), 2u);
  EXPECT_EQ(device.calls[0].op, KDeviceOp::FillPolygon);  // decorations come first
  EXPECT_EQ(device.calls[1].op, KDeviceOp::FillPolygon);

  device.Clear();
  e->noDraw = true;
  renderer.DrawCurveArrayEntry(entry, view);
  EXPECT_EQ(device.Of(KDeviceOp::FillPolygon).size(), 2u);
  EXPECT_TRUE(device.Segments().empty()) << device.Dump();
}

TEST_F(EmbellishDraw, HostileParametersTerminateAndStayBounded) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  KCurve curve = Line({{10, 10}, {50, 10}}, "\xB0");  // a lone lead byte
  KCurve point = Line({{10, 10}});
  KCurve same = Line({{10, 10}, {10, 10}});
  same.s()[1] = 5;  // a file gave s values to a curve of coincident points

  KEmbellish e;
  for (double step : {0.0, -1.0, nan, inf, 1e-300}) {
    KMarkItem mark;
    mark.step = step;
    mark.blockName = "missing";
    e.items.push_back({KEmbellish::kScale, mark});
    mark.start = -1e300;
    mark.end = 1e300;
    e.items.push_back({KEmbellish::kLocate, mark});
    mark.scaleToLength = 0;
    e.items.push_back({KEmbellish::kLocate, mark});
  }
  KNameItem name;
  name.repetitions = INT_MAX;
  e.items.push_back({KEmbellish::kInName, name});  // character size 0
  name.repetitions = 0;
  e.items.push_back({KEmbellish::kInName, name});  // one copy, offset from size 0
  name.charSize = -3;
  name.repetitions = INT_MIN;
  e.items.push_back({KEmbellish::kInName, name});
  KLineItem line;
  line.dashes = {0, 0};
  e.items.push_back({KEmbellish::kProperties, line});
  e.items.push_back({KEmbellish::kArrowHead, KArrowItem{nan, INT_MIN}});
  e.items.push_back({42, KArrowItem{}});  // unknown type

  for (const KCurve* c : {&curve, &point, &same}) {
    device.Clear();
    DrawAlong(e, view, *c, renderer);
    // Every mark item visits at most kMaxEmbellishPositions positions and a
    // name item writes at most kMaxEmbellishNames copies.
    EXPECT_LT(device.calls.size(), 15u * 2 * kMaxEmbellishPositions + 100000u);
  }
  // The lone lead byte is written alone, never paired with what follows it.
  device.Clear();
  name.charSize = 2;
  name.repetitions = 1;
  DrawAlong(With(KEmbellish::kInName, name), view, curve, renderer);
  EXPECT_EQ(Texts(device), (std::vector<std::string>{"\xB0"}));
}

TEST_F(EmbellishDraw, NumbersLoseTrailingZerosAndSurviveHugeValues) {
  EXPECT_EQ(FormatEmbellishNumber(10, 50), "10");
  EXPECT_EQ(FormatEmbellishNumber(2.5, 50), "2.5");
  EXPECT_EQ(FormatEmbellishNumber(0, 10), "0");
  EXPECT_EQ(FormatEmbellishNumber(-0.25, 10), "-0.25");
  // All 50 decimals are exact digits of the double nearest 0.1, not its
  // shortest form; with no decimals the zeros of an integer stay, and a
  // half rounds to even.
  EXPECT_EQ(FormatEmbellishNumber(0.1, 50), "0.1000000000000000055511151231257827021181583404541");
  EXPECT_EQ(FormatEmbellishNumber(100, 0), "100");
  EXPECT_EQ(FormatEmbellishNumber(2.5, 0), "2");
  EXPECT_EQ(FormatEmbellishNumber(-std::numeric_limits<double>::infinity(), 10), "-inf");
  const std::string huge = FormatEmbellishNumber(1e300, 50);
  EXPECT_EQ(huge.size(), 301u);
  EXPECT_EQ(huge.front(), '1');
}
