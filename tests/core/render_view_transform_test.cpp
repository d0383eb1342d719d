// The world <-> device mapping: fitting, rounding, navigation, composition
// and the guards against degenerate input.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "platform/device/recording_device.h"
#include "render/view/kview_transform.h"
#include "render/drawing/pen_path.h"

namespace {

constexpr KIntSize kWide{800, 400};

KViewTransform Fitted(KIntSize client, double xmin, double ymin, double xmax, double ymax) {
  KViewTransform view;
  EXPECT_TRUE(view.Fit(client, xmin, ymin, xmax, ymax));
  return view;
}

void ExpectSameView(const KViewTransform& a, const KViewTransform& b) {
  EXPECT_DOUBLE_EQ(a.scaleX, b.scaleX);
  EXPECT_DOUBLE_EQ(a.scaleY, b.scaleY);
  EXPECT_DOUBLE_EQ(a.left, b.left);
  EXPECT_DOUBLE_EQ(a.bottom, b.bottom);
  EXPECT_DOUBLE_EQ(a.right, b.right);
  EXPECT_DOUBLE_EQ(a.top, b.top);
  EXPECT_DOUBLE_EQ(a.width, b.width);
  EXPECT_DOUBLE_EQ(a.height, b.height);
}

}  // namespace

TEST(ViewTransform, InitialStateIsUnfittedAndUnrotated) {
  KViewTransform view;
  EXPECT_EQ(view.angle, 10000000.0);
  EXPECT_EQ(view.cosA, 1.0);
  EXPECT_EQ(view.sinA, 0.0);
  EXPECT_EQ(view.scaleX, 0.0);
  EXPECT_EQ(view.zoomFactor, 1.5);
  EXPECT_FALSE(view.CanMap());
}

TEST(ViewTransform, FitAnchorsBottomLeftWithTheLargerScale) {
  KViewTransform a = Fitted(kWide, 10, 20, 110, 70);
  EXPECT_DOUBLE_EQ(a.scaleX, 0.125);
  EXPECT_DOUBLE_EQ(a.scaleY, 0.125);
  EXPECT_DOUBLE_EQ(a.left, 10);
  EXPECT_DOUBLE_EQ(a.bottom, 20);
  EXPECT_DOUBLE_EQ(a.right, 110);
  EXPECT_DOUBLE_EQ(a.top, 70);

  KViewTransform b = Fitted({800, 800}, 10, 20, 110, 70);
  EXPECT_DOUBLE_EQ(b.scaleX, 0.125);
  EXPECT_DOUBLE_EQ(b.top, 120);  // spare room above: the drawing fills the lower half
  EXPECT_EQ(b.ToDeviceY(70), 400);
  EXPECT_EQ(b.ToDeviceY(20), 800);
  EXPECT_EQ(b.ToDeviceX(110), 800);
}

TEST(ViewTransform, DegenerateFitsLeaveTheViewAsItWas) {
  KViewTransform view = Fitted(kWide, 0, 0, 100, 50);
  const KViewTransform before = view;
  EXPECT_FALSE(view.Fit(kWide, 1e300, 1e300, -1e300, -1e300));  // empty extent sentinels
  ExpectSameView(view, before);
  EXPECT_FALSE(view.Fit(kWide, 5, 5, 5, 5));                      // zero width and height
  ExpectSameView(view, before);
  EXPECT_FALSE(view.Fit(kWide, 0, 0, NAN, 10));
  ExpectSameView(view, before);
  EXPECT_FALSE(view.Fit({0, 0}, 0, 0, 10, 10));                   // zero-size client area
  ExpectSameView(view, before);

  KViewTransform unfitted;
  EXPECT_FALSE(unfitted.Fit({0, 0}, 0, 0, 10, 10));
  EXPECT_EQ(unfitted.scaleX, 0.0);

  // A vertical segment has zero width but a height: it fits.
  EXPECT_TRUE(view.Fit(kWide, 3, 0, 3, 40));
  EXPECT_DOUBLE_EQ(view.scaleX, 0.1);
}

TEST(ViewTransform, MoveToRoundsHalfUpAndTruncatesTowardZero) {
  KRecordingDevice device(800, 400);
  KPenPath pen(device);
  KViewTransform view = Fitted(kWide, 0, 0, 100, 50);
  pen.MoveTo(view, 0, 0);
  pen.MoveTo(view, -2.7 * 0.125, 0);   // u = -2.7: -2.2 truncates to -2
  pen.MoveTo(view, 2.6 * 0.125, 0);    // u = 2.6: 3.1 -> 3
  pen.MoveTo(view, -0.7 * 0.125, 50);  // u = -0.7: -0.2 -> 0; v = 400: row 0.5 -> 0
  auto moves = device.Of(KDeviceOp::MoveTo);
  ASSERT_EQ(moves.size(), 4u);
  EXPECT_EQ(moves[0].args, (std::vector<int>{0, 400}));
  EXPECT_EQ(moves[1].args, (std::vector<int>{-2, 400}));
  EXPECT_EQ(moves[2].args, (std::vector<int>{3, 400}));
  EXPECT_EQ(moves[3].args, (std::vector<int>{0, 0}));
  EXPECT_EQ(view.ToDeviceX(-2.7 * 0.125), -2);  // the unrounded mapping truncates
}

TEST(ViewTransform, WorldAndDeviceRoundTrip) {
  KViewTransform view = Fitted(kWide, 100, 200, 200, 250);
  EXPECT_DOUBLE_EQ(view.ToWorldX(0), 100);
  EXPECT_DOUBLE_EQ(view.ToWorldY(400), 200);
  EXPECT_DOUBLE_EQ(view.ToWorldX(80), 110);
  EXPECT_DOUBLE_EQ(view.ToWorldY(320), 210);
  EXPECT_EQ(view.ToDeviceX(110), 80);
  EXPECT_EQ(view.ToDeviceY(210), 320);
}

TEST(ViewTransform, EnlargeAtCentreKeepsTheCentreAndAtAPointBringsItToTheCentre) {
  KViewTransform view = Fitted(kWide, 0, 0, 100, 50);
  const double cx = view.ToWorldX(400), cy = view.ToWorldY(200);
  view.ZoomAt(400, 200, true);
  EXPECT_DOUBLE_EQ(view.scaleX, 0.125 / 1.5);
  EXPECT_DOUBLE_EQ(view.scaleY, 0.125 / 1.5);
  EXPECT_NEAR(view.ToWorldX(400), cx, view.scaleX);
  EXPECT_NEAR(view.ToWorldY(200), cy, view.scaleY);
  EXPECT_DOUBLE_EQ(view.right, view.left + 800 * view.scaleX);
  EXPECT_DOUBLE_EQ(view.top, view.bottom + 400 * view.scaleY);

  KViewTransform other = Fitted(kWide, 0, 0, 100, 50);
  const double px = other.ToWorldX(100), py = other.ToWorldY(300);
  other.ZoomAt(100, 300, true);
  EXPECT_NEAR(other.ToWorldX(400), px, other.scaleX);
  EXPECT_NEAR(other.ToWorldY(200), py, other.scaleY);

  KViewTransform out = Fitted(kWide, 0, 0, 100, 50);
  out.ZoomAt(600, 100, false);
  EXPECT_DOUBLE_EQ(out.scaleX, 0.125 * 1.5);
  EXPECT_NEAR(out.ToWorldX(400), 75, out.scaleX);
  EXPECT_NEAR(out.ToWorldY(200), 37.5, out.scaleY);
}

TEST(ViewTransform, ZoomCentreKeepsTheCentre) {
  KViewTransform view = Fitted(kWide, 0, 0, 100, 50);
  const double cx = view.ToWorldX(400), cy = view.ToWorldY(200);
  view.ZoomCentre(1.1);
  EXPECT_DOUBLE_EQ(view.scaleX, 0.125 * 1.1);
  EXPECT_NEAR(view.ToWorldX(400), cx, view.scaleX);
  EXPECT_NEAR(view.ToWorldY(200), cy, view.scaleY);
  view.ZoomCentre(1 / 1.1);
  EXPECT_NEAR(view.scaleX, 0.125, 1e-15);
  EXPECT_NEAR(view.ToWorldX(400), cx, view.scaleX);
}

TEST(ViewTransform, ZoomRectInEitherCornerOrderGivesTheSameView) {
  KViewTransform a = Fitted(kWide, 0, 0, 100, 50);
  KViewTransform b = a, c = a;
  ASSERT_TRUE(a.ZoomRect({100, 100}, {300, 200}));
  ASSERT_TRUE(b.ZoomRect({300, 200}, {100, 100}));
  ASSERT_TRUE(c.ZoomRect({100, 200}, {300, 100}));
  ExpectSameView(a, b);
  ExpectSameView(a, c);
  // The rectangle's height (100 of 400 rows) fills the window; its lower
  // left corner becomes the view's.
  EXPECT_DOUBLE_EQ(a.scaleX, 0.125 * 0.25);
  EXPECT_DOUBLE_EQ(a.left, 12.5);
  EXPECT_DOUBLE_EQ(a.bottom, 25);
  EXPECT_DOUBLE_EQ(a.top, 25 + 400 * a.scaleY);

  const KViewTransform before = a;
  EXPECT_FALSE(a.ZoomRect({10, 50}, {300, 50}));  // no height
  ExpectSameView(a, before);
}

TEST(ViewTransform, KeysPanByFractionsAndZoomAboutTheBottomLeft) {
  KViewTransform view = Fitted(kWide, 0, 0, 100, 50);
  EXPECT_EQ(view.OnKey(39), 1);   // right arrow: the drawing moves right
  EXPECT_DOUBLE_EQ(view.left, -160 * 0.125);
  EXPECT_EQ(view.OnKey(37), 1);
  EXPECT_DOUBLE_EQ(view.left, 0);
  EXPECT_EQ(view.OnKey(33), 1);   // page up: pan down by 320 rows
  EXPECT_DOUBLE_EQ(view.bottom, 320 * 0.125);
  EXPECT_EQ(view.OnKey(34), 1);
  EXPECT_DOUBLE_EQ(view.bottom, 0);
  EXPECT_EQ(view.OnKey(38), 1);   // up arrow: the drawing moves up
  EXPECT_DOUBLE_EQ(view.bottom, -80 * 0.125);
  EXPECT_EQ(view.OnKey(40), 1);
  EXPECT_DOUBLE_EQ(view.bottom, 0);

  for (unsigned plus : {43u, 107u, 187u}) {
    KViewTransform v = Fitted(kWide, 5, 7, 105, 57);
    EXPECT_EQ(v.OnKey(plus), 1);
    EXPECT_DOUBLE_EQ(v.scaleX, 0.125 / 1.5);
    EXPECT_DOUBLE_EQ(v.left, 5);
    EXPECT_DOUBLE_EQ(v.bottom, 7);
    EXPECT_DOUBLE_EQ(v.right, 5 + 800 * v.scaleX);
  }
  for (unsigned minus : {45u, 109u, 189u}) {
    KViewTransform v = Fitted(kWide, 5, 7, 105, 57);
    EXPECT_EQ(v.OnKey(minus), 1);
    EXPECT_DOUBLE_EQ(v.scaleY, 0.125 * 1.5);
    EXPECT_DOUBLE_EQ(v.bottom, 7);
  }
  KViewTransform v = Fitted(kWide, 0, 0, 100, 50);
  EXPECT_EQ(v.OnKey(65), 0);
  EXPECT_EQ(v.OnKey(13), 0);
  ExpectSameView(v, Fitted(kWide, 0, 0, 100, 50));
}

TEST(ViewTransform, PanMovesTheWorldPointUnderTheFirstClickUnderTheSecond) {
  KViewTransform view = Fitted(kWide, 0, 0, 100, 50);
  const double wx = view.ToWorldX(100), wy = view.ToWorldY(300);
  view.Pan(250 - 100, 120 - 300);
  EXPECT_DOUBLE_EQ(view.ToWorldX(250), wx);
  EXPECT_DOUBLE_EQ(view.ToWorldY(120), wy);
  EXPECT_DOUBLE_EQ(view.right, view.left + 100);
}

TEST(ViewTransform, ComposeOfARotatedScaledPlacementMapsBlockPointsIntoTheWorld) {
  KViewTransform outer = Fitted(kWide, 0, 0, 100, 50);
  KViewTransform local;
  local.scaleX = 1.0 / 2;
  local.scaleY = 1.0 / 3;
  local.offsetX = 40;
  local.offsetY = 20;
  local.SetAngle(30);
  KViewTransform composed;
  composed.Compose(local, outer);
  EXPECT_LT(composed.angle, KViewTransform::kNoRotation);
  // A block point (a, b) lands at the world (40, 20) + rotation 30 of (2a, 3b).
  const double a = 1.5, b = -0.5, th = 30 * KViewTransform::kDegreesToRadians;
  double wx = 40 + std::cos(th) * 2 * a - std::sin(th) * 3 * b;
  double wy = 20 + std::sin(th) * 2 * a + std::cos(th) * 3 * b;
  double u = a, v = b, ou = wx, ov = wy;
  composed.Transform(u, v);
  outer.Transform(ou, ov);
  EXPECT_NEAR(u, ou, 1e-9);
  EXPECT_NEAR(v, ov, 1e-9);
  EXPECT_DOUBLE_EQ(composed.height, outer.height);

  // Composing again (a block in a block) chains the placements; exactly so
  // when the outer placement scales both axes alike.
  KViewTransform even;
  even.scaleX = even.scaleY = 0.5;
  even.offsetX = 40;
  even.offsetY = 20;
  even.SetAngle(30);
  KViewTransform once;
  once.Compose(even, outer);
  KViewTransform inner;
  inner.scaleX = inner.scaleY = 1.0;
  inner.offsetX = 1;
  inner.SetAngle(90);
  KViewTransform twice;
  twice.Compose(inner, once);
  double p = 1, q = 0;  // inner (1, 0) -> block (1, 1)
  twice.Transform(p, q);
  double r = 1, s = 1;
  once.Transform(r, s);
  EXPECT_NEAR(p, r, 1e-9);
  EXPECT_NEAR(q, s, 1e-9);
}

TEST(ViewTransform, SelectPenTruncatesTheWorldWidthToPixels) {
  KRecordingDevice device(800, 400);
  KPenPath pen(device);
  KViewTransform view = Fitted(kWide, 0, 0, 100, 50);
  pen.SelectPen(view, kPenSolid, 0.3, 0x0000FF);   // 2.4 px
  pen.SelectPen(view, kPenSolid, 0.1, 0x00FF00);   // 0.8 px: GDI's one-pixel pen
  auto pens = device.Of(KDeviceOp::SelectPen);
  ASSERT_EQ(pens.size(), 2u);
  EXPECT_EQ(pens[0].args, (std::vector<int>{0, 2, 0x0000FF}));
  EXPECT_EQ(pens[1].args, (std::vector<int>{0, 0, 0x00FF00}));
}

TEST(ViewTransform, TruncationSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(KTruncToInt(-2.7), -2);
  EXPECT_EQ(KTruncToInt(2.7), 2);
  EXPECT_EQ(KTruncToInt(1e20), INT_MAX);
  EXPECT_EQ(KTruncToInt(-1e20), INT_MIN);
  EXPECT_EQ(KTruncToInt(INFINITY), INT_MAX);
  EXPECT_EQ(KTruncToInt(NAN), 0);
}

TEST(ViewTransform, DeepZoomClipsALineSoItStillCrossesTheWindowWhereItShould) {
  KRecordingDevice device(800, 400);
  KPenPath pen(device);
  KViewTransform view = Fitted(kWide, 0, 0, 100, 50);
  view.scaleX = view.scaleY = 1e-12;   // a deep zoom at the origin
  // The line y = 0.5e-10 + 0.25 x crosses column 0 at row 350 and leaves
  // the window at its top; its ends lie some 1e12 pixels away.
  pen.MoveTo(view, -1.0, -0.25 + 0.5e-10);
  pen.LineTo(view, 1.0, 0.25 + 0.5e-10);
  auto segments = device.Segments();
  ASSERT_EQ(segments.size(), 1u);
  const auto& s = segments[0];
  for (const KIntPoint& p : {s.from, s.to}) {
    EXPECT_LE(std::abs(p.x), 4194304);
    EXPECT_LE(std::abs(p.y), 4194304);
  }
  // Where the recorded segment crosses columns 0 and 200.
  auto rowAt = [&](double column) {
    return s.from.y + (s.to.y - s.from.y) * (column - s.from.x) / double(s.to.x - s.from.x);
  };
  EXPECT_NEAR(rowAt(0), 350.5, 1.0);
  EXPECT_NEAR(rowAt(200), 300.5, 1.0);

  // A line wholly outside draws nothing, and the next one still starts
  // where it should.
  device.Clear();
  pen.MoveTo(view, -1.0, 1.0);
  pen.LineTo(view, 1.0, 1.0);
  pen.LineTo(view, 1e-10, 1e-10);
  segments = device.Segments();
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_EQ(segments[0].to.x, 100);
  EXPECT_EQ(segments[0].to.y, 300);
}
