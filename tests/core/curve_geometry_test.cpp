// Polyline geometry: locating, lengths, bounds, nearest points, rectangles,
// reversing, and what copies and moves keep.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "model/document/kcurve.h"
#include "model/document/segment_length.h"
#include "tests/support/curve_builder.h"

namespace {

TEST(CurveGeometry, LocateRisingFallingAndOutOfRange) {
  const double rising[] = {0, 10, 20};
  EXPECT_EQ(Locate(5, 3, rising), 0);
  EXPECT_EQ(Locate(15, 3, rising), 1);
  EXPECT_EQ(Locate(10, 3, rising), 1);          // on an inner vertex: the later segment
  EXPECT_EQ(Locate(20, 3, rising), 1);          // the last value belongs to the last segment
  EXPECT_EQ(Locate(20 + 5e-11, 3, rising), 103);  // beyond is beyond, tolerance or not
  EXPECT_EQ(Locate(1e-11, 3, rising), 0);
  EXPECT_EQ(Locate(25, 3, rising), 103);
  EXPECT_EQ(Locate(-1, 3, rising), -100);

  const double falling[] = {20, 10, 0};
  EXPECT_EQ(Locate(5, 3, falling), 1);
  EXPECT_EQ(Locate(15, 3, falling), 0);
  EXPECT_EQ(Locate(-1, 3, falling), 103);
  EXPECT_EQ(Locate(21, 3, falling), -100);

  const double many[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  for (int k = 0; k < 9; ++k) EXPECT_EQ(Locate(k + 0.5, 10, many), k) << k;
}

TEST(CurveGeometry, InterpolateExtrapolatesAndHandlesEqualAbscissae) {
  const double a[] = {0, 10};
  const double b[] = {100, 200};
  EXPECT_DOUBLE_EQ(Interpolate(5, a, b), 150);
  EXPECT_DOUBLE_EQ(Interpolate(20, a, b), 300);
  EXPECT_DOUBLE_EQ(Interpolate(-10, a, b), 0);
  const double same[] = {3, 3};
  EXPECT_DOUBLE_EQ(Interpolate(7, same, b), 100);
}

// Values start zeroed, z included, at every size; spare slots come only
// with FillSpareSlots, which keeps the values already there.
TEST(CurveGeometry, AllocateGivesZeroedArraysAndSpareSlotsOnRequest) {
  for (int n : {1, 2, 3}) {
    KCurve c;
    c.Allocate(n);
    EXPECT_EQ(c.count, n);
    const KCurve& view = c;
    for (int i = 0; i < n; ++i)
      for (const double* a : {view.x(), view.y(), view.z(), view.s()}) EXPECT_EQ(a[i], 0.0) << n;
    EXPECT_EQ(c.y() - c.x(), n) << n;
    for (int i = 0; i < n; ++i) {
      c.x()[i] = 1 + i;
      c.z()[i] = 10 + i;
    }
    c.FillSpareSlots();
    EXPECT_EQ(c.y() - c.x(), n + 2) << n;
    EXPECT_EQ(c.x()[n - 1], n) << n;
    EXPECT_EQ(c.z()[n], 10) << n;
    EXPECT_EQ(c.x()[n + 1], n > 1 ? 2 : 1) << n;
  }
  KCurve c;
  c.Allocate(-4);
  EXPECT_EQ(c.count, 0);
}

TEST(CurveGeometry, LengthArcLengthAndBounds) {
  KCurve c = MakeCurve({{0, 0}, {3, 4}, {3, 10}});
  EXPECT_DOUBLE_EQ(c.Length(), 11);
  EXPECT_DOUBLE_EQ(c.s()[0], 0);
  EXPECT_DOUBLE_EQ(c.s()[1], 5);
  EXPECT_DOUBLE_EQ(c.s()[2], 11);

  double xmin = 1e300, ymin = 1e300, xmax = -1e300, ymax = -1e300;
  c.Bounds(xmin, ymin, xmax, ymax);
  EXPECT_EQ(xmin, 0);
  EXPECT_EQ(xmax, 3);
  EXPECT_EQ(ymin, 0);
  EXPECT_EQ(ymax, 10);
  // Bounds only widens what the caller passed.
  xmin = -5;
  ymax = 50;
  c.Bounds(xmin, ymin, xmax, ymax);
  EXPECT_EQ(xmin, -5);
  EXPECT_EQ(ymax, 50);
}

// The square-root path agrees with hypot to within an ulp in its range, and
// outside it (where squares would overflow or underflow) is hypot itself.
TEST(CurveGeometry, SegmentLengthAgreesWithHypot) {
  const double cases[][2] = {{3, 4}, {-0.1, 0.2}, {1e149, -1e149}, {2e-150, 3e-150}, {1e-200, 0}, {1e200, 1e200},
                             {0, 0}, {1e-300, 1e-300}, {1e160, 1}, {5, 1e-170}};
  for (const auto& c : cases) {
    const double exact = std::hypot(c[0], c[1]);
    const double got = SegmentLength(c[0], c[1]);
    if (SegmentFastRange(c[0], c[1]))
      EXPECT_LE(std::fabs(got - exact), std::nextafter(exact, HUGE_VAL) - exact) << c[0] << "," << c[1];
    else
      EXPECT_EQ(got, exact) << c[0] << "," << c[1];
  }
  // Far-apart vertices keep a finite length.
  EXPECT_TRUE(std::isfinite(MakeCurve({{-1e200, 0}, {1e200, 0}}).Length()));
}

TEST(CurveGeometry, NearestPointOnSegmentsAndBeyondTheEnds) {
  KCurve c = MakeCurve({{0, 0}, {10, 0}});
  double pos = 0;
  EXPECT_DOUBLE_EQ(c.NearestPoint(5, 1, pos), 1);
  EXPECT_DOUBLE_EQ(pos, 5);
  // Before the start: distance to the first point, position s[0] - s[last].
  EXPECT_DOUBLE_EQ(c.NearestPoint(-3, 0, pos), 3);
  EXPECT_DOUBLE_EQ(pos, -10);
  // After the end: distance to the last point, position twice s[last].
  EXPECT_DOUBLE_EQ(c.NearestPoint(12, 0, pos), 2);
  EXPECT_DOUBLE_EQ(pos, 20);

  // Off an inner vertex on the outside of the bend: that vertex's s.
  KCurve bend = MakeCurve({{0, 0}, {10, 0}, {10, 10}});
  EXPECT_NEAR(bend.NearestPoint(12, -2, pos), std::hypot(2.0, 2.0), 1e-12);
  EXPECT_DOUBLE_EQ(pos, 10);
}

TEST(CurveGeometry, NearestPointTiesKeepTheEarlierSegment) {
  // (5, 5) is 5 away from the first three sides of this open square.
  KCurve c = MakeCurve({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  double pos = -1;
  EXPECT_DOUBLE_EQ(c.NearestPoint(5, 5, pos), 5);
  EXPECT_DOUBLE_EQ(pos, 5);
}

TEST(CurveGeometry, NearestPointSkipsDegenerateSegmentsAndHandlesOnePoint) {
  KCurve c = MakeCurve({{0, 0}, {0, 0}, {10, 0}});
  double pos = -1;
  EXPECT_DOUBLE_EQ(c.NearestPoint(5, 1, pos), 1);
  EXPECT_DOUBLE_EQ(pos, 5);

  KCurve one;
  one.Allocate(1);
  one.x()[0] = 3;
  one.y()[0] = 4;
  one.s()[0] = 1.5;
  EXPECT_DOUBLE_EQ(one.NearestPoint(0, 0, pos), 5);
  EXPECT_DOUBLE_EQ(pos, 3);

  // An empty curve is nowhere near and leaves the position alone.
  KCurve none;
  pos = 42;
  EXPECT_GT(none.NearestPoint(0, 0, pos), 1e300);
  EXPECT_EQ(pos, 42);
}

TEST(CurveGeometry, NearestPointUsesTheCurvesOwnParameter) {
  KCurve c = MakeCurve({{0, 0}, {10, 0}});
  c.s()[0] = 100;
  c.s()[1] = 300;
  double pos = 0;
  c.NearestPoint(2.5, 0, pos);
  EXPECT_DOUBLE_EQ(pos, 150);
}

TEST(CurveGeometry, IntersectsRectCountsOnlyTheInside) {
  const auto test = [](const PointList& pts) {
    return MakeCurve(pts).IntersectsRect(0, 0, 10, 10);
  };
  EXPECT_EQ(test({{-1, 5}, {11, 5}}), 1);     // crosses x = 0 inside
  EXPECT_EQ(test({{5, -1}, {5, 11}}), 1);     // crosses y = 0 inside
  EXPECT_EQ(test({{-1, 0}, {11, 0}}), 0);     // runs along a border
  EXPECT_EQ(test({{-1, 1}, {1, -1}}), 0);     // touches the corner only
  EXPECT_EQ(test({{20, 20}, {30, 30}}), 0);   // well outside
  EXPECT_EQ(test({{5, 5}}), 1);               // one point inside
  EXPECT_EQ(test({{10, 5}, {20, 5}}), 0);     // starts on the border, goes out
  EXPECT_EQ(test({{-5, 20}, {20, -5}}), 1);   // cuts a corner region
  EXPECT_EQ(test({{-5, 12}, {12, -5}}), 1);
  // Through the inside, but entering and leaving at corners or ending on a
  // border, so no border is crossed strictly inside.
  EXPECT_EQ(test({{-5, 15}, {15, -5}}), 1);   // the diagonal (0, 10)-(10, 0)
  EXPECT_EQ(test({{0, 0}, {100, 100}}), 1);   // corner to corner and on
  EXPECT_EQ(test({{0, 5}, {10, 5}}), 1);      // from border to border
  EXPECT_EQ(test({{0, 10}, {10, 10}}), 0);    // along the top border
  EXPECT_EQ(test({{-5, 5}, {5, -5}}), 0);     // just touches the corner (0, 0)
}

TEST(CurveGeometry, ReverseSwapsAllArraysAndRefillsClosedSlots) {
  KCurve c = MakeCurve({{0, 0}, {1, 0}, {1, 2}, {5, 2}}, kClosed);
  for (int i = 0; i < 4; ++i) c.z()[i] = 10 + i;
  c.Reverse();
  EXPECT_EQ(c.x()[0], 5);
  EXPECT_EQ(c.y()[0], 2);
  EXPECT_EQ(c.x()[3], 0);
  EXPECT_EQ(c.z()[0], 13);
  EXPECT_EQ(c.z()[3], 10);
  // s is reversed, not recomputed: it now falls.
  EXPECT_DOUBLE_EQ(c.s()[0], 7);
  EXPECT_DOUBLE_EQ(c.s()[3], 0);
  // The spare slots repeat the new first two points.
  EXPECT_EQ(c.x()[4], 5);
  EXPECT_EQ(c.x()[5], 1);
  EXPECT_EQ(c.z()[5], 12);

  // Odd count keeps the middle; an open curve gets no spare slots.
  KCurve open = MakeCurve({{0, 0}, {1, 1}, {2, 0}});
  open.Reverse();
  EXPECT_EQ(open.x()[0], 2);
  EXPECT_EQ(open.x()[1], 1);
  EXPECT_EQ(open.x()[2], 0);
  EXPECT_EQ(open.y() - open.x(), 3);
}

// Every field and the whole block, spare slots included, survive a copy
// or a move; a copy is independent of its source.
TEST(CurveGeometry, CopyAndMoveKeepEveryField) {
  KCurve src = MakeCurve({{0, 0}, {4, 0}, {4, 3}}, kClosed, "FAULT A");
  src.SetWidth(2.5);
  src.SetCode(7);
  src.dimension = 4;
  for (int i = 0; i < 5; ++i) src.z()[i] = 10 + i;
  // x, y, z and s in turn, spare slots included.
  const auto values = [](const KCurve& c) {
    std::vector<double> v;
    for (const double* a : {c.x(), c.y(), c.z(), c.s()}) v.insert(v.end(), a, a + c.count + 2);
    return v;
  };
  const auto expectSame = [&](const KCurve& c, const char* how) {
    EXPECT_EQ(c.count, 3) << how;
    EXPECT_EQ(c.closure, kClosed) << how;
    EXPECT_EQ(c.dimension, 4) << how;
    EXPECT_EQ(c.code(), 7) << how;
    EXPECT_EQ(c.name(), "FAULT A") << how;
    EXPECT_EQ(c.width(), 2.5) << how;
    EXPECT_EQ(values(c), values(src)) << how;
  };
  KCurve copied(src);
  expectSame(copied, "copy constructed");
  KCurve assigned = MakeCurve({{9, 9}, {8, 8}});
  assigned = src;
  expectSame(assigned, "copy assigned");
  KCurve moved(std::move(copied));
  expectSame(moved, "move constructed");
  KCurve moveAssigned;
  moveAssigned = std::move(assigned);
  expectSame(moveAssigned, "move assigned");
  moved.x()[0] = 100;
  EXPECT_EQ(src.x()[0], 0);
}

TEST(CurveGeometry, CopyFromTakesPointsClosureNameButNotWidthOrCode) {
  KCurve src = MakeCurve({{0, 0}, {4, 0}, {4, 3}}, kFilled, "FAULT A");
  src.SetWidth(2.5);
  src.SetCode(7);
  src.dimension = 3;
  KCurve dst = MakeCurve({{9, 9}, {8, 8}, {7, 7}, {6, 6}, {5, 5}});
  dst.SetWidth(1);
  dst.SetCode(3);
  dst.CopyFrom(src);
  EXPECT_EQ(dst.count, 3);
  EXPECT_EQ(dst.closure, kFilled);
  EXPECT_EQ(dst.dimension, 3);
  EXPECT_EQ(dst.name(), "FAULT A");
  EXPECT_EQ(dst.width(), 1);
  EXPECT_EQ(dst.code(), 3);
  EXPECT_EQ(dst.x()[2], 4);
  EXPECT_EQ(dst.y()[2], 3);
  EXPECT_DOUBLE_EQ(dst.s()[2], 7);
  // Both spare slots survive the copy, so the copy stays closed.
  EXPECT_EQ(dst.x()[3], 0);
  EXPECT_EQ(dst.x()[4], 4);
  EXPECT_EQ(dst.y()[4], 0);
  // Copies are independent of their source.
  src.x()[0] = 100;
  EXPECT_EQ(dst.x()[0], 0);
  dst.CopyFrom(dst);
  EXPECT_EQ(dst.count, 3);
}

}  // namespace
