#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "curves/kembellish.h"
#include "document/io/kread_context.h"
#include "document/io/lexer.h"
#include "document/io/record_readers.h"
#include "platform/byte_source.h"

namespace {

// Reads a block from the bytes after its EMBELLISH / CURVEEMBELLISH token.
struct BlockRead {
  explicit BlockRead(const std::string& rest) : src(KByteSource::FromMemory(rest)), ctx{src, nullptr, &issues} {
    block = ReadEmbellishment(ctx);
  }
  std::string NextToken() {
    std::string t;
    ReadToken(src, t);
    return t;
  }
  template <class Item>
  const Item& ItemAt(int i) const {
    return std::get<Item>(block->items.at(static_cast<std::size_t>(i)).item);
  }
  int TypeAt(int i) const { return block->items.at(static_cast<std::size_t>(i)).type; }

  KByteSource src;
  std::vector<KReadIssue> issues;
  KReadContext ctx;
  std::shared_ptr<KEmbellish> block;
};

TEST(EmbellishRead, ArrowLineWithDashesAndNoDraw) {
  BlockRead r("ArrowHead\n0.5 -255\nProperties\n0.1 -255 N 0\nVir\n2 1\nNoDraw\nEnd\nNEXT ");
  ASSERT_TRUE(r.block);
  ASSERT_EQ(r.block->Count(), 2);
  EXPECT_TRUE(r.block->noDraw);

  EXPECT_EQ(r.TypeAt(0), KEmbellish::kArrowHead);
  EXPECT_EQ(r.ItemAt<KArrowItem>(0).size, 0.5);
  EXPECT_EQ(r.ItemAt<KArrowItem>(0).colour, -255);

  EXPECT_EQ(r.TypeAt(1), KEmbellish::kProperties);
  const KLineItem& line = r.ItemAt<KLineItem>(1);
  EXPECT_EQ(line.width, 0.1);
  EXPECT_EQ(line.colour, -255);
  EXPECT_EQ(line.style, kStylePlain);
  EXPECT_EQ(line.squareCap, 0);
  EXPECT_EQ(line.dashes, (std::vector<double>{2, 1}));
  // The token that ended the block was consumed with it.
  EXPECT_EQ(r.NextToken(), "NEXT");
}

TEST(EmbellishRead, BlocksWithoutItemsYieldNothing) {
  BlockRead noDrawOnly("NoDraw\nEnd\n");
  EXPECT_FALSE(noDrawOnly.block);
  EXPECT_EQ(noDrawOnly.issues.size(), 1u);

  // An empty line right after the keyword ends the block at once; the token
  // after it is the dispatcher's again.
  BlockRead emptyLine("\nPline\n");
  EXPECT_FALSE(emptyLine.block);
  EXPECT_EQ(emptyLine.NextToken(), "Pline");

  BlockRead endOfInput("");
  EXPECT_FALSE(endOfInput.block);
}

TEST(EmbellishRead, TokenAfterPropertiesLineIsConsumed) {
  BlockRead r("Properties\n0.1 -255 S 1\nArrowHead\n0.5 -255\n");
  ASSERT_TRUE(r.block);
  ASSERT_EQ(r.block->Count(), 1);
  const KLineItem& line = r.ItemAt<KLineItem>(0);
  EXPECT_EQ(line.style, kStyleFilled);
  EXPECT_EQ(line.squareCap, 1);
  EXPECT_TRUE(line.dashes.empty());
  // "0.5" ended the block; "-255" is next.
  EXPECT_EQ(r.NextToken(), "-255");

  // Line items take their style word in upper case only.
  BlockRead lower("Properties\n0.1 -255 s 1\nx\nx ");
  ASSERT_TRUE(lower.block);
  EXPECT_EQ(lower.ItemAt<KLineItem>(0).style, kStylePlain);
}

TEST(EmbellishRead, LocateAndScaleFillMarkItemsKeepingDefaults) {
  BlockRead full("Locate\n10 0.3 0.4 15 0 20 0.5 0 bs -65536\nScale window\\play 2 1 1.5 90 0 10 0.25 1 C\nEnd ");
  ASSERT_TRUE(full.block);
  ASSERT_EQ(full.block->Count(), 2);
  EXPECT_EQ(full.TypeAt(0), KEmbellish::kLocate);
  const KMarkItem& locate = full.ItemAt<KMarkItem>(0);
  EXPECT_EQ(locate.step, 10);
  EXPECT_EQ(locate.sizeX, 0.3);
  EXPECT_EQ(locate.sizeY, 0.4);
  EXPECT_EQ(locate.angleOffset, 15);
  EXPECT_EQ(locate.start, 0);
  EXPECT_EQ(locate.end, 20);
  EXPECT_EQ(locate.offset, 0.5);
  EXPECT_EQ(locate.scaleToLength, 0);
  EXPECT_EQ(locate.style, kStyleSplineFilled);  // mark items accept lower case
  EXPECT_EQ(locate.labelColour, -65536);

  EXPECT_EQ(full.TypeAt(1), KEmbellish::kScale);
  const KMarkItem& scale = full.ItemAt<KMarkItem>(1);
  EXPECT_EQ(scale.blockName, "window\\play");
  EXPECT_EQ(scale.step, 2);
  EXPECT_EQ(scale.sizeY, 1.5);
  EXPECT_EQ(scale.angleOffset, 90);
  EXPECT_EQ(scale.end, 10);
  EXPECT_EQ(scale.offset, 0.25);
  EXPECT_EQ(scale.style, kStyleClosed);

  BlockRead partial("Locate\n5 0.3\nEnd ");
  ASSERT_TRUE(partial.block);
  const KMarkItem& p = partial.ItemAt<KMarkItem>(0);
  EXPECT_EQ(p.step, 5);
  EXPECT_EQ(p.sizeX, 0.3);
  EXPECT_EQ(p.sizeY, 0.2);
  EXPECT_EQ(p.start, -1.0);
  EXPECT_EQ(p.end, -2.0);
  EXPECT_EQ(p.scaleToLength, 1);
  EXPECT_EQ(p.style, kStylePlain);
  EXPECT_EQ(p.labelColour, 0);
}

TEST(EmbellishRead, NameItemWithAndWithoutDashPattern) {
  BlockRead dashed("InName\n2.5 3 255 0.5 0.1 65280 v\nnot used\n4 2 1 2\nArrowTail\n1 -5\nEnd ");
  ASSERT_TRUE(dashed.block);
  ASSERT_EQ(dashed.block->Count(), 2);
  EXPECT_EQ(dashed.TypeAt(0), KEmbellish::kInName);
  const KNameItem& name = dashed.ItemAt<KNameItem>(0);
  EXPECT_EQ(name.charSize, 2.5);
  EXPECT_EQ(name.repetitions, 3);
  EXPECT_EQ(name.textColour, 255);
  EXPECT_EQ(name.offset, 0.5);
  EXPECT_EQ(name.lineWidth, 0.1);
  EXPECT_EQ(name.colour, 65280);
  EXPECT_EQ(name.style, kStyleDashed);
  EXPECT_EQ(name.dashes, (std::vector<double>{4, 2, 1, 2}));
  EXPECT_EQ(name.width, 0.0);
  EXPECT_EQ(name.squareCap, 0);
  EXPECT_EQ(dashed.TypeAt(1), KEmbellish::kArrowTail);
  EXPECT_EQ(dashed.ItemAt<KArrowItem>(1).colour, -5);

  // Names upper-case their style word; with five values or fewer it is not
  // looked at, and no line is skipped.
  BlockRead plain("InName\n1 2 3 4 5 6 s\nInName\n1 2 3 4 5\nNoDraw x ");
  ASSERT_TRUE(plain.block);
  ASSERT_EQ(plain.block->Count(), 2);
  EXPECT_EQ(plain.ItemAt<KNameItem>(0).style, kStyleFilled);
  EXPECT_EQ(plain.ItemAt<KNameItem>(1).style, kStylePlain);
  EXPECT_EQ(plain.ItemAt<KNameItem>(1).lineWidth, 5);
  EXPECT_TRUE(plain.block->noDraw);
}

TEST(EmbellishRead, DashPatternLinesNeedTwoPlainNumbers) {
  const auto dashes = [](const std::string& patternLine) {
    BlockRead r("Properties\n1 -1 N 0\nVir\n" + patternLine + "\nEnd ");
    return r.block ? r.ItemAt<KLineItem>(0).dashes : std::vector<double>{-999};
  };
  EXPECT_EQ(dashes("2 1 0.5"), (std::vector<double>{2, 1, 0.5}));
  EXPECT_EQ(dashes("-1.5e1 3"), (std::vector<double>{-15, 3}));
  EXPECT_TRUE(dashes("5").empty());
  EXPECT_TRUE(dashes("2,1").empty());
  EXPECT_TRUE(dashes("2\t1").empty());
  EXPECT_TRUE(dashes("").empty());
}

TEST(EmbellishRead, InputEndingInsideAnItemKeepsTheItem) {
  BlockRead r("ArrowTail\n");
  ASSERT_TRUE(r.block);
  ASSERT_EQ(r.block->Count(), 1);
  EXPECT_EQ(r.TypeAt(0), KEmbellish::kArrowTail);
  EXPECT_EQ(r.ItemAt<KArrowItem>(0).size, 0.0);

  BlockRead scale("Scale");
  EXPECT_FALSE(scale.block);  // a token cut by the end of input is not read
}

TEST(EmbellishRead, OverlongWordEndsTheBlockWhole) {
  BlockRead r("ArrowHead\n1 2\nARROWTAIL" + std::string(3000, 'X') + " ArrowTail\n3 4\n");
  ASSERT_TRUE(r.block);
  EXPECT_EQ(r.block->Count(), 1);
  EXPECT_EQ(r.NextToken(), "ArrowTail");
}

TEST(EmbellishRead, StyleWords) {
  EXPECT_EQ(EmbellishStyleCode("S"), 2081);
  EXPECT_EQ(EmbellishStyleCode("C"), 2082);
  EXPECT_EQ(EmbellishStyleCode("B"), 2083);
  EXPECT_EQ(EmbellishStyleCode("BS"), 2084);
  EXPECT_EQ(EmbellishStyleCode("BC"), 2085);
  EXPECT_EQ(EmbellishStyleCode("BX"), 2083);
  EXPECT_EQ(EmbellishStyleCode("N"), 0);
  EXPECT_EQ(EmbellishStyleCode(""), 0);
  EXPECT_EQ(EmbellishStyleCode("s"), 0);
}

}  // namespace
