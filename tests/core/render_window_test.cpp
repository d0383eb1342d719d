// Painting a window, fitting on the first paint, rectangle deletion and the
// status text.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "model/document/elements.h"
#include "model/document/kcurve.h"
#include "model/document/kentry.h"
#include "model/grid/kxyz_list.h"
#include "platform/device/recording_device.h"
#include "window/editor/quarvel_window.h"

TEST(WindowDraw, EmptyDocumentDrawsNothingAndStaysUnfitted) {
  QuarvelWindow window;
  KRecordingDevice device(800, 400);
  window.OnDraw(&device);
  EXPECT_FALSE(window.ViewPart().Fitted());
  EXPECT_TRUE(device.calls.empty());
}

TEST(WindowDraw, FirstPaintFitsTheExtentLaterPaintsKeepTheView) {
  QuarvelWindow window;
  window.OnOpenDocumentMem("Pline\n0,0\n100,50\n\n");
  KRecordingDevice device(800, 400);
  window.OnDraw(&device);
  EXPECT_TRUE(window.ViewPart().Fitted());
  EXPECT_DOUBLE_EQ(window.view.scaleX, 0.125);
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_EQ(segments[0].from, (KIntPoint{0, 400}));
  EXPECT_EQ(segments[0].to, (KIntPoint{800, 0}));

  // A later open widens the extent but not the view, until Extend.
  window.OnOpenDocumentMem("Pline\n0,0\n200,100\n\n");
  KRecordingDevice second(800, 400);
  window.OnDraw(&second);
  EXPECT_DOUBLE_EQ(window.view.scaleX, 0.125);
  window.Extend();
  EXPECT_DOUBLE_EQ(window.view.scaleX, 0.25);
}

TEST(WindowDraw, PaintCopiesLinesEvenAfterAnInvertingRubberBand) {
  QuarvelWindow window;
  window.OnOpenDocumentMem("Pline\n0,0\n100,50\n\n");
  KRecordingDevice device(800, 400);
  window.OnDraw(&device);
  device.SetRop2(kRop2Not);   // as the rubber band leaves it
  device.Clear();
  window.OnDraw(&device);
  EXPECT_EQ(device.rop(), kRop2CopyPen);
  ASSERT_FALSE(device.calls.empty());
  EXPECT_EQ(device.calls[0].op, KDeviceOp::SetRop2);   // before any line
  EXPECT_EQ(device.Segments().size(), 1u);
}

TEST(WindowDraw, NothingDrawableKeepsTheSentinelsWithoutFailing) {
  QuarvelWindow window;
  window.OnOpenDocumentMem("Text 1,1 2 0 hello\n");
  ASSERT_EQ(window.entries.size(), 1u);
  KRecordingDevice device(800, 400);
  window.OnDraw(&device);          // fit refused: unfitted view draws nothing
  EXPECT_EQ(window.view.scaleX, 0.0);
  EXPECT_TRUE(device.Of(KDeviceOp::TextOut).empty());
  // Once something can be fitted, the next paint fits it.
  window.OnOpenDocumentMem("Pline\n0,0\n100,50\n\n");
  window.OnDraw(&device);
  EXPECT_DOUBLE_EQ(window.view.scaleX, 0.125);
}

TEST(WindowDraw, TwoWindowsDrawAtTheSameTimeAsTheyWouldOneAfterTheOther) {
  // Both drawings name a block "mark", each with its own figure, and use it
  // for insertions and point marks; the second also has a step chart. Any
  // state the two paints shared would put one window's figures into the
  // other's picture or its numbers out of step.
  QuarvelWindow windows[2];
  const char* figures[2] = {"Pline\n0,0\n1,0\n\n", "Pline\n0,0\n0,1\n1,1\n\n"};
  for (int w = 0; w < 2; ++w) {
    std::string text = std::string("New mark\n") + figures[w] + "EndNew\n" +
                       "TextProperties\nMark 1 1 0 mark\nText 2 0.8 0 1 -1\n\n"
                       "CurveEmbellish\nArrowHead\n0.5 -255\n\nPline\n0,0\n100,50\n\n";
    for (int i = 0; i < 100; ++i) {
      const std::string at = std::to_string(i % 10 * 10 + w) + "," + std::to_string(i / 10 * 5);
      text += "Point " + at + " P" + std::to_string(i) + "\nInsert mark " + at + " 2 2 " + std::to_string(i) + "\n";
    }
    windows[w].OnOpenDocumentMem(text);
  }
  auto steps = std::make_unique<KStepList>();
  for (int k = 0; k < 30; ++k) steps->steps.push_back({k % 3, true, false, false, "run " + std::to_string(k), "", ""});
  windows[1].AddEntry(kKindStepList, std::move(steps));

  // One after the other: the first paint fits, the second is the reference.
  std::vector<KDeviceCall> reference[2];
  for (int w = 0; w < 2; ++w) {
    KRecordingDevice first(800, 400), second(800, 400);
    windows[w].OnDraw(&first);
    windows[w].OnDraw(&second);
    reference[w] = second.calls;
  }
  ASSERT_GT(reference[0].size(), 1000u);
  ASSERT_NE(reference[0], reference[1]);

  // At the same time, many paints each, started together.
  int mismatches[2] = {0, 0};
  std::atomic<int> ready{0};
  auto paint = [&](int w) {
    ++ready;
    while (ready < 2) std::this_thread::yield();
    for (int n = 0; n < 100; ++n) {
      KRecordingDevice device(800, 400);
      windows[w].OnDraw(&device);
      if (device.calls != reference[w]) ++mismatches[w];
    }
  };
  std::thread other(paint, 1);
  paint(0);
  other.join();
  EXPECT_EQ(mismatches[0], 0);
  EXPECT_EQ(mismatches[1], 0);
}

TEST(WindowDraw, DeleteInRectRemovesCrossingPolylinesAndPointsOnTheBorder) {
  QuarvelWindow window;
  window.OnOpenDocumentMem(
      "Pline\n-1,5\n11,5\n\n"          // crosses x = 0: removed
      "Pline\n-1,0\n11,0\n\n"          // runs along y = 0: kept
      "Pline\n0,0\n0,20\n\n"           // vertex on the corner only: kept
      "XYZ\n10,10,1\n5,5,2\n20,20,3\n\n"
      "Layer M locked\nLayer ViewNotEdit\nPline\n2,2\n3,3\n\n");
  ASSERT_EQ(window.entries.size(), 5u);
  EXPECT_EQ(window.DeleteInRect(0, 0, 10, 10), 3);   // one polyline, two points
  ASSERT_EQ(window.entries.size(), 4u);
  const KXyzList* list = window.entries[2]->As<KXyzList>();
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->size(), 1u);
  EXPECT_EQ(list->At(0).z, 3);
}

TEST(WindowDraw, DeleteUsesTheRubberBandCornersInEitherOrder) {
  QuarvelWindow window;
  window.OnOpenDocumentMem("Pline\n0,0\n100,50\n\nXYZ\n50,25,1\n90,5,2\n\n");
  KRecordingDevice device(800, 400);
  window.OnDraw(&device);
  window.rubberBand[0] = {700, 380};   // world (87.5, 2.5)
  window.rubberBand[1] = {760, 320};   // world (95, 10)
  window.Delete();
  const KXyzList* list = window.entries[1]->As<KXyzList>();
  ASSERT_EQ(list->size(), 1u);
  EXPECT_EQ(list->At(0).x, 50);
  EXPECT_EQ(window.entries.size(), 2u);  // the diagonal misses that corner
}

TEST(WindowDraw, RemarkShowsWorldCoordinatesOrTheCurveHint) {
  QuarvelWindow window;
  window.OnOpenDocumentMem("Pline\n0,0\n100,50\n\n");
  KRecordingDevice device(800, 400);
  window.OnDraw(&device);
  EXPECT_EQ(window.GetRemark({8, 392}), "1.000000,1.000000");
  window.viewState = 32805;
  EXPECT_EQ(window.GetRemark({8, 392}), "Drawing curve,Click point,one by one");
  window.viewState = 32806;
  EXPECT_EQ(window.GetRemark({8, 392}), "Drawing curve,Click point,one by one,then modify curve");
  window.viewState = 0;
  window.view.left = -1e300;
  EXPECT_EQ(window.GetRemark({0, 400}).substr(0, 3), "-10");  // long numbers are not cut short
  EXPECT_GT(window.GetRemark({0, 400}).size(), 300u);
}
