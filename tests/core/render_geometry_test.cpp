// Spline weights, position along curves, segments and arrow triangles.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/document/kcurve.h"
#include "render/drawing/arrow.h"
#include "render/drawing/device_clip.h"
#include "model/document/ksegment.h"
#include "model/document/spline.h"
#include "tests/support/recording_fixture.h"

namespace {
class Arrow : public KRecordingTest {};
}  // namespace

TEST(Spline, WeightsSumToOneAndDerivativesToZero) {
  for (double t : {0.0, 0.25, 0.5, 0.9, 1.0}) {
    double w[4], d[4];
    BasisValues(t, w);
    BasisDerivatives(t, d);
    EXPECT_NEAR(w[0] + w[1] + w[2] + w[3], 1.0, 1e-15) << t;
    EXPECT_NEAR(d[0] + d[1] + d[2] + d[3], 0.0, 1e-15) << t;
  }
  double w[4], d[4];
  BasisValues(0, w);
  EXPECT_DOUBLE_EQ(w[0], 1.0 / 6);
  EXPECT_DOUBLE_EQ(w[1], 2.0 / 3);
  EXPECT_DOUBLE_EQ(w[2], 1.0 / 6);
  EXPECT_DOUBLE_EQ(w[3], 0);
  BasisDerivatives(0, d);  // K(1), K(0) = 0, K(-1), K(-2)
  EXPECT_DOUBLE_EQ(d[0], -0.5);
  EXPECT_DOUBLE_EQ(d[1], 0);
  EXPECT_DOUBLE_EQ(d[2], 0.5);
  EXPECT_DOUBLE_EQ(d[3], 0);
  const double a[] = {1, 2, 3}, b[] = {4, 5, 6};
  EXPECT_DOUBLE_EQ(Dot(3, a, b), 32);
  EXPECT_DOUBLE_EQ(Dot(0, a, b), 0);
}

TEST(Spline, StraightAndOpenSplineOnAnEvenLineStayOnTheLine) {
  KCurve line = CurveThrough({{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}});
  for (int kind : {kOpen, kSplineOpen}) {
    for (double v : {0.5, 1.7, 3.0, 4.2}) {
      double x = -1, y = -1, angle = -1;
      ASSERT_EQ(PointAt(line, v, kind, x, y, angle), 0) << kind << ' ' << v;
      EXPECT_NEAR(x, y, 1e-12);
      EXPECT_NEAR(angle, M_PI / 4, 1e-12);
    }
  }
  // Straight: exactly the interpolated point.
  double x, y, angle;
  ASSERT_EQ(PointAt(line, std::sqrt(2.0) * 1.5, kOpen, x, y, angle), 0);
  EXPECT_NEAR(x, 1.5, 1e-12);
  // Off the curve.
  EXPECT_EQ(PointAt(line, -0.1, kOpen, x, y, angle), 1);
  EXPECT_EQ(PointAt(line, 100, kSplineOpen, x, y, angle), 1);
  KCurve one = CurveThrough({{1, 1}});
  EXPECT_EQ(PointAt(one, 0, kOpen, x, y, angle), 1);
}

TEST(Spline, ClosedSplineAtAVertexIsTheBSplinePointOfItsNeighbours) {
  // A square: at vertex 1 (t = 0 on segment 1) the point is
  // (P0 + 4 P1 + P2) / 6 and the direction is along P2 - P0.
  KCurve square = CurveThrough({{0, 0}, {6, 0}, {6, 6}, {0, 6}}, kSplineClosed);
  double x, y, angle;
  ASSERT_EQ(PointAt(square, 6, kSplineClosed, x, y, angle), 0);
  EXPECT_NEAR(x, (0 + 24 + 6) / 6.0, 1e-12);
  EXPECT_NEAR(y, (0 + 0 + 6) / 6.0, 1e-12);
  EXPECT_NEAR(angle, std::atan2(6, 6), 1e-12);
  // At the start the last point closes the ring.
  ASSERT_EQ(PointAt(square, 0, kSplineClosed, x, y, angle), 0);
  EXPECT_NEAR(x, (0 + 0 + 6) / 6.0, 1e-12);
  EXPECT_NEAR(y, (6 + 0 + 0) / 6.0, 1e-12);
  // Two-point closed curve: control points wrap without leaving the arrays.
  KCurve two = CurveThrough({{0, 0}, {2, 0}}, kSplineClosed);
  ASSERT_EQ(PointAt(two, 1, kSplineFilled, x, y, angle), 0);
  EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
}

TEST(Segment, ProjectionAndPoints) {
  KSegment s;
  EXPECT_EQ(s.Set(1, 1, 1, 1), 0);
  EXPECT_EQ(s.Set(0, 0, 10, 0), 1);
  EXPECT_DOUBLE_EQ(s.Project(5, 3), 0.5);
  EXPECT_DOUBLE_EQ(s.PointX(0.5), 5);
  EXPECT_DOUBLE_EQ(s.PointY(0.5), 0);
  EXPECT_EQ(s.Set(2, 2, 2, 2), 0);          // degenerate: origin unchanged
  EXPECT_DOUBLE_EQ(s.PointX(0), 0);
}

TEST_F(Arrow, TriangleAtTheEndPointsAwayFromTheCurve) {
  KCurve line = CurveThrough({{0, 0}, {10, 0}});
  double x[3], y[3];
  ASSERT_TRUE(ArrowTriangleCorners(line, false, 2, x, y));
  EXPECT_DOUBLE_EQ(x[0], 13);
  EXPECT_DOUBLE_EQ(y[0], 0);
  EXPECT_DOUBLE_EQ(x[1], 10);
  EXPECT_DOUBLE_EQ(y[1], -1);
  EXPECT_DOUBLE_EQ(x[2], 10);
  EXPECT_DOUBLE_EQ(y[2], 1);
  ASSERT_TRUE(ArrowTriangleCorners(line, true, 2, x, y));
  EXPECT_DOUBLE_EQ(x[0], -3);

  // Repeated end points are skipped; a curve of one place draws nothing.
  KCurve repeated = CurveThrough({{0, 0}, {0, 5}, {0, 5}, {0, 5}});
  ASSERT_TRUE(ArrowTriangleCorners(repeated, false, 2, x, y));
  EXPECT_DOUBLE_EQ(y[0], 8);
  KCurve still = CurveThrough({{3, 3}, {3, 3}});
  EXPECT_FALSE(ArrowTriangleCorners(still, true, 2, x, y));

  Look(1);
  ArrowTriangle(line, view, false, 2, -255, renderer);
  auto fills = device.Of(KDeviceOp::FillPolygon);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].points, (std::vector<KIntPoint>{{13, 400}, {10, 401}, {10, 399}}));
  EXPECT_EQ(fills[0].args[0], 0x0000FF);
}

// Segments and polygons whose ends lie 1e15 to 1e30 pixels away on either
// side: what is clipped lies inside the box, so it converts to int safely.
TEST(DeviceClip, FarEndsClipIntoTheBox) {
  const KDeviceBox box{-4194304, -4194304, 4194304, 4194304};
  int clipped = 0;
  for (double far = 1e15; far <= 1e30; far *= 7.3)
    for (int k = 0; k < 40; ++k) {
      const double angle = 0.07 + k * 0.157;
      KDoublePoint a{-far * std::cos(angle) + 1234.5, -far * std::sin(angle) - 777.25};
      KDoublePoint b{far * std::cos(angle) + 555.5, far * std::sin(angle) - 321.25};
      const std::vector<KDoublePoint> polygon = ClipPolygon({a, b, {far, -far}}, box);
      for (const KDoublePoint& p : polygon) EXPECT_TRUE(std::fabs(p.x) <= 4194304 && std::fabs(p.y) <= 4194304);
      if (!ClipSegment(a, b, box)) continue;
      ++clipped;
      for (const KDoublePoint& p : {a, b})
        EXPECT_TRUE(std::fabs(p.x) <= 4194304 && std::fabs(p.y) <= 4194304) << far << " " << p.x << " " << p.y;
    }
  EXPECT_GT(clipped, 100);
}

// A segment from far left to well past the right edge: the parameters of
// both edges round to 1, so the ends must be held in the box all the same.
TEST(DeviceClip, EndWhoseParameterRoundsToOneIsHeldInTheBox) {
  const KDeviceBox box{-4194304, -4194304, 4194304, 4194304};
  KDoublePoint a{-6.2092534906226537e+25, -650651.76512834406}, b{456671688.18189609, -2001776.6126663242};
  ASSERT_TRUE(ClipSegment(a, b, box));
  for (const KDoublePoint& p : {a, b}) EXPECT_LE(std::fabs(p.x), 4194304);
}
