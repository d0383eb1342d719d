#include "qt/platform/kprogress.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

namespace {

bool IsRed(QRgb c) { return qRed(c) > 200 && qBlue(c) < 60; }
bool IsBlue(QRgb c) { return qBlue(c) > 200 && qRed(c) < 60; }

// Pixels a quarter of the way in from each side, clear of the percentage.
struct Sides {
  QRgb right, bottom, left, top_left;
};

Sides Grab(KProgress& progress) {
  const QImage image = progress.grab().toImage();
  const int w = image.width(), h = image.height();
  return {image.pixel(w * 3 / 4, h / 2), image.pixel(w / 2, h * 3 / 4), image.pixel(w / 4, h / 2),
          image.pixel(w * 3 / 10, h * 3 / 10)};
}

class KProgressTest : public ::testing::Test {
protected:
  void SetUp() override { progress.show(); }
  KProgress progress;
};

TEST_F(KProgressTest, PieFillsClockwiseFromTwelve) {
  struct Case {
    double fraction;
    bool right, bottom, left, top_left;  // red there?
  };
  for (const Case c : {Case{0, false, false, false, false}, Case{0.5, true, true, false, false},
                       Case{1, true, true, true, true}}) {
    SCOPED_TRACE(c.fraction);
    progress.SetFraction(c.fraction);
    EXPECT_DOUBLE_EQ(progress.Shown(), c.fraction);
    const Sides s = Grab(progress);
    for (const auto& [pixel, red] : {std::pair{s.right, c.right}, std::pair{s.bottom, c.bottom},
                                     std::pair{s.left, c.left}, std::pair{s.top_left, c.top_left}})
      EXPECT_TRUE(red ? IsRed(pixel) : IsBlue(pixel)) << std::hex << pixel;
  }
}

TEST_F(KProgressTest, TotalOfZeroShowsDoneAndPositionsScaleByTotal) {
  progress.SetTotal(0);
  progress.SetPos(0);
  EXPECT_DOUBLE_EQ(progress.Shown(), 1.0);
  EXPECT_TRUE(IsRed(Grab(progress).left));

  progress.SetTotal(400);
  progress.SetPos(100);  // smaller than what is shown: restarts from 0
  EXPECT_DOUBLE_EQ(progress.Shown(), 0.25);
  progress.SetPos(1000);  // past the end is clamped
  EXPECT_DOUBLE_EQ(progress.Shown(), 1.0);
}

TEST_F(KProgressTest, RedrawsOnlyOnAChangeOfAThousandth) {
  EXPECT_FALSE(progress.SetFraction(0));  // fresh: no change to show
  EXPECT_TRUE(progress.SetFraction(0.3));
  EXPECT_FALSE(progress.SetFraction(0.3009));
  EXPECT_DOUBLE_EQ(progress.Shown(), 0.3);
  EXPECT_TRUE(progress.SetFraction(0.3011));
  EXPECT_TRUE(progress.SetFraction(0.1));  // going back restarts the count
  EXPECT_DOUBLE_EQ(progress.Shown(), 0.1);
  EXPECT_FALSE(progress.SetFraction(std::nan("")));  // ignored, not a restart
  EXPECT_DOUBLE_EQ(progress.Shown(), 0.1);
}

}  // namespace
