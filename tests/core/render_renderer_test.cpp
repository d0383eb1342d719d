// Device coordinates, sizes and colours the renderer gives each kind of
// entry, pinned on a recording device.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/document/elements.h"
#include "model/document/kcurve.h"
#include "model/document/kentry.h"
#include "render/drawing/krenderer.h"
#include "tests/support/recording_fixture.h"

namespace {
class Renderer : public KRecordingTest {};
}  // namespace

TEST_F(Renderer, DocumentSetsTransparentTextAndBottomLeftAlignment) {
  auto doc = DocumentFrom("Pline\n0,0\n10,0\n\n");
  Draw(*doc);
  ASSERT_GE(device.calls.size(), 2u);
  EXPECT_EQ(device.calls[0].op, KDeviceOp::SetBkMode);
  EXPECT_EQ(device.calls[0].args[0], 1);
  EXPECT_EQ(device.calls[1].op, KDeviceOp::SetTextAlign);
  EXPECT_EQ(device.calls[1].args[0], 8);
}

TEST_F(Renderer, HiddenLayersAreSkippedAndViewOnlyLayersDrawn) {
  auto doc = DocumentFrom(
      "Layer M shown\nLayer ViewNotEdit\nPline\n0,0\n10,0\n\n"
      "Layer M hidden\nLayer NotViewNotEdit\nPline\n0,10\n10,10\n\n"
      "Layer M edit\nLayer ViewAndEdit\nPline\n0,20\n10,20\n\n");
  ASSERT_EQ(doc->entries.size(), 3u);
  Draw(*doc);
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 2u) << device.Dump();
  EXPECT_EQ(segments[0].from.y, 400);   // y = 0
  EXPECT_EQ(segments[1].from.y, 240);   // y = 20; y = 10 (row 320) is hidden
}

TEST_F(Renderer, FilledPolygonHasNoOutlineAndOpenCurvesGetAPenOfTheirWidth) {
  Look(0.5);
  KCurve square = CurveThrough({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  square.closure = kFilled;
  renderer.DrawCurve(square, view, -255);
  ASSERT_EQ(device.calls.size(), 1u) << device.Dump();
  const KDeviceCall& fill = device.calls[0];
  EXPECT_EQ(fill.op, KDeviceOp::FillPolygon);
  EXPECT_EQ(fill.args[0], 0x0000FF);  // red
  EXPECT_EQ(fill.args[1], kFillWinding);
  EXPECT_EQ(fill.points, (std::vector<KIntPoint>{{0, 400}, {20, 400}, {20, 380}, {0, 380}}));

  device.Clear();
  square.closure = kClosed;
  square.SetWidth(1.3);  // 2.6 px
  renderer.DrawCurve(square, view, -255);
  auto pens = device.Of(KDeviceOp::SelectPen);
  ASSERT_EQ(pens.size(), 1u);
  EXPECT_EQ(pens[0].args, (std::vector<int>{kPenSolid, 2, 0x0000FF}));
  EXPECT_TRUE(device.Of(KDeviceOp::FillPolygon).empty());
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 4u);               // closed: back to the first point
  EXPECT_EQ(segments[3].to, (KIntPoint{0, 400}));
}

TEST_F(Renderer, OnlyClosedOutlineKindsGetTheClosingSegment) {
  Look(1);
  const std::pair<int, std::size_t> cases[] = {
      {kOpen, 2}, {kClosed, 3}, {kSplineOpen, 2}, {kSplineFilled, 3}, {kSplineClosed, 3}, {67, 3}};
  for (auto [closure, expected] : cases) {
    device.Clear();
    KCurve c = CurveThrough({{0, 0}, {10, 0}, {10, 10}});
    c.closure = closure;
    renderer.DrawCurve(c, view, 0);
    EXPECT_EQ(device.Segments().size(), expected) << closure;
  }
  // A closed two-point curve is not doubled back over itself.
  device.Clear();
  KCurve two = CurveThrough({{0, 0}, {10, 0}});
  two.closure = kClosed;
  renderer.DrawCurve(two, view, 0);
  EXPECT_EQ(device.Segments().size(), 1u);
}

TEST_F(Renderer, TextSizesComeFromTheScalesAndTheOriginIsTruncated) {
  Look(0.5);
  KText text;
  text.x = 10.3;   // u = 20.6 -> 20
  text.y = 5.0;    // row 400 - 10 = 390
  text.height = 4;
  text.width = 1.6;
  text.angle = 30.25;
  text.text = "Well A-1";
  text.font.weight = 700;
  text.font.faceName = "DejaVu Sans";
  renderer.DrawText(text, view, -0x00FF00);
  auto outs = device.Of(KDeviceOp::TextOut);
  ASSERT_EQ(outs.size(), 1u);
  EXPECT_EQ(outs[0].args, (std::vector<int>{20, 390}));
  EXPECT_EQ(outs[0].text, "Well A-1");
  EXPECT_EQ(outs[0].font.height, 12);
  EXPECT_EQ(outs[0].font.width, 4);
  EXPECT_EQ(outs[0].font.escapement, 302);
  EXPECT_EQ(outs[0].font.weight, 700);
  EXPECT_EQ(outs[0].font.faceName, "DejaVu Sans");
  EXPECT_EQ(device.textColor(), 0x00FF00u);
  // The sizes come from the view of each drawing, not from an earlier one.
  Look(1.0);
  renderer.DrawText(text, view, -0x00FF00);
  EXPECT_EQ(device.Of(KDeviceOp::TextOut).back().font.height, 6);
}

TEST_F(Renderer, InsertOfAUnitSegmentWithSizes2And3AtAngle90) {
  // Insert NAME x,y ysize xsize angle: x size 2, y size 3.
  auto doc = DocumentFrom(
      "New seg\nPline\n0,0\n1,0\n\nEndNew\n"
      "Insert seg 10,20 3 2 90\n");
  ASSERT_EQ(doc->entries.size(), 1u);
  Draw(*doc);
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 1u) << device.Dump();
  // (10, 20) -> column 80, row 240; (10, 22) -> row 224.
  EXPECT_EQ(segments[0].from, (KIntPoint{80, 240}));
  EXPECT_EQ(segments[0].to, (KIntPoint{80, 224}));

  // A block defined anew replaces the old one at the next drawing.
  OpenMemory(*doc, "New seg\nPline\n0,0\n0,1\n\nEndNew\n");
  device.Clear();
  KRenderer(device).DrawDocument(*doc, view);
  segments = device.Segments();
  ASSERT_EQ(segments.size(), 1u) << device.Dump();
  EXPECT_EQ(segments[0].to, (KIntPoint{56, 240}));  // (0, 1) made 3 high and turned: 3 to the left
}

TEST_F(Renderer, ABlockReplacedUnderOneNameStillDrawsUnderAnother) {
  auto doc = DocumentFrom("New A\nPline\n0,0\n1,0\n\nEndNew\nInsert B 10,20 1 1 0\n");
  doc->blocks.InsertPath("B", doc->blocks.LookupPath("A"));  // as a program may enter it
  OpenMemory(*doc, "New A\nPline\n0,0\n0,1\n\nEndNew\n");
  Draw(*doc);
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 1u) << device.Dump();
  EXPECT_EQ(segments[0].to, (KIntPoint{88, 240}));  // the first A: (1, 0) from (10, 20)
}

TEST_F(Renderer, InsertOfAMissingBlockDrawsACrossOfItsSizes) {
  auto doc = DocumentFrom("Insert nowhere 10,20 3 2 0\n");
  Draw(*doc);
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 2u);
  EXPECT_EQ(segments[0].from, (KIntPoint{64, 240}));  // x - 2
  EXPECT_EQ(segments[0].to, (KIntPoint{96, 240}));    // x + 2
  EXPECT_EQ(segments[1].from, (KIntPoint{80, 264}));  // y - 3
  EXPECT_EQ(segments[1].to, (KIntPoint{80, 216}));    // y + 3
}

TEST_F(Renderer, BlocksSeeOnlyTheirOwnBlockNames) {
  // Inside a block, names resolve in the block's own tree: a block cannot
  // find the top-level block of the same name, so the inner insertion is a
  // missing block (a cross) rather than a recursion.
  auto doc = DocumentFrom("New A\nPline\n0,0\n1,0\n\nInsert A 0,0 1 1 0\nEndNew\nInsert A 10,10 1 1 0\n");
  Draw(*doc);
  EXPECT_EQ(device.Segments().size(), 3u) << device.Dump();
}

TEST_F(Renderer, SelfInsertingBlocksTerminate) {
  // Blocks entered into their own trees (as a program can do): A inserts
  // itself; B and C insert each other.
  auto doc = DocumentFrom(
      "New A\nPline\n0,0\n1,0\n\nInsert A 0,0 1 1 0\nEndNew\n"
      "New B\nPline\n0,0\n0,1\n\nInsert C 0,0 1 1 0\nEndNew\n"
      "New C\nPline\n0,0\n1,1\n\nInsert B 0,0 1 1 0\nEndNew\n"
      "Insert A 10,10 1 1 0\nInsert B 20,10 1 1 0\n");
  KOnes* a = doc->blocks.LookupPath("A");
  KOnes* b = doc->blocks.LookupPath("B");
  KOnes* c = doc->blocks.LookupPath("C");
  ASSERT_TRUE(a && b && c);
  a->blocks.InsertPath("A", a);
  b->blocks.InsertPath("C", c);
  c->blocks.InsertPath("B", b);
  Draw(*doc);
  // A's segment once; B's segment and C's through B; nothing deeper.
  EXPECT_EQ(device.Segments().size(), 3u) << device.Dump();
}

TEST_F(Renderer, DeeplyNestedBlocksStopAtTheDepthBound) {
  // A chain L0 -> L1 -> ... -> L59, each holding a segment.
  auto doc = DocumentFrom("Insert L0 0,0 1 1 0\n");
  std::vector<std::unique_ptr<KOnes>> chain;
  for (int k = 0; k < 60; ++k) chain.push_back(DocumentFrom("Pline\n0,0\n1,0\n\nInsert next 0,0 1 1 0\n"));
  for (int k = 0; k + 1 < 60; ++k) chain[k]->blocks.InsertPath("next", chain[k + 1].get());
  doc->blocks.InsertPath("L0", chain[0].get());
  Draw(*doc);
  EXPECT_EQ(static_cast<int>(device.Segments().size()), KRenderer::kMaxInsertDepth);
}

TEST_F(Renderer, MarksAlongCurvesInsidePlacedBlocksCountAgainstThePaintBudget) {
  // A line places block w at 40 positions; w's own line is far too long to
  // thin its marks, so each copy walks the most positions a curve may
  // (placing the empty block e, which draws nothing).
  auto doc = DocumentFrom(
      "New w\nNew e\nEndNew\nCurveEmbellish\nScale e 1e-290 1 1 0 -1 -2 0 1\n\nPline\n0,0\n1e300,0\n\nEndNew\n"
      "CurveEmbellish\nScale w 1 1 1 0 0 40 0 1\n\nPline\n10,10\n50,10\n\n");
  KRecordingDevice small{8, 8};
  KRenderer paint{small};
  paint.DrawDocument(*doc, view);
  EXPECT_TRUE(paint.InsertBudgetHit());
}

TEST_F(Renderer, BlocksInsertingEachOtherTwiceStopAtThePaintBudget) {
  // F_k inserts F_(k+1) twice; the last holds a segment: 2^depth copies.
  for (int depth : {10, 40}) {
    auto doc = DocumentFrom("Insert F0 0,0 1 1 0\n");
    std::vector<std::unique_ptr<KOnes>> fan;
    for (int k = 0; k < depth; ++k) fan.push_back(DocumentFrom("Insert next 0,0 1 1 0\nInsert next 0,0 1 1 0\n"));
    fan.push_back(DocumentFrom("Pline\n0,0\n1,0\n\n"));
    for (int k = 0; k < depth; ++k) fan[k]->blocks.InsertPath("next", fan[k + 1].get());
    doc->blocks.InsertPath("F0", fan[0].get());
    KRecordingDevice small{8, 8};
    KRenderer paint{small};
    paint.DrawDocument(*doc, view);
    const bool deep = depth > 20;
    EXPECT_EQ(paint.InsertBudgetHit(), deep);
    // The depth bound alone would leave 2^31 copies.
    if (deep)
      EXPECT_LT(small.Segments().size(), static_cast<std::size_t>(KRenderer::kMaxInsertedEntries));
    else
      EXPECT_EQ(small.Segments().size(), 1024u);
  }
}

TEST_F(Renderer, DashesAlongAStraightCurveOfLength10) {
  KCurve line = CurveThrough({{0, 0}, {10, 0}});
  const double pattern[] = {3, 1};
  renderer.DrawDashed(line, view, pattern, 2);
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 3u) << device.Dump();
  // 0-3, 4-7 and 8-11 world units: columns 0-24, 32-56, 64-88 (+0.5 rounding).
  EXPECT_EQ(segments[0].from.x, 0);
  EXPECT_EQ(segments[0].to.x, 24);
  EXPECT_EQ(segments[1].from.x, 32);
  EXPECT_EQ(segments[1].to.x, 56);
  EXPECT_EQ(segments[2].from.x, 64);
  EXPECT_EQ(segments[2].to.x, 88);  // beyond the end, along the last segment
}

TEST_F(Renderer, DashesFollowCornersAndOddPatternsRestartAtTheLastDash) {
  Look(1);
  KCurve corner = CurveThrough({{0, 0}, {4, 0}, {4, 10}});
  const double pattern[] = {6, 1};
  renderer.DrawDashed(corner, view, pattern, 2);
  auto segments = device.Segments();
  // First dash 0-6 turns the corner: (0,0)-(4,0)-(4,2); the second 7-13
  // runs up from (4,3) to (4,9); the third 14-20 (from (4,10) on, beyond
  // the end) stops the pattern since 14 >= 14.
  ASSERT_EQ(segments.size(), 3u) << device.Dump();
  EXPECT_EQ(segments[0].to, (KIntPoint{4, 400}));
  EXPECT_EQ(segments[1].to, (KIntPoint{4, 398}));
  EXPECT_EQ(segments[2].from, (KIntPoint{4, 397}));
  EXPECT_EQ(segments[2].to, (KIntPoint{4, 391}));

  device.Clear();
  KCurve line = CurveThrough({{0, 0}, {10, 0}});
  const double odd[] = {2, 1, 1};  // dash 2, gap 1, dash 1, then dash 2 again from 3
  renderer.DrawDashed(line, view, odd, 3);
  segments = device.Segments();
  ASSERT_GE(segments.size(), 4u);
  EXPECT_EQ(segments[0].from.x, 0);
  EXPECT_EQ(segments[0].to.x, 2);
  EXPECT_EQ(segments[1].from.x, 3);
  EXPECT_EQ(segments[1].to.x, 4);
  EXPECT_EQ(segments[2].from.x, 3);
  EXPECT_EQ(segments[2].to.x, 5);
}

TEST_F(Renderer, DashPatternsThatCannotAdvanceDrawTheCurveOnceSolid) {
  Look(1);
  KCurve line = CurveThrough({{0, 0}, {5, 0}, {10, 0}});
  const double one[] = {3};
  const double zero[] = {0, 0};
  const double backwards[] = {2, -2};
  const double oddBackwards[] = {1, -1, 5};
  const double tiny[] = {1e-9, 1e-9};
  struct Case {
    const double* values;
    int count;
  } cases[] = {{one, 1}, {zero, 2}, {backwards, 2}, {oddBackwards, 3}, {tiny, 2}};
  for (const Case& c : cases) {
    device.Clear();
    renderer.DrawDashed(line, view, c.values, c.count);
    auto segments = device.Segments();
    ASSERT_EQ(segments.size(), 2u) << device.Dump();
    EXPECT_EQ(segments[0].from.x, 0);
    EXPECT_EQ(segments[1].to.x, 10);
  }
}

TEST_F(Renderer, CurveRangeOutsideTheArcLengthsExtrapolatesWithinTheArrays) {
  Look(1);
  KCurve line = CurveThrough({{0, 0}, {4, 0}, {4, 4}});
  renderer.DrawCurveRange(line, view, -3, 20);   // both ends off the curve
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 2u) << device.Dump();
  EXPECT_EQ(segments[0].from, (KIntPoint{-2, 400}));   // -3 along the first segment: u = -2.5
  EXPECT_EQ(segments[0].to, (KIntPoint{4, 400}));
  EXPECT_EQ(segments[1].to, (KIntPoint{4, 384}));      // 20 along the last: y = 16

  device.Clear();
  renderer.DrawCurveRange(line, view, 50, 60);   // wholly beyond the end
  segments = device.Segments();
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_EQ(segments[0].from, (KIntPoint{4, 354}));
  EXPECT_EQ(segments[0].to, (KIntPoint{4, 344}));

  device.Clear();
  KCurve single = CurveThrough({{1, 1}});
  renderer.DrawCurveRange(single, view, 0, 1);
  EXPECT_TRUE(device.calls.empty());
}

TEST_F(Renderer, PointMarksAndLabelsFollowTheTextProperties) {
  auto doc = DocumentFrom(
      "New dot\nPline\n0,0\n1,0\n\nEndNew\n"
      "TextProperties\n"
      "Mark 2.0 4.0 0.0 dot\n"
      "Text 2.0 0.8 0.0 1.0 -1.0\n"
      "Color -255\n"
      "\n"
      "Point 10,20 W-7\n"
      "TextProperties\n"
      "Mark 2.0 4.0 0.0 missing\n"
      "\n"
      "Point 30,20 W-8\n");
  ASSERT_EQ(doc->entries.size(), 2u);
  Draw(*doc);
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 3u) << device.Dump();
  // The mark block scaled by the mark width 4 (x) and height 2 (y).
  EXPECT_EQ(segments[0].from, (KIntPoint{80, 240}));
  EXPECT_EQ(segments[0].to, (KIntPoint{112, 240}));
  // The missing mark: a cross of half-widths 4 and 2 at (30, 20).
  EXPECT_EQ(segments[1].from, (KIntPoint{208, 240}));
  EXPECT_EQ(segments[1].to, (KIntPoint{272, 240}));
  EXPECT_EQ(segments[2].from, (KIntPoint{240, 256}));
  EXPECT_EQ(segments[2].to, (KIntPoint{240, 224}));

  auto texts = device.Of(KDeviceOp::TextOut);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "W-7");
  EXPECT_EQ(texts[0].args, (std::vector<int>{88, 248}));  // (11, 19)
  EXPECT_EQ(texts[0].font.height, 24);   // 1.5 * 2 / 0.125
  EXPECT_EQ(texts[0].font.width, 9);     // 1.5 * 0.8 / 0.125 = 9.6
  EXPECT_EQ(texts[0].font.weight, 100);  // the label font of the properties
  EXPECT_EQ(texts[0].font.charSet, 1);
  auto colours = device.Of(KDeviceOp::SetTextColor);
  ASSERT_FALSE(colours.empty());
  EXPECT_EQ(colours[0].args[0], 0x0000FF);
}

TEST_F(Renderer, PointWithoutTextPropertiesIsNotDrawn) {
  auto doc = DocumentFrom("Point 10,20 W-7\n");
  ASSERT_EQ(doc->entries.size(), 1u);
  doc->entries[0]->SetTextProperties(nullptr);
  Draw(*doc);
  EXPECT_TRUE(device.Segments().empty());
  EXPECT_TRUE(device.Of(KDeviceOp::TextOut).empty());
}

TEST_F(Renderer, WorldRectanglesTruncateWithoutRotation) {
  Look(0.5);
  renderer.FillWorldRect(view, 1.3, 2.1, 10, 5, 0x123456);
  auto rects = device.Of(KDeviceOp::FillSolidRect);
  ASSERT_EQ(rects.size(), 1u);
  // left trunc(2.6) = 2, right trunc(22.6) = 22, bottom trunc(395.8) = 395,
  // top trunc(385.8) = 385.
  EXPECT_EQ(rects[0].args, (std::vector<int>{2, 385, 20, 10, 0x123456}));

  // Far beyond the window: clamped, never overflowing.
  device.Clear();
  view.scaleX = view.scaleY = 1e-12;
  renderer.FillWorldRect(view, -1, -1, 2, 2, 0xFF);
  rects = device.Of(KDeviceOp::FillSolidRect);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_LT(rects[0].args[0], 0);
  EXPECT_GT(rects[0].args[0] + rects[0].args[2], 800);
  EXPECT_GT(rects[0].args[2], 0);
  EXPECT_GT(rects[0].args[3], 0);
}

TEST_F(Renderer, FilledPolygonFarOutsideIsClippedKeepingItsVisiblePart) {
  Look(1e-12);
  KCurve triangle = CurveThrough({{-1, -1}, {1, -1}, {0, 1}});
  triangle.closure = kFilled;
  renderer.DrawCurve(triangle, view, -255);
  auto fills = device.Of(KDeviceOp::FillPolygon);
  ASSERT_EQ(fills.size(), 1u);
  for (const KIntPoint& p : fills[0].points) {
    EXPECT_LE(std::abs(p.x), 4194304);
    EXPECT_LE(std::abs(p.y), 4194304);
  }
  EXPECT_GE(fills[0].points.size(), 3u);
}

TEST_F(Renderer, NothingIsDrawnThroughAnUnfittedView) {
  auto doc = DocumentFrom("Pline\n0,0\n10,0\n\nText 1,1 2 0 hello\n");
  view = KViewTransform();
  Draw(*doc);
  EXPECT_TRUE(device.calls.empty());
}

TEST_F(Renderer, ZeroSizedInsertsDrawNothingOfTheirBlock) {
  auto doc = DocumentFrom("New seg\nPline\n0,0\n1,0\n\nEndNew\nInsert seg 10,20\n");
  Draw(*doc);
  EXPECT_TRUE(device.Segments().empty()) << device.Dump();
}
