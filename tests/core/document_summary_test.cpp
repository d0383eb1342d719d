// What "quarvel info" prints: the summary of a document and its JSON form.
#include "model/document/document_summary.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "window/editor/quarvel_window.h"

namespace {

TEST(JsonString, EscapesAndKeepsEveryByte) {
  EXPECT_EQ(JsonString("f(x,y)\\xyz"), "\"f(x,y)\\\\xyz\"");
  EXPECT_EQ(JsonString("say \"hi\"\n\t\x01"), "\"say \\\"hi\\\"\\n\\t\\u0001\"");
  // Valid UTF-8 passes through untouched.
  EXPECT_EQ(JsonString("Bohrung \xc3\xa4 \xe2\x82\xac \xf0\x9f\x98\x80"), "\"Bohrung \xc3\xa4 \xe2\x82\xac \xf0\x9f\x98\x80\"");
  // Code-page bytes that are not UTF-8 become \u00XX of the byte.
  EXPECT_EQ(JsonString("\xb5\xc4"), "\"\\u00b5\\u00c4\"");
  EXPECT_EQ(JsonString("a\xc3"), "\"a\\u00c3\"");              // cut sequence
  EXPECT_EQ(JsonString("\xc0\xaf"), "\"\\u00c0\\u00af\"");     // overlong form
  EXPECT_EQ(JsonString("\xed\xa0\x80"), "\"\\u00ed\\u00a0\\u0080\"");  // surrogate
  EXPECT_EQ(JsonString("\xf4\x90\x80\x80"), "\"\\u00f4\\u0090\\u0080\\u0080\"");  // above U+10FFFF
  EXPECT_EQ(JsonString(std::string("\0", 1)), "\"\\u0000\"");
}

TEST(JsonNumber, ShortestRoundTripAndSentinels) {
  EXPECT_EQ(JsonNumber(1e300), "1e300");
  EXPECT_EQ(JsonNumber(-1e300), "-1e300");
  EXPECT_EQ(JsonNumber(-4.1), "-4.1");
  EXPECT_EQ(JsonNumber(10000), "10000");
  EXPECT_EQ(JsonNumber(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(JsonNumber(1e-7), "1e-07");
  EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
}

TEST(Summary, CountsSortsAndPrintsInOrder) {
  QuarvelWindow window;
  window.OnOpenDocumentMem(
      "NEW z\\b ENDNEW NEW a ENDNEW NEW z\\a ENDNEW\n"
      "LAYER M zeta LAYER NotViewNotEdit POINT 1,1 p\n"
      "LAYER M alpha\\two LAYER ViewNotEdit XYZ 5,6 7,-8\n\n"
      "LAYER M Alpha PLINE\n0,0\n1,1\n\nPLINE\n2,2\n3,3\n\n");
  const KDocumentSummary s = Summarize(window, window);
  EXPECT_EQ(s.entries, 4);
  EXPECT_EQ(SummaryJson(s),
            "{\"entries\": 4, \"kinds\": {\"100\": 2, \"200\": 1, \"301\": 1}, "
            "\"layers\": [{\"name\": \"Alpha\", \"state\": 0}, {\"name\": \"alpha\\\\two\", \"state\": 1}, "
            "{\"name\": \"zeta\", \"state\": 2}], "
            "\"blocks\": [\"a\", \"z\\\\a\", \"z\\\\b\"], "
            "\"extent\": [0, 7, -8, 6]}\n");
}

TEST(Summary, IssuesAreListedOnlyWhenAsked) {
  QuarvelWindow window;
  window.OnOpenDocumentMem("PLINE\n0,0\n");
  std::vector<KFileIssue> issues;
  for (const KReadIssue& i : window.ReadIssues()) issues.push_back({"a.qvd", i});
  const KDocumentSummary s = Summarize(window, window);
  EXPECT_EQ(SummaryJson(s).find("issues"), std::string::npos);
  EXPECT_NE(SummaryJson(s, &issues)
                .find("\"issues\": [{\"file\": \"a.qvd\", \"offset\": 10, \"what\": \"polyline dropped\", "
                      "\"why\": \"input ended before its terminating line\"}]}"),
            std::string::npos);
  EXPECT_NE(SummaryText(s, &issues).find("a.qvd: byte 10: polyline dropped: input ended before its terminating line"),
            std::string::npos);
  EXPECT_NE(SummaryText(s).find("extent: x none, y none"), std::string::npos);
}

}  // namespace
