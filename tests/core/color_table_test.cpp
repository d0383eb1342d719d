#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/grid/kcolor_table.h"

namespace {

TEST(ColorTable, EightColoursOverTheRange) {
  KColorTable t;
  t.SetRange8(-10, 60);
  ASSERT_EQ(t.entries.size(), 8u);
  EXPECT_EQ(t.entries[1].value, 0);
  EXPECT_EQ(t.ColorAt(-10), KRgb(0, 0, 0));
  EXPECT_EQ(t.ColorAt(60), KRgb(255, 255, 255));
  // On a break value: that break's colour.
  EXPECT_EQ(t.ColorAt(0), KRgb(0, 0, 255));
  EXPECT_EQ(t.ColorAt(30), KRgb(255, 0, 0));
  // The middle of the range lies halfway between cyan (3) and red (4); the
  // mix truncates each channel's change toward zero.
  EXPECT_EQ(t.ColorAt(25), KRgb(127, 255 - 127, 255 - 127));
  // A quarter of the way from blue (1) to green (2).
  EXPECT_EQ(t.ColorAt(2.5), KRgb(0, 63, 255 - 63));
  // Just below the top stays in the last interval: the mix truncates, so
  // not quite white.
  EXPECT_EQ(t.ColorAt(60 - 1e-12), KRgb(255, 255, 254));
}

TEST(ColorTable, ValuesBeyondTheEndsTakeTheEndColours) {
  // Descending break values: the first entry's side stays the first colour.
  const KColorRef black = KRgb(0, 0, 0), white = KRgb(255, 255, 255);
  const struct {
    double from, to, value;
    KColorRef colour;
  } cases[] = {
      {0, 7, -0.5, black}, {0, 7, -1000, black}, {0, 7, 7.5, white}, {0, 7, 1e300, white},
      {0, 7, std::numeric_limits<double>::infinity(), white}, {0, 7, std::nan(""), black},
      {7, 0, 7, black}, {7, 0, 0, white}, {7, 0, 9, black}, {7, 0, -2, white},
      {7, 0, 3.5, KRgb(127, 128, 128)}, {7, 0, 6, KRgb(0, 0, 255)},
  };
  for (const auto& c : cases) {
    KColorTable t;
    t.SetRange8(c.from, c.to);
    EXPECT_EQ(t.ColorAt(c.value), c.colour) << c.from << ".." << c.to << " at " << c.value;
  }
}

TEST(ColorTable, EqualEndsAndDegenerateTables) {
  KColorTable flat;
  flat.SetRange8(5, 5);
  EXPECT_EQ(flat.ColorAt(5), KRgb(0, 0, 0));
  EXPECT_EQ(flat.ColorAt(4), KRgb(0, 0, 0));
  EXPECT_EQ(flat.ColorAt(6), KRgb(255, 255, 255));

  KColorTable empty;
  EXPECT_EQ(empty.ColorAt(1), 0u);
  KColorTable one;
  one.entries.push_back({3.0, 10, 20, 30});
  EXPECT_EQ(one.ColorAt(-7), KRgb(10, 20, 30));

  // A step that overflows to infinity gives no NaN mixes.
  KColorTable huge;
  huge.SetRange8(-1e308, 1e308);
  const KColorRef c = huge.ColorAt(0);
  EXPECT_LE(c, 0xFFFFFFu);
}

TEST(ColorTable, SixteenEntriesMirrorTheEightWithRedAndBlueSwapped) {
  KColorTable t;
  t.SetRange8(0, 1);  // reused table grows to sixteen entries
  t.SetRange16(0, 15);
  ASSERT_EQ(t.entries.size(), 16u);
  EXPECT_EQ(t.entries[15].value, 15);
  const KColorRef expected[15] = {KRgb(0, 0, 0),     KRgb(0, 0, 255),     KRgb(0, 255, 0),   KRgb(0, 255, 255),
                                  KRgb(255, 0, 0),   KRgb(255, 0, 255),   KRgb(255, 255, 0), KRgb(255, 255, 255),
                                  KRgb(0, 255, 255), KRgb(255, 0, 255),   KRgb(0, 0, 255),   KRgb(255, 255, 0),
                                  KRgb(0, 255, 0),   KRgb(255, 0, 0),     KRgb(0, 0, 0)};
  for (int k = 0; k < 15; ++k) EXPECT_EQ(t.ColorAt(k), expected[k]) << "entry " << k;

  t.SetColor(15, 1, 2, 3);
  EXPECT_EQ(t.ColorAt(15), KRgb(1, 2, 3));
  t.SetColor(16, 9, 9, 9);  // not an entry: ignored
  t.SetColor(-1, 9, 9, 9);
  EXPECT_EQ(t.entries.size(), 16u);
}

}  // namespace
