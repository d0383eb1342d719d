// The step from samples to pixels of a section picture: the clip level,
// the two colour scales and the image's layout.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "render/drawing/picture_legend.h"
#include "window/segy/segy_section_picture.h"

namespace {

TEST(SegySectionPicture, ClipIsAPercentileOfTheFiniteMagnitudes) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  // Magnitudes 1 .. 10, a NaN and an infinity that do not count.
  const std::vector<float> v = {-1, 2, -3, 4, -5, 6, -7, 8, -9, 10, nan, std::numeric_limits<float>::infinity()};
  EXPECT_EQ(SectionClip(v, 100), 10);
  EXPECT_EQ(SectionClip(v, 90), 9);
  EXPECT_EQ(SectionClip(v, 50), 5);
  EXPECT_EQ(SectionClip(v, 1), 1);
  EXPECT_EQ(SectionClip({nan}, 99), 0);
}

TEST(SegySectionPicture, ColourScales) {
  const auto grey = KSectionScale::kGrey, rwb = KSectionScale::kRedWhiteBlue;
  const struct {
    double value;
    KSectionScale scale;
    KColorRef colour;
  } cases[] = {
      {4, grey, KRgb(0, 0, 0)},          {9, grey, KRgb(0, 0, 0)},  // beyond the clip
      {-4, grey, KRgb(255, 255, 255)},   {0, grey, KRgb(128, 128, 128)},
      {2, grey, KRgb(64, 64, 64)},       {-4, rwb, KRgb(255, 0, 0)},
      {0, rwb, KRgb(255, 255, 255)},     {4, rwb, KRgb(0, 0, 255)},
      {-1, rwb, KRgb(255, 191, 191)},    {2, rwb, KRgb(128, 128, 255)},
      {std::nan(""), rwb, KRgb(0, 160, 0)},
  };
  for (const auto& c : cases) EXPECT_EQ(SectionColour(c.value, 4, c.scale), c.colour) << c.value;
}

TEST(SegySectionPicture, ImageHasAColumnPerTraceAndARowPerSample) {
  KSegySection s;
  s.traces = 2;
  s.samples = 3;
  s.values = {-4, 0, 4, 4, 4, -4};  // trace by trace
  const KImage image = SectionImage(s, 4, KSectionScale::kRedWhiteBlue);
  ASSERT_EQ(image.width, 2);
  ASSERT_EQ(image.height, 3);
  const std::uint32_t red = PictureArgb(KRgb(255, 0, 0)), white = PictureArgb(KRgb(255, 255, 255)),
                      blue = PictureArgb(KRgb(0, 0, 255));
  EXPECT_EQ(std::vector<std::uint32_t>(image.pixels.begin(), image.pixels.end()),
            (std::vector<std::uint32_t>{red, blue, white, blue, blue, red}));
}

TEST(SegySectionPicture, AxisStepIsMillisecondsOrTheDepthInterval) {
  KSegySection s;
  s.traces = s.samples = 1;
  s.values = {1};
  s.interval = 4000;  // 4 ms as time; a depth file would give whole metres
  EXPECT_EQ(KSegySectionPicture(s, 99, KSectionScale::kGrey).step(), 4);
  s.interval = 5;
  EXPECT_EQ(KSegySectionPicture(s, 99, KSectionScale::kGrey, "m").step(), 5);
  s.interval = 0;  // none given: the axis counts samples either way
  EXPECT_EQ(KSegySectionPicture(s, 99, KSectionScale::kGrey, "ft").step(), 1);
}

}  // namespace
