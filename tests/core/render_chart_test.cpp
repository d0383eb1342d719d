// The step chart, x, y, z lists, curve-array groups, raster placement and
// the logo, on a recording device.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/curves/kcurve_array.h"
#include "model/document/elements.h"
#include "model/document/kentry.h"
#include "model/grid/kxyz_list.h"
#include "render/drawing/xyz_draw.h"
#include "render/drawing/krenderer.h"
#include "render/drawing/raster_draw.h"
#include "tests/support/recording_fixture.h"

namespace {

class StepChart : public KRecordingTest {};
class XyzDraw : public KRecordingTest {};
class CurveArrayDraw : public KRecordingTest {};
class RasterDraw : public KRecordingTest {};
class LogoDraw : public KRecordingTest {};

KStep Command(const std::string& command, int runs) {
  KStep s;
  s.hasCommand = true;
  s.command = command;
  s.runCount = runs;
  return s;
}

KStep Remark(const std::string& remark) {
  KStep s;
  s.hasRemark = true;
  s.remark = remark;
  return s;
}

}  // namespace

TEST_F(StepChart, ColoursNumberingAndGbkHeader) {
  KStepList list;
  list.steps.push_back(Command("run a", 1));
  list.steps.push_back(Remark("Section"));
  list.steps.push_back(Command("run b", 0));
  list.steps.push_back(KStep{});          // nothing at all
  list.steps.push_back(Remark(""));
  KStep commented = Command("run c", 2);
  commented.hasComment = true;
  commented.comment = "third";
  list.steps.push_back(commented);

  Look(0.125, -8, -16);
  const int numbered = renderer.DrawStepList(list, view);

  std::vector<int> colours;
  for (const auto& c : device.Of(KDeviceOp::FillSolidRect)) colours.push_back(c.args[4]);
  EXPECT_EQ(colours, (std::vector<int>{
                         0xFF0000, 0xFF0000, 0xFF0000,        // header
                         0x5A0096, 0x5A0096, 0x0000FF,        // run a: runs, red
                         0x5A0096, 0x5A0096, 0x5A0096,        // remark
                         0x5A0096, 0x5A0096, 0x9B0000,        // run b: no runs
                         0x5A0096, 0x5A0096, 0x00FFFF,        // empty step
                         0x5A0096, 0x5A0096, 0x7D00FF,        // empty remark
                         0x5A0096, 0x5A0096, 0x0000FF}));     // commented
  std::vector<std::string> texts;
  for (const auto& c : device.Of(KDeviceOp::TextOut)) texts.push_back(c.text);
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "\xD0\xF2\xBA\xC5", "\xB4\xCE\xCA\xFD", "\x20\xD2\xC0\xB4\xCE\xD6\xB4\xD0\xD0",
                       "run a", "  1", "  1",
                       "Section",
                       "run b", "  2", "  0",
                       "third", "  3", "  2"}));
  EXPECT_EQ(numbered, 3);

  // Geometry: the header's sequence bar (-4, 1, 1.9, 0.9) and the first
  // row's text at (0.1, 0), 0.6 high (font cell 7 px) in yellow.
  auto rects = device.Of(KDeviceOp::FillSolidRect);
  EXPECT_EQ(rects[2].args, (std::vector<int>{32, 256, 15, 8, 0xFF0000}));
  auto outs = device.Of(KDeviceOp::TextOut);
  EXPECT_EQ(outs[3].args, (std::vector<int>{64, 272}));
  EXPECT_EQ(outs[3].font.height, 7);
  EXPECT_EQ(outs[3].font.width, 2);
  EXPECT_EQ(outs[3].font.weight, 400);
  EXPECT_EQ(outs[4].args, (std::vector<int>{36, 272}));  // "%3d" of the counter at -3.5
  EXPECT_EQ(device.textColor(), 0x00FFFFu);
}

TEST_F(XyzDraw, CrossesLabelsAndPixelsByScale) {
  KXyzList list;
  list.Add({10, 10, 1234.6, 1, 0});
  list.Add({5000, 10, 7, 1, 0});  // outside the window at every scale below
  KTextProperties own;
  own.markHeight = 2;

  Look(0.25);  // 2 units = 8 px: cross and label
  DrawXyzList(list, view, &own, renderer);
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 2u) << device.Dump();
  EXPECT_EQ(segments[0].from, (KIntPoint{32, 360}));
  EXPECT_EQ(segments[0].to, (KIntPoint{48, 360}));
  EXPECT_EQ(segments[1].from, (KIntPoint{40, 368}));
  EXPECT_EQ(segments[1].to, (KIntPoint{40, 352}));
  auto texts = device.Of(KDeviceOp::TextOut);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "1235");
  EXPECT_EQ(texts[0].font.height, 12);
  EXPECT_EQ(device.textColor(), 0u);

  device.Clear();
  Look(1.0);  // 2 units = 2 px: cross, no label
  DrawXyzList(list, view, &own, renderer);
  EXPECT_EQ(device.Segments().size(), 2u);
  EXPECT_TRUE(device.Of(KDeviceOp::TextOut).empty());

  device.Clear();
  Look(4.0);  // below a pixel: a black pixel
  DrawXyzList(list, view, &own, renderer);
  auto pixels = device.Of(KDeviceOp::SetPixel);
  ASSERT_EQ(pixels.size(), 1u);
  EXPECT_EQ(pixels[0].args, (std::vector<int>{2, 397, 0}));
  EXPECT_TRUE(device.Segments().empty());

  device.Clear();
  DrawXyzList(list, view, nullptr, renderer);  // no own properties
  EXPECT_TRUE(device.calls.empty());
}

TEST_F(XyzDraw, CrowdedLabelsKeepOneACellSoTheirCostIsBoundedByTheDevice) {
  // 10,000 points in a 4 x 4 unit square; labels 8 px tall, 32 x 32 px in all.
  KXyzList list;
  for (int k = 0; k < 10000; ++k) list.Add({10 + (k % 100) * 0.04, 10 + (k / 100) * 0.04, 1.0 * k, 1, 0});
  list.Add({50, 50, 7, 1, 0});   // alone: always labelled
  KTextProperties own;
  own.markHeight = 2;
  Look(0.25);
  DrawXyzList(list, view, &own, renderer);
  const auto texts = device.Of(KDeviceOp::TextOut);
  EXPECT_EQ(device.Segments().size(), 2u * list.size());   // every cross
  EXPECT_LE(texts.size(), 5u * 5u + 1);
  EXPECT_EQ(texts.front().text, "0");   // the first in a cell wins
  EXPECT_EQ(texts.back().text, "7");
}

TEST_F(XyzDraw, EntryUsesItsOwnTextPropertiesNotTheLayers) {
  auto doc = DocumentFrom("XYZ\n10,10,5\n\n");
  ASSERT_EQ(doc->entries.size(), 1u);
  KEntry& entry = *doc->entries[0];
  entry.layer->SetTextProperties(entry.TextProperties());
  entry.SetTextProperties(nullptr);
  Look(0.25);
  Draw(*doc);
  EXPECT_TRUE(device.Segments().empty());
}

TEST_F(CurveArrayDraw, GroupCurvesAreDrawnSmallAndTurnedAtTheirPoints) {
  auto group = std::make_shared<KCurveGroup>();
  group->Allocate(1);
  group->x()[0] = 40;
  group->y()[0] = 20;
  auto curve = std::make_unique<KCurve>();
  curve->Allocate(2);
  curve->x()[1] = 20;  // (0,0)-(20,0): one world unit at scale 0.05
  curve->ArcLength();
  group->curves.push_back(std::move(curve));
  auto array = std::make_unique<KCurveArray>();
  array->elements.push_back(group);

  KOnes doc;
  doc.currentColour = -0x00FF00;
  doc.AddEntry(kKindCurveArray, std::move(array));
  Draw(doc);
  auto segments = device.Segments();
  // The group's own polyline has one point: a move, no line. The curve
  // turned by -90 degrees runs from (40, 20) down to (40, 19).
  ASSERT_EQ(segments.size(), 1u) << device.Dump();
  EXPECT_EQ(segments[0].from, (KIntPoint{320, 240}));
  EXPECT_EQ(segments[0].to, (KIntPoint{320, 248}));
  EXPECT_EQ(segments[0].colour, 0x010101u);
  auto pens = device.Of(KDeviceOp::SelectPen);
  ASSERT_EQ(pens.size(), 2u);
  EXPECT_EQ(pens[0].args[2], 0x00FF00);  // the group polyline in the entry's colour
}

TEST_F(RasterDraw, BitmapLandsAtItsTruncatedDeviceRectangle) {
  KBmpIn bmp;
  bmp.width = 100;
  bmp.height = 50;
  bmp.image.width = 4;
  bmp.image.height = 2;
  bmp.image.pixels = std::vector<std::uint32_t>(8, 0xFF00FF00u);
  Look(0.5);
  DrawRaster(bmp, view, device);
  auto images = device.Of(KDeviceOp::DrawImage);
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].args, (std::vector<int>{0, 300, 200, 100}));
  EXPECT_EQ(images[0].source, (std::vector<double>{0, 0, 4, 2}));

  // An empty image (a file that did not load) draws nothing.
  device.Clear();
  KBmpIn missing;
  missing.width = missing.height = 10;
  DrawRaster(missing, view, device);
  EXPECT_TRUE(device.calls.empty());
}

TEST_F(RasterDraw, DeepZoomDrawsOnlyTheSourcePartNearTheWindow) {
  KBmpIn bmp;
  bmp.width = 100;
  bmp.height = 100;
  bmp.image.width = bmp.image.height = 100;
  bmp.image.pixels = std::vector<std::uint32_t>(100 * 100, 0xFFFFFFFFu);
  Look(1e-6, 50, 50);  // inside the picture's middle
  DrawRaster(bmp, view, device);
  auto images = device.Of(KDeviceOp::DrawImage);
  ASSERT_EQ(images.size(), 1u);
  const auto& a = images[0].args;
  EXPECT_LE(a[0], 0);
  EXPECT_GE(a[0] + a[2], 800);
  EXPECT_LE(a[1], 0);
  EXPECT_GE(a[1] + a[3], 400);
  EXPECT_LE(std::abs(a[0]), 4194304);
  // The source window is a sliver around the picture's middle.
  EXPECT_GT(images[0].source[0], 40);
  EXPECT_LT(images[0].source[0] + images[0].source[2], 60);
}

TEST_F(LogoDraw, PlacementScalesAndDrop) {
  KLogo logo;
  logo.x = 1;
  logo.y = 1;
  logo.width = logo.height = 1.0;
  Look(0.01);
  KEmblemPlacement p = LogoPlacement(logo, view);
  EXPECT_DOUBLE_EQ(p.scaleX, 32);
  EXPECT_DOUBLE_EQ(p.scaleY, 32);
  EXPECT_EQ(p.centreX, 100);
  EXPECT_EQ(p.centreY, 300 + 6);

  // The emblem is drawn at that placement: every spoke starts at the
  // centre, and the panel spans 1.5 scales either side of it.
  DrawLogo(logo, view, device);
  const auto moves = device.Of(KDeviceOp::MoveTo);
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(moves[0].args, (std::vector<int>{100, 306}));
  const auto panel = device.Of(KDeviceOp::FillSolidRect);
  ASSERT_EQ(panel.size(), 1u);
  EXPECT_EQ(panel[0].args[0], 100 - 48);
  EXPECT_EQ(panel[0].args[2], 96);
}
