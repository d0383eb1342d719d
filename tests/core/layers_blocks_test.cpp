// The layer command, layer trees and NEW ... ENDNEW blocks, over file and
// memory sources.
#include <gtest/gtest.h>

#include <string>

#include "model/curves/kembellish.h"
#include "model/document/elements.h"
#include "model/document/kones.h"
#include "model/document/ktext_properties.h"
#include "tests/support/reading.h"

namespace {

class LayerCommand : public ReaderTest {};
INSTANTIATE_READER_TEST(LayerCommand);
class Blocks : public ReaderTest {};
INSTANTIATE_READER_TEST(Blocks);

TEST_P(LayerCommand, SelectCreatesUnderItsPathAndReselects) {
  auto doc = Read(
      "LAYER M window\\edit POINT 1,1 a\n"
      "Layer m other POINT 2,2 b\n"
      "layer M window\\edit POINT 3,3 c\n");
  ASSERT_EQ(doc->entries.size(), 3u);
  KLayer* edit = doc->layers.LookupPath("window\\edit");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->name, "window\\edit");
  EXPECT_EQ(doc->entries[0]->layer, edit);
  EXPECT_EQ(doc->entries[2]->layer, edit);
  EXPECT_EQ(doc->OwnedLayers().size(), 2u);
  // The group node exists, holding the leaf.
  auto root = doc->layers.Children();
  ASSERT_EQ(root.size(), 2u);
  EXPECT_EQ(root[1].key, "window\\");
  ASSERT_NE(root[1].child, nullptr);
  EXPECT_EQ(root[1].child->LookupPath("edit"), edit);
}

TEST_P(LayerCommand, StatesActOnTheCurrentLayer) {
  auto doc = Read(
      "LAYER M a LAYER NotViewNotEdit\n"
      "LAYER M b LAYER viewnotedit\n"
      "LAYER M c LAYER ViewNotEdit LAYER ViewAndEdit\n"
      "LAYER M d LAYER Bogus\n");
  EXPECT_EQ(doc->layers.LookupPath("a")->state, kNotViewNotEdit);
  EXPECT_EQ(doc->layers.LookupPath("b")->state, kViewNotEdit);
  EXPECT_EQ(doc->layers.LookupPath("c")->state, kViewAndEdit);
  EXPECT_EQ(doc->layers.LookupPath("d")->state, kViewAndEdit);
}

TEST_P(LayerCommand, EmbellishmentAndTextPropertiesMoveToTheLayer) {
  auto doc = Read(
      "CurveEmbellish\nArrowHead\n0.5 -255\nend\n"
      "TEXTP\nMark 2 2 0 sym\n\n"
      "LAYER M faults LAYER E LAYER Textproperties\n"
      "PLINE\n0,0\n1,1\n\n");
  KLayer* faults = doc->layers.LookupPath("faults");
  ASSERT_NE(faults, nullptr);
  ASSERT_TRUE(faults->Embellishment());
  ASSERT_TRUE(faults->TextProperties());
  EXPECT_EQ(faults->TextProperties()->markName, "sym");
  EXPECT_FALSE(doc->PendingEmbellishment());
  EXPECT_FALSE(doc->PendingTextProperties());
  ASSERT_EQ(doc->entries.size(), 1u);
  const KEntry& e = *doc->entries[0];
  EXPECT_FALSE(e.TextProperties());
  EXPECT_EQ(e.EffectiveTextProperties(), faults->TextProperties().get());
  EXPECT_EQ(e.EffectiveEmbellishment(), faults->Embellishment().get());
}

TEST_P(LayerCommand, LayerFormsBeforeAnyLayerAreIgnored) {
  auto doc = Read("TEXTP\nMark 2 2 0 sym\n\nLAYER T LAYER E LAYER ViewNotEdit\n");
  EXPECT_EQ(doc->CurrentLayer(), nullptr);
  ASSERT_TRUE(doc->PendingTextProperties());
  EXPECT_EQ(doc->PendingTextProperties()->markName, "sym");
  EXPECT_EQ(doc->ReadIssues().size(), 3u);
  // The empty token after LAYER does nothing (the "Class LAYER" idiom).
  doc = Read("Class LAYER\n\nPOINT 1,1 a\n");
  EXPECT_EQ(doc->OwnedLayers().size(), 1u);
  EXPECT_EQ(doc->entries.at(0)->layer->name, "0");
}

TEST_P(Blocks, ReadIntoTheBlockTreeWithAFreshState) {
  auto doc = Read(
      "COLOR 5 LAYER M outer\n"
      "NEW sym\\well\n"
      "PLINE\n0,0\n1,1\n\n"
      "NEW inner POINT 0,0 x\nENDNEW\n"
      "ENDNEW\n"
      "POINT 9,9 top\n");
  ASSERT_EQ(doc->entries.size(), 1u);
  EXPECT_EQ(doc->entries[0]->colour, 5);
  EXPECT_EQ(doc->entries[0]->layer->name, "outer");
  KOnes* block = doc->blocks.LookupPath("sym\\well");
  ASSERT_NE(block, nullptr);
  ASSERT_EQ(block->entries.size(), 1u);
  EXPECT_EQ(block->entries[0]->colour, 0);
  EXPECT_EQ(block->entries[0]->layer->name, "0");
  EXPECT_EQ(block->layers.LookupPath("outer"), nullptr);
  // A nested block belongs to the block that holds it.
  EXPECT_EQ(doc->blocks.LookupPath("inner"), nullptr);
  ASSERT_NE(block->blocks.LookupPath("inner"), nullptr);
}

TEST_P(Blocks, LaterBlockOfTheSameNameWins) {
  auto doc = Read("NEW b POINT 1,1 one\nENDNEW NEW b POINT 2,2 two\nPOINT 3,3 three\nENDNEW\n");
  KOnes* b = doc->blocks.LookupPath("b");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->entries.size(), 2u);
}

TEST_P(Blocks, EndOfInputEndsEveryOpenBlock) {
  KBlockEnd end = KBlockEnd::kEndNew;
  auto doc = Read("NEW a POINT 1,1 p\nNEW b POINT 2,2 q\n", &end);
  EXPECT_EQ(end, KBlockEnd::kEndOfInput);
  KOnes* a = doc->blocks.LookupPath("a");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->entries.size(), 1u);
  ASSERT_NE(a->blocks.LookupPath("b"), nullptr);
  EXPECT_EQ(doc->ReadIssues().size(), 2u);  // both blocks unterminated
}

TEST_P(Blocks, NestingIsBoundedAndTheTooDeepBlockSkipped) {
  const int levels = 5000;
  std::string text;
  for (int i = 0; i < levels; ++i) text += "NEW b" + std::to_string(i) + " POINT 1,1 p\n";
  for (int i = 0; i < levels; ++i) text += "ENDNEW\n";
  text += "POINT 5,5 after\n";
  KBlockEnd end = KBlockEnd::kEndNew;
  auto doc = Read(text, &end);
  EXPECT_EQ(end, KBlockEnd::kEndOfInput);
  // Reading goes on after the skipped block's ENDNEW.
  ASSERT_EQ(doc->entries.size(), 1u);
  EXPECT_DOUBLE_EQ(doc->entries[0]->As<KPointText>()->x, 5);
  int depth = 0;
  for (KOnes* b = doc->blocks.LookupPath("b0"); b; ++depth)
    b = b->blocks.LookupPath("b" + std::to_string(depth + 1));
  EXPECT_EQ(depth, KOnes::kMaxBlockDepth);
  ASSERT_EQ(doc->ReadIssues().size(), 1u);
  EXPECT_NE(doc->ReadIssues()[0].what.find("b64"), std::string::npos);
}

}  // namespace
