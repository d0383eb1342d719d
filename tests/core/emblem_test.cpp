#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "model/document/elements.h"
#include "platform/device/recording_device.h"
#include "render/drawing/emblem.h"
#include "render/drawing/raster_draw.h"
#include "tests/support/recording_fixture.h"

namespace {

// The emblem of a logo with width and height 1 at 0.01 world units per
// pixel: 32 pixels per emblem unit, centred 6 pixels below (1, 1).
class EmblemAtLogo : public KRecordingTest {
protected:
  void SetUp() override {
    KLogo logo;
    logo.x = logo.y = 1;
    logo.width = logo.height = 1;
    Look(0.01);
    DrawLogo(logo, view, device);
  }
  static constexpr int kCx = 100, kCy = 306;
};

TEST_F(EmblemAtLogo, GreenPanelAroundTheCentre) {
  const auto fills = device.Of(KDeviceOp::FillSolidRect);
  ASSERT_EQ(fills.size(), 1u);
  // Left 1.5 scales left of the centre, 1.6 scales up (306 - 51.2 = 254.8
  // truncates to 254), 1.2 down (344.4 to 344).
  EXPECT_EQ(fills[0].args, (std::vector<int>{kCx - 48, 254, 96, 344 - 254, 0x00FF00}));
  EXPECT_EQ(device.calls.front().op, KDeviceOp::FillSolidRect);
}

TEST_F(EmblemAtLogo, SpokesFromTheCentreThenOutlineThenWave) {
  const auto segments = device.Segments();
  // Two turns in steps of 0.01: 1257 spokes, 1257 outline pieces, and the
  // wave's 200 (or 201, by rounding of the added steps).
  std::size_t spokes = 0;
  while (spokes < segments.size() && segments[spokes].from == KIntPoint{kCx, kCy}) ++spokes;
  EXPECT_EQ(spokes, 1257u);
  ASSERT_GE(segments.size(), spokes + 1257 + 200);
  EXPECT_LE(segments.size(), spokes + 1257 + 201);

  // The first spoke points straight up, its length R(0) = 0.5 + 1 scales
  // plus a far bump's trace: 48.00... pixels above the centre, so the end
  // truncates to 306 - 48.00... = 257.99... -> 257.
  EXPECT_EQ(segments[0].to.x, kCx);
  EXPECT_EQ(segments[0].to.y, kCy - 49);
  EXPECT_EQ(segments[0].penWidth, 2);
  EXPECT_EQ(segments[0].colour, KRgb(0, 255, 255));

  std::set<KColorRef> spokeColours;
  for (std::size_t k = 0; k < spokes; ++k) {
    spokeColours.insert(segments[k].colour);
    // Every spoke stays inside the petal's largest radius (about 1.5).
    EXPECT_LE(std::abs(segments[k].to.x - kCx), 49);
    EXPECT_LE(std::abs(segments[k].to.y - kCy), 49);
  }
  EXPECT_GT(spokeColours.size(), 100u);  // a blended rainbow, not a few flat colours
  EXPECT_TRUE(spokeColours.count(KRgb(0, 0, 255)));  // the blue middle entry (theta = 7 * 13/15)

  // The outline is one connected line in blue, closing near its start.
  const auto& outline = segments[spokes];
  EXPECT_EQ(outline.colour, 0xFF0000u);
  EXPECT_EQ(outline.from, segments[0].to);
  for (std::size_t k = spokes + 1; k < spokes + 1257; ++k) EXPECT_EQ(segments[k].from, segments[k - 1].to);

  // The wave runs left to right across two scales, in red, peaking 0.35
  // scales above the centre in the middle.
  const std::size_t wave = spokes + 1257;
  EXPECT_EQ(segments[wave].colour, 0x0000FFu);
  EXPECT_EQ(segments[wave].from.x, kCx - 32);
  EXPECT_EQ(segments[wave].from.y, kCy);
  int highest = kCy;
  for (std::size_t k = wave; k < segments.size(); ++k) highest = std::min(highest, segments[k].to.y);
  EXPECT_EQ(highest, kCy - 12);  // trunc(306 - 0.35 * 32 = 294.8)
  EXPECT_GE(segments.back().to.x, kCx + 31);
}

TEST(Emblem, HugeScalesAreClippedNotOverflowed) {
  KRecordingDevice device(200, 100);
  DrawEmblem(device, 100, 50, 1e12, 1e12);
  ASSERT_FALSE(device.calls.empty());
  const int limit = 4194304;
  for (const auto& c : device.calls)
    if (c.op == KDeviceOp::MoveTo || c.op == KDeviceOp::LineTo) {
      EXPECT_LE(std::abs(c.args[0]), limit);
      EXPECT_LE(std::abs(c.args[1]), limit);
    }
  // The spokes still radiate from the centre.
  EXPECT_EQ(device.Segments().front().from, (KIntPoint{100, 50}));
}

}  // namespace
