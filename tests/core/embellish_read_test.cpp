// Embellishment blocks, read from the bytes after their keyword over file
// and memory sources.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "model/curves/kembellish.h"
#include "io/document/record_readers.h"
#include "tests/support/reading.h"

namespace {

class EmbellishRead : public ReaderTest {
protected:
  // The block read from rest; in holds what followed.
  std::shared_ptr<KEmbellish> Block(const std::string& rest) {
    in = &Input(rest);
    return ReadEmbellishment(in->ctx);
  }
  ElementInput* in = nullptr;
};
INSTANTIATE_READER_TEST(EmbellishRead);

template <class Item>
const Item& ItemAt(const KEmbellish& block, int i) {
  return std::get<Item>(block.items.at(static_cast<std::size_t>(i)).item);
}
int TypeAt(const KEmbellish& block, int i) { return block.items.at(static_cast<std::size_t>(i)).type; }

TEST_P(EmbellishRead, ArrowLineWithDashesAndNoDraw) {
  auto block = Block("ArrowHead\n0.5 -255\nProperties\n0.1 -255 N 0\nVir\n2 1\nNoDraw\nEnd\nNEXT ");
  ASSERT_TRUE(block);
  ASSERT_EQ(block->Count(), 2);
  EXPECT_TRUE(block->noDraw);
  EXPECT_EQ(TypeAt(*block, 0), KEmbellish::kArrowHead);
  EXPECT_EQ(ItemAt<KArrowItem>(*block, 0).size, 0.5);
  EXPECT_EQ(ItemAt<KArrowItem>(*block, 0).colour, -255);
  EXPECT_EQ(TypeAt(*block, 1), KEmbellish::kProperties);
  const KLineItem& line = ItemAt<KLineItem>(*block, 1);
  EXPECT_EQ(line.width, 0.1);
  EXPECT_EQ(line.colour, -255);
  EXPECT_EQ(line.style, kStylePlain);
  EXPECT_EQ(line.squareCap, 0);
  EXPECT_EQ(line.dashes, (std::vector<double>{2, 1}));
  // The token that ended the block was consumed with it.
  EXPECT_EQ(in->NextToken(), "NEXT");
}

TEST_P(EmbellishRead, BlocksWithoutItemsYieldNothing) {
  EXPECT_FALSE(Block("NoDraw\nEnd\n"));
  EXPECT_EQ(in->issues.size(), 1u);
  // An empty line right after the keyword ends the block at once; the token
  // after it is the dispatcher's again.
  EXPECT_FALSE(Block("\nPline\n"));
  EXPECT_EQ(in->NextToken(), "Pline");
  EXPECT_FALSE(Block(""));
  // A token cut by the end of input is not read.
  EXPECT_FALSE(Block("Scale"));
}

TEST_P(EmbellishRead, TokenAfterPropertiesLineIsConsumed) {
  auto block = Block("Properties\n0.1 -255 S 1\nArrowHead\n0.5 -255\n");
  ASSERT_TRUE(block);
  ASSERT_EQ(block->Count(), 1);
  const KLineItem& line = ItemAt<KLineItem>(*block, 0);
  EXPECT_EQ(line.style, kStyleFilled);
  EXPECT_EQ(line.squareCap, 1);
  EXPECT_TRUE(line.dashes.empty());
  // "0.5" ended the block; "-255" is next.
  EXPECT_EQ(in->NextToken(), "-255");

  // Line items take their style word in upper case only.
  block = Block("Properties\n0.1 -255 s 1\nx\nx ");
  ASSERT_TRUE(block);
  EXPECT_EQ(ItemAt<KLineItem>(*block, 0).style, kStylePlain);
}

std::vector<double> Values(const KMarkItem& m) {
  return {m.step, m.sizeX, m.sizeY, m.angleOffset, m.start, m.end, m.offset};
}

TEST_P(EmbellishRead, LocateAndScaleFillMarkItemsKeepingDefaults) {
  auto block = Block("Locate\n10 0.3 0.4 15 0 20 0.5 0 bs -65536\nScale window\\play 2 1 1.5 90 0 10 0.25 1 C\nEnd ");
  ASSERT_TRUE(block);
  ASSERT_EQ(block->Count(), 2);
  EXPECT_EQ(TypeAt(*block, 0), KEmbellish::kLocate);
  const KMarkItem& locate = ItemAt<KMarkItem>(*block, 0);
  EXPECT_EQ(Values(locate), (std::vector<double>{10, 0.3, 0.4, 15, 0, 20, 0.5}));
  EXPECT_EQ(locate.scaleToLength, 0);
  EXPECT_EQ(locate.style, kStyleSplineFilled);  // mark items accept lower case
  EXPECT_EQ(locate.labelColour, -65536);

  EXPECT_EQ(TypeAt(*block, 1), KEmbellish::kScale);
  const KMarkItem& scale = ItemAt<KMarkItem>(*block, 1);
  EXPECT_EQ(scale.blockName, "window\\play");
  EXPECT_EQ(Values(scale), (std::vector<double>{2, 1, 1.5, 90, 0, 10, 0.25}));
  EXPECT_EQ(scale.style, kStyleClosed);

  block = Block("Locate\n5 0.3\nEnd ");
  ASSERT_TRUE(block);
  const KMarkItem& partial = ItemAt<KMarkItem>(*block, 0);
  EXPECT_EQ(Values(partial), (std::vector<double>{5, 0.3, 0.2, 0, -1, -2, 0}));
  EXPECT_EQ(partial.scaleToLength, 1);
  EXPECT_EQ(partial.style, kStylePlain);
  EXPECT_EQ(partial.labelColour, 0);
}

TEST_P(EmbellishRead, NameItemWithAndWithoutDashPattern) {
  auto block = Block("InName\n2.5 3 255 0.5 0.1 65280 v\nnot used\n4 2 1 2\nArrowTail\n1 -5\nEnd ");
  ASSERT_TRUE(block);
  ASSERT_EQ(block->Count(), 2);
  EXPECT_EQ(TypeAt(*block, 0), KEmbellish::kInName);
  const KNameItem& name = ItemAt<KNameItem>(*block, 0);
  EXPECT_EQ((std::vector<double>{name.charSize, name.offset, name.lineWidth, name.width}),
            (std::vector<double>{2.5, 0.5, 0.1, 0}));
  EXPECT_EQ(name.repetitions, 3);
  EXPECT_EQ(name.textColour, 255);
  EXPECT_EQ(name.colour, 65280);
  EXPECT_EQ(name.style, kStyleDashed);
  EXPECT_EQ(name.dashes, (std::vector<double>{4, 2, 1, 2}));
  EXPECT_EQ(name.squareCap, 0);
  EXPECT_EQ(TypeAt(*block, 1), KEmbellish::kArrowTail);
  EXPECT_EQ(ItemAt<KArrowItem>(*block, 1).colour, -5);

  // Names upper-case their style word; with five values or fewer it is not
  // looked at, and no line is skipped.
  block = Block("InName\n1 2 3 4 5 6 s\nInName\n1 2 3 4 5\nNoDraw x ");
  ASSERT_TRUE(block);
  ASSERT_EQ(block->Count(), 2);
  EXPECT_EQ(ItemAt<KNameItem>(*block, 0).style, kStyleFilled);
  EXPECT_EQ(ItemAt<KNameItem>(*block, 1).style, kStylePlain);
  EXPECT_EQ(ItemAt<KNameItem>(*block, 1).lineWidth, 5);
  EXPECT_TRUE(block->noDraw);
}

TEST_P(EmbellishRead, DashPatternLinesNeedTwoPlainNumbers) {
  const struct {
    const char* line;
    std::vector<double> dashes;
  } cases[] = {{"2 1 0.5", {2, 1, 0.5}}, {"-1.5e1 3", {-15, 3}}, {"5", {}}, {"2,1", {}}, {"2\t1", {}}, {"", {}}};
  for (const auto& c : cases) {
    auto block = Block("Properties\n1 -1 N 0\nVir\n" + std::string(c.line) + "\nEnd ");
    ASSERT_TRUE(block) << c.line;
    EXPECT_EQ(ItemAt<KLineItem>(*block, 0).dashes, c.dashes) << c.line;
  }
}

TEST_P(EmbellishRead, InputEndingInsideAnItemKeepsTheItem) {
  auto block = Block("ArrowTail\n");
  ASSERT_TRUE(block);
  ASSERT_EQ(block->Count(), 1);
  EXPECT_EQ(TypeAt(*block, 0), KEmbellish::kArrowTail);
  EXPECT_EQ(ItemAt<KArrowItem>(*block, 0).size, 0.0);
}

TEST_P(EmbellishRead, OverlongWordEndsTheBlockWhole) {
  auto block = Block("ArrowHead\n1 2\nARROWTAIL" + std::string(3000, 'X') + " ArrowTail\n3 4\n");
  ASSERT_TRUE(block);
  EXPECT_EQ(block->Count(), 1);
  EXPECT_EQ(in->NextToken(), "ArrowTail");
}

TEST(EmbellishStyle, Words) {
  const std::pair<const char*, int> words[] = {{"S", 2081},  {"C", 2082}, {"B", 2083}, {"BS", 2084}, {"BC", 2085},
                                               {"BX", 2083}, {"N", 0},    {"", 0},     {"s", 0}};
  for (const auto& [word, code] : words) EXPECT_EQ(EmbellishStyleCode(word), code) << word;
}

}  // namespace
