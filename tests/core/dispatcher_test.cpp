// The keyword dispatcher: matching, order, arguments, blocks and the reading
// state that keywords change, over file and memory sources.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "model/curves/kembellish.h"
#include "model/document/elements.h"
#include "io/document/kread_context.h"
#include "model/document/read_issue_sink.h"
#include "io/document/open_document.h"
#include "model/document/kones.h"
#include "model/document/ktext_properties.h"
#include "tests/support/reading.h"
#include "tests/support/recording_progress.h"

namespace {

int CountKind(const KOnes& doc, int kind) {
  return static_cast<int>(std::count_if(doc.entries.begin(), doc.entries.end(),
                                        [&](const auto& e) { return e->kind == kind; }));
}

bool HasIssue(const KOnes& doc, const std::string& what) {
  return std::any_of(doc.ReadIssues().begin(), doc.ReadIssues().end(),
                     [&](const KReadIssue& issue) { return issue.what.find(what) != std::string::npos; });
}

class Dispatcher : public ReaderTest {};
INSTANTIATE_READER_TEST(Dispatcher);

TEST_P(Dispatcher, KeywordsMatchCaseInsensitivelyByPrefix) {
  auto doc = Read("PLINE\n0,0\n1,1\n\nPline\n0,0\n1,1\n\npline\n0,0\n1,1\n\nCurve.edge\n0,0\n1,1\n\n"
                  "3DPOLY\n0,0,5\n1,1,6\n\n");
  ASSERT_EQ(CountKind(*doc, kKindPolyline), 5);
  EXPECT_EQ(doc->entries[3]->As<KCurve>()->name(), "EDGE");
}

TEST_P(Dispatcher, OrderDecidesBetweenOverlappingKeywords) {
  // CURVEEMBELLISH is an embellishment block, not a polyline.
  auto doc = Read("CurveEmbellish\nArrowHead\n0.5 -255\nend\n");
  EXPECT_EQ(doc->entries.size(), 0u);
  ASSERT_TRUE(doc->PendingEmbellishment());
  EXPECT_EQ(doc->PendingEmbellishment()->Count(), 1);

  // TEXTP... is a properties block, MARKTEXT a point: neither is a TEXT.
  doc = Read("TextProperties\nMark 2 3 0 sym\n\nMarkText 1,2 w1\n");
  ASSERT_EQ(doc->entries.size(), 1u);
  EXPECT_EQ(doc->entries[0]->kind, kKindPoint);
  EXPECT_EQ(doc->PendingTextProperties()->markName, "sym");

  // 3DPOLY starts with a digit but is a polyline; other digit tokens open
  // an x, y, z list.
  doc = Read("3dpoly\n0,0\n2,0\n\n7,8 9,10\n\n");
  ASSERT_EQ(doc->entries.size(), 2u);
  EXPECT_EQ(doc->entries[0]->kind, kKindPolyline);
  EXPECT_EQ(doc->entries[1]->kind, kKindXyz);

  // ENDNEW does not begin with NEW; "NEWS" does.
  KBlockEnd end = KBlockEnd::kEndNew;
  doc = Read("NEWS blk POINT 1,2 a\nENDNEW POINT 3,4 b\n", &end);
  EXPECT_EQ(end, KBlockEnd::kEndOfInput);
  EXPECT_EQ(doc->entries.size(), 1u);  // one point inside the block, one outside
  ASSERT_NE(doc->blocks.LookupPath("blk"), nullptr);
  EXPECT_EQ(doc->blocks.LookupPath("blk")->entries.size(), 1u);
}

TEST_P(Dispatcher, FreeWordsAreIgnoredAndTheLastUnseparatedTokenIsNot) {
  EXPECT_EQ(Read("Class some words here POINT 1,2 a\n")->entries.size(), 1u);
  // A trailing keyword without separator is not processed.
  EXPECT_TRUE(Read("NEW")->blocks.empty());
  EXPECT_FALSE(Read("NEW ")->blocks.empty());
}

TEST_P(Dispatcher, OutermostEndNewStopsReading) {
  KBlockEnd end = KBlockEnd::kEndOfInput;
  auto doc = Read("POINT 1,2 a\nENDNEW\nPOINT 3,4 b\n", &end);
  EXPECT_EQ(end, KBlockEnd::kEndNew);
  EXPECT_EQ(doc->entries.size(), 1u);
  Read("POINT 1,2 a\n", &end);
  EXPECT_EQ(end, KBlockEnd::kEndOfInput);
}

TEST_P(Dispatcher, ColourKeywords) {
  auto doc = Read("RGB 255 0 0\nPOINT 1,1 a\nCOLOR -255\nPOINT 2,2 b\nRGB 1 2 3\nPOINT 3,3 c\n");
  ASSERT_EQ(doc->entries.size(), 3u);
  EXPECT_EQ(doc->entries[0]->colour, -255);
  EXPECT_EQ(doc->entries[1]->colour, -255);
  EXPECT_EQ(doc->entries[2]->colour, -(1 + 2 * 256 + 3 * 65536));

  // Values that do not convert leave the colour.
  doc = Read("COLOR 7 RGB 1 2\nCOLOR x\nPOINT 1,1 a\n");
  EXPECT_EQ(doc->currentColour, 7);
  EXPECT_TRUE(HasIssue(*doc, "RGB"));

  // Components far out of range wrap like 32-bit arithmetic instead of
  // overflowing.
  doc = Read("RGB 2000000000 2000000000 2000000000\n");
  EXPECT_EQ(static_cast<unsigned>(doc->currentColour),
            0u - (2000000000u + 256u * 2000000000u + 65536u * 2000000000u));
}

TEST_P(Dispatcher, ArgumentIsExactlyTheNextToken) {
  // Two blanks give COLOR an empty argument; the number then opens a list.
  auto doc = Read("COLOR 3\nCOLOR  5,6\n\n");
  EXPECT_EQ(doc->currentColour, 3);
  ASSERT_EQ(doc->entries.size(), 1u);
  EXPECT_EQ(doc->entries[0]->kind, kKindXyz);
}

TEST_P(Dispatcher, EntriesCarryTheReadingState) {
  auto doc = Read("POINT 0,0 first\nLAYER M wells\nCOLOR -65280\nTEXTP\nMark 2 2 0 sym\n\n"
                  "PROPERTIES_ARE_NOT_KEYWORDS\nCurveEmbellish\nArrowHead\n0.5 -255\nend\nPLINE\n0,0\n1,0\n\n");
  ASSERT_EQ(doc->entries.size(), 2u);
  const KEntry& first = *doc->entries[0];
  EXPECT_EQ(first.layer->name, "0");  // created on first use
  EXPECT_EQ(first.colour, 0);
  EXPECT_EQ(first.TextProperties()->markName, "");
  EXPECT_FALSE(first.Embellishment());
  const KEntry& second = *doc->entries[1];
  EXPECT_EQ(second.layer->name, "wells");
  EXPECT_EQ(second.colour, -65280);
  EXPECT_EQ(second.TextProperties()->markName, "sym");
  EXPECT_TRUE(second.Embellishment());
  EXPECT_EQ(second.EffectiveTextProperties(), second.TextProperties().get());
}

TEST_P(Dispatcher, OverlongWordIsSkippedWithoutRerunningTheKeyword) {
  const std::string word(10000, 'A');
  // Were the previous keyword re-run on the long word, a second point would
  // appear; were the cut-off "PLINE..." word read as a keyword, a polyline.
  auto doc = Read("POINT 1,2 x\n" + word + " 7,7 y\n" + "PLINE" + word + "\n0,0\n5,5\n\n");
  EXPECT_EQ(CountKind(*doc, kKindPoint), 1);
  EXPECT_EQ(CountKind(*doc, kKindPolyline), 0);
  EXPECT_EQ(CountKind(*doc, kKindXyz), 2);
  EXPECT_TRUE(HasIssue(*doc, "word skipped"));
}

TEST_P(Dispatcher, EmptyBlocksLeavePendingProperties) {
  auto doc = Read("TEXTP\nMark 2 2 0 sym\n\nTEXTP\n\nEMBELLISH\n\nPOINT 1,1 a\n");
  ASSERT_EQ(doc->entries.size(), 1u);
  EXPECT_EQ(doc->entries[0]->TextProperties()->markName, "sym");
  EXPECT_FALSE(doc->entries[0]->Embellishment());
}

TEST_P(Dispatcher, ReportsProgressUpToTheInputLength) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "POINT " + std::to_string(i) + ",1 w\n";
  KByteSource src = Source(text);
  KOnes doc;
  RecordingProgress progress;
  EXPECT_EQ(ReadTextFrom(doc, src, &progress), KBlockEnd::kEndOfInput);
  EXPECT_EQ(doc.entries.size(), 2000u);
  ASSERT_FALSE(progress.totals.empty());
  EXPECT_EQ(progress.totals.back(), static_cast<std::int64_t>(text.size()));
  ASSERT_GT(progress.positions.size(), 10u);
  EXPECT_TRUE(std::is_sorted(progress.positions.begin(), progress.positions.end()));
  EXPECT_EQ(progress.positions.back(), static_cast<std::int64_t>(text.size()));
}

TEST_P(Dispatcher, IssuesSayWhatWhereAndWhy) {
  const std::string text = "POINT 1,2 a\nPLINE\n0,0\n1,1\n";
  auto doc = Read(text);
  ASSERT_EQ(doc->ReadIssues().size(), 1u);
  EXPECT_EQ(doc->ReadIssues()[0].what, "polyline dropped");
  EXPECT_EQ(doc->ReadIssues()[0].why, "input ended before its terminating line");
  EXPECT_EQ(doc->ReadIssues()[0].offset, static_cast<std::int64_t>(text.size()));
}

}  // namespace

TEST(DispatcherIssues, EachKindKeepsItsFirstIssuesAndCountsTheRestAcrossBlocks) {
  // 1000 one-vertex polylines, half of them inside blocks, and one other issue.
  std::string text;
  for (int k = 0; k < 500; ++k) text += "Pline\n1,1\n\n";
  for (int k = 0; k < 500; ++k) text += "New b" + std::to_string(k) + "\nPline\n1,1\n\nEndNew\n";
  text += "Pline\n0,0\n1e-9,0\n\n";   // same kind, other reason
  auto doc = ReadDrawing(text);
  const int kept = KReadIssueSink::kIssuesPerKind;
  ASSERT_EQ(doc->ReadIssues().size(), static_cast<std::size_t>(kept + 1));
  EXPECT_EQ(doc->ReadIssues()[0].what, "polyline rejected");
  EXPECT_EQ(doc->ReadIssues().back().what, "polyline rejected");
  EXPECT_EQ(doc->ReadIssues().back().why, std::to_string(1001 - kept) + " more like this, not listed");
}

TEST(DispatcherIssues, PolylinesAtInfinityOrOverflowingTheirLengthAreRejected) {
  auto doc = ReadDrawing("Pline\n1e308,0\n-1e308,0\n\nPline\n0,0\n1e999,0\n\nPline\n0,0\n10,10\n\n");
  EXPECT_EQ(doc->entries.size(), 1u);
  ASSERT_EQ(doc->ReadIssues().size(), 2u);
  EXPECT_EQ(doc->ReadIssues()[0].why, "its length overflows: coordinates too far apart");
  EXPECT_EQ(doc->ReadIssues()[1].why, "a vertex is not a finite number");
}
