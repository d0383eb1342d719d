// Painting a window, fitting on the first paint, rectangle deletion and the
// status text.
#include <gtest/gtest.h>

#include "document/kcurve.h"
#include "document/kentry.h"
#include "grid/kxyz_list.h"
#include "platform/recording_device.h"
#include "window/quarvel_window.h"

TEST(WindowDraw, EmptyDocumentDrawsNothingAndKeepsNoDevice) {
  QuarvelWindow window;
  KRecordingDevice device(800, 400);
  window.OnDraw(&device);
  EXPECT_EQ(window.view.device, nullptr);
  EXPECT_TRUE(device.calls.empty());
}

TEST(WindowDraw, FirstPaintFitsTheExtentLaterPaintsKeepTheView) {
  QuarvelWindow window;
  window.OnOpenDocumentMem("Pline\n0,0\n100,50\n\n");
  KRecordingDevice device(800, 400);
  window.OnDraw(&device);
  EXPECT_EQ(window.view.device, &device);
  EXPECT_DOUBLE_EQ(window.view.scaleX, 0.125);
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_EQ(segments[0].from, (KIntPoint{0, 400}));
  EXPECT_EQ(segments[0].to, (KIntPoint{800, 0}));

  // A later open widens the extent but not the view, until Extend.
  window.OnOpenDocumentMem("Pline\n0,0\n200,100\n\n");
  KRecordingDevice second(800, 400);
  window.OnDraw(&second);
  EXPECT_EQ(window.view.device, &second);
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
  ASSERT_EQ(list->points.size(), 1u);
  EXPECT_EQ(list->points[0].z, 3);
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
  ASSERT_EQ(list->points.size(), 1u);
  EXPECT_EQ(list->points[0].x, 50);
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
