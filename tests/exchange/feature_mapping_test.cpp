// The drawing <-> feature mapping, without files: what each entry kind
// becomes, what comes back, and what is skipped.
#include <gtest/gtest.h>

#include <cmath>

#include "exchange/vector/colour_text.h"
#include "exchange/vector/drawing_features.h"
#include "model/document/elements.h"
#include "model/grid/kxyz_list.h"
#include "tests/exchange/exchange_tools.h"
#include "tests/support/reading.h"

namespace {

constexpr const char* kDrawing = kExchangeDrawing;

TEST(FeatureMapping, EachKindOfEntryBecomesItsFeature) {
  const auto doc = ReadDrawing(kDrawing);
  const KDrawingFeatures got = FeaturesOfDrawing(*doc);
  EXPECT_EQ(got.skipped, 1u);  // the insertion
  using S = KFeatureShape;
  const struct {
    S shape;
    const char* layer;
    const char* name;
    std::size_t points;
    bool hasZ;
    std::optional<double> z;
    const char* colour;
  } want[] = {{S::kLine, "roads", "R1", 2, false, {}, "#c81e1e"},
              {S::kPolygon, "blocks", "B1", 3, true, 5.0, "#0000a0"},
              {S::kPoint, "wells", "W-1", 1, true, -1500.25, "#000000"},
              {S::kPoint, "wells", "", 1, false, {}, "#000000"},
              {S::kPoint, "wells", "", 1, true, 3.0, "#000000"},
              {S::kPoint, "wells", "", 1, true, 6.0, "#000000"}};
  ASSERT_EQ(got.features.size(), std::size(want));
  for (std::size_t k = 0; k < std::size(want); ++k) {
    const KFeature& f = got.features[k];
    SCOPED_TRACE(k);
    EXPECT_EQ(f.shape, want[k].shape);
    EXPECT_EQ(f.layer, want[k].layer);
    EXPECT_EQ(f.name, want[k].name);
    EXPECT_EQ(f.points.size(), want[k].points);
    EXPECT_EQ(f.hasZ, want[k].hasZ);
    EXPECT_EQ(f.z, want[k].z);
    EXPECT_EQ(f.colour, want[k].colour);
  }
  EXPECT_EQ(got.features[0].code, 7);
  EXPECT_EQ(got.features[0].width, 2.0);
  EXPECT_EQ(got.features[0].points[1], (KFeaturePoint{100, 0.5, 0}));
  EXPECT_EQ(got.features[3].text, "Hello there");
  EXPECT_EQ(got.features[3].height, 3.0);
  EXPECT_EQ(got.features[3].angle, 45.0);
}

TEST(FeatureMapping, FeaturesAddedBackGiveTheSameFeatures) {
  const KDrawingFeatures first = FeaturesOfDrawing(*ReadDrawing(kDrawing));
  KOnes doc;
  const KAddedCounts added = AddFeatures(doc, first.features, false);
  EXPECT_EQ(added.polylines, 2u);
  EXPECT_EQ(added.points, 3u);
  EXPECT_EQ(added.texts, 1u);
  EXPECT_EQ(added.skipped, 0u);
  const KDrawingFeatures again = FeaturesOfDrawing(doc);
  EXPECT_EQ(again.features, first.features);
  EXPECT_EQ(doc.entries[1]->As<KCurve>()->closure, kClosed);
}

TEST(FeatureMapping, WhatCannotBeDrawnIsSkippedAndCounted) {
  using S = KFeatureShape;
  const auto feature = [](S shape, std::vector<KFeaturePoint> points) {
    KFeature f;
    f.shape = shape;
    f.points = std::move(points);
    f.layer = "a";
    return f;
  };
  const std::vector<KFeature> in = {
      feature(S::kPolygon, {{0, 0}, {1, 0}, {1, 1}, {0, 0}}),  // ring with its closing point: 3 vertices
      feature(S::kLine, {{0, 0}}),                             // one point
      feature(S::kLine, {{2, 2}, {2, 2}}),                     // no length
      feature(S::kPolygon, {{0, 0}, {1, 0}, {0, 0}}),          // two distinct points
      feature(S::kPoint, {{NAN, 1}}),                          // not finite
      feature(S::kPoint, {}),                                  // empty
  };
  KOnes doc;
  const KAddedCounts added = AddFeatures(doc, in, false);
  EXPECT_EQ(added.skipped, 5u);
  ASSERT_EQ(doc.entries.size(), 1u);
  EXPECT_EQ(doc.entries[0]->As<KCurve>()->count, 3);
}

TEST(FeatureMapping, PointsBecomeOneXyzListPerLayer) {
  std::vector<KFeature> in(3);
  const char* layers[] = {"a", "b", "a"};
  for (int k = 0; k < 3; ++k) {
    in[k].layer = layers[k];
    in[k].points = {{double(k), 1, 0}};
    in[k].z = 10.0 + k;  // the z field wins over the geometry's
  }
  KOnes doc;
  EXPECT_EQ(AddFeatures(doc, in, true).xyzPoints, 3u);
  ASSERT_EQ(doc.entries.size(), 2u);
  const KXyzList* a = doc.entries[0]->As<KXyzList>();
  ASSERT_TRUE(a);
  ASSERT_EQ(a->size(), 2u);
  EXPECT_EQ(a->At(1).x, 2.0);
  EXPECT_EQ(a->At(1).z, 12.0);
  EXPECT_EQ(doc.entries[1]->layer->name.str(), "b");
}

// Colours other than "#rrggbb" are none (the hex ones are in the tables above).
TEST(FeatureMapping, ColourTextOtherThanHexIsNoColour) {
  EXPECT_EQ(DocumentColourOf("#C81E1E"), -(200 + 256 * 30 + 65536 * 30));
  for (const char* bad : {"", "red", "#12345", "#1234567", "#12345g", "123456#"})
    EXPECT_EQ(DocumentColourOf(bad), std::nullopt) << bad;
}

}  // namespace
