// The button panel's drawing script reads into its three blocks and layers.
#include "model/classes/button_script.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "model/document/kcurve.h"
#include "model/document/kones.h"
#include "model/document/ktext_properties.h"
#include "tests/support/doubles.h"
#include "window/editor/quarvel_window.h"

namespace {

TEST(ButtonScript, IsTheExactBytes) {
  EXPECT_EQ(std::strlen(charFileButton), kButtonScriptSize);
  EXPECT_EQ(kButtonScriptSize, 1162u);
  const std::string script = charFileButton;
  // Every line ends with CR LF: no bare line feed anywhere.
  std::size_t lineFeeds = 0;
  for (std::size_t i = 0; i < script.size(); ++i) {
    if (script[i] != '\n') continue;
    ++lineFeeds;
    ASSERT_GT(i, 0u);
    EXPECT_EQ(script[i - 1], '\r') << "at byte " << i;
  }
  EXPECT_EQ(lineFeeds, 88u);
  EXPECT_EQ(script.substr(script.size() - 4), "\r\n\r\n");
  EXPECT_NE(script.find("Layer M 0 \r\n"), std::string::npos);
  EXPECT_NE(script.find("layer M window\\play \r\n"), std::string::npos);
}

struct BlockWant {
  const char* name;
  int colour;
};

TEST(ButtonScript, ReadsIntoThreeSquareBlocks) {
  QuarvelWindow window;
  EXPECT_EQ(window.OnOpenDocumentMem(charFileButton), 0);
  EXPECT_TRUE(window.entries.empty());
  const BlockWant blocks[] = {{"window\\button", -100}, {"window\\edit", -100 * 65536}, {"window\\play", -100 * 256}};
  int found = 0;
  window.blocks.EnumeratePaths("", [&](const std::string&, KOnes*) { ++found; });
  EXPECT_EQ(found, 3);
  for (const BlockWant& want : blocks) {
    KOnes* block = window.blocks.LookupPath(want.name);
    ASSERT_NE(block, nullptr) << want.name;
    ASSERT_EQ(block->entries.size(), 1u) << want.name;
    const KEntry& e = *block->entries[0];
    EXPECT_EQ(e.colour, want.colour) << want.name;
    EXPECT_EQ(e.layer->name, "0");
    EXPECT_EQ(e.layer->state, kViewAndEdit);
    EXPECT_FALSE(e.Embellishment());
    const KCurve* square = e.As<KCurve>();
    ASSERT_NE(square, nullptr);
    ASSERT_EQ(square->count, 4);
    EXPECT_EQ(square->closure, kFilled);
    EXPECT_EQ(std::vector<double>(square->x(), square->x() + 4), (std::vector<double>{0, 0, 1, 1}));
    EXPECT_EQ(std::vector<double>(square->y(), square->y() + 4), (std::vector<double>{0, 1, 1, 0}));
  }
}

struct LayerWant {
  const char* name;
  const char* mark;
  double markWidth;
};

TEST(ButtonScript, ReadsIntoThreeLayersWithTextProperties) {
  QuarvelWindow window;
  window.OnOpenDocumentMem(charFileButton);
  EXPECT_EQ(window.OwnedLayers().size(), 3u);
  const LayerWant layers[] = {
      {"window\\play", "window\\play", 5}, {"window\\button", "window\\edit", 5}, {"window\\edit", "window\\button", 15}};
  for (const LayerWant& want : layers) {
    KLayer* layer = window.layers.LookupPath(want.name);
    ASSERT_NE(layer, nullptr) << want.name;
    EXPECT_EQ(layer->state, kViewAndEdit);
    EXPECT_FALSE(layer->Embellishment());
    ASSERT_TRUE(layer->TextProperties()) << want.name;
    const KTextProperties& tp = *layer->TextProperties();
    EXPECT_EQ(tp.markName, want.mark);
    EXPECT_EQ(tp.labelFont.faceName, "Times New Roman");
    EXPECT_EQ(tp.labelFont.weight, 100);
    EXPECT_EQ(tp.labelFont.charSet, 1);
    EXPECT_EQ(tp.labelColour, -65535);
    EXPECT_THAT((Doubles{tp.markWidth, tp.markHeight, tp.markAngle, tp.labelHeight, tp.labelWidth, tp.labelAngle,
                         tp.labelOffsetX, tp.labelOffsetY}),
                DoublesAre({want.markWidth, 1, 0, 0.6, 0.24, 0, 0.43, 0.2}));
  }
  // The trailing empty blocks leave nothing pending: the last layer command
  // took the properties and the empty blocks after it were rejected.
  EXPECT_FALSE(window.PendingTextProperties());
  EXPECT_FALSE(window.PendingEmbellishment());
  // The current layer is the last one selected.
  EXPECT_EQ(window.CurrentLayer(), window.layers.LookupPath("window\\edit"));
}

}  // namespace
