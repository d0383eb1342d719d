#include "document/io/lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace std::string_literals;

namespace {

KByteSource Source(std::string bytes) { return KByteSource::FromMemory(std::move(bytes)); }

struct Token {
  KTokenEnd end;
  std::string text;
  bool operator==(const Token&) const = default;
};

std::vector<Token> AllTokens(std::string bytes) {
  KByteSource src = Source(std::move(bytes));
  std::vector<Token> out;
  std::string token = "untouched";
  for (;;) {
    const KTokenEnd end = ReadToken(src, token);
    out.push_back({end, token});
    if (EndsInput(end)) return out;
  }
}

TEST(ReadToken, ResultCodesForEachWayATokenEnds) {
  std::vector<Token> want = {
      {KTokenEnd::kLineFeed, "ab"},   // ended at a line feed
      {KTokenEnd::kSeparator, "cde"}, // at a blank
      {KTokenEnd::kSeparator, ""},    // two separators in a row: an empty token
      {KTokenEnd::kSeparator, "f"},   // a tab separates
      {KTokenEnd::kInputCut, "gh"},   // input ends after bytes
  };
  std::vector<Token> got = AllTokens("ab\ncde  f\tgh");
  ASSERT_EQ(got.size(), want.size());
  EXPECT_EQ(got, want);
}

TEST(ReadToken, EndOfInputWithNothingReadLeavesTokenUnchanged) {
  KByteSource src = Source("x ");
  std::string token;
  EXPECT_EQ(ReadToken(src, token), KTokenEnd::kSeparator);
  EXPECT_EQ(ReadToken(src, token), KTokenEnd::kInputEnd);
  EXPECT_EQ(token, "x");
}

TEST(ReadToken, EveryControlByteSeparatesButCarriageReturnIsDropped) {
  // 0x00 and 0x1F separate; 0x0D vanishes even inside a word.
  std::string bytes = std::string("a\0b", 3) + "\x1f" + "c\rd\r\n";
  std::vector<Token> got = AllTokens(bytes);
  std::vector<Token> want = {{KTokenEnd::kSeparator, "a"},
                             {KTokenEnd::kSeparator, "b"},
                             {KTokenEnd::kLineFeed, "cd"},
                             {KTokenEnd::kInputEnd, "cd"}};
  EXPECT_EQ(got, want);
}

TEST(ReadToken, HighBytesAreTokenBytesAndFFEndsInput) {
  KByteSource src = Source("\xb5\xc4\xfe ab\xff" "cd ");
  std::string token;
  EXPECT_EQ(ReadToken(src, token), KTokenEnd::kSeparator);
  EXPECT_EQ(token, "\xb5\xc4\xfe");
  EXPECT_EQ(ReadToken(src, token), KTokenEnd::kInputCut);
  EXPECT_EQ(token, "ab");
  // 0xFF at the very start of a call: nothing read.
  KByteSource src2 = Source("\xff" "x");
  token = "keep";
  EXPECT_EQ(ReadToken(src2, token), KTokenEnd::kInputEnd);
  EXPECT_EQ(token, "keep");
}

TEST(ReadToken, CrLfAndLfReadTheSame) {
  EXPECT_EQ(AllTokens("PLINE\r\n1,2\r\n\r\n"), AllTokens("PLINE\n1,2\n\n"));
}

TEST(ReadToken, OverLongWordIsCutAtTheBufferAndContinuesNextCall) {
  std::string word(kReadBufferSize + 100, 'A');
  KByteSource src = Source("PLINE " + word + " next ");
  std::string token;
  EXPECT_EQ(ReadToken(src, token), KTokenEnd::kSeparator);
  EXPECT_EQ(ReadToken(src, token), KTokenEnd::kOverlong);
  EXPECT_EQ(token, std::string(kReadBufferSize, 'A'));  // not the previous keyword
  EXPECT_EQ(ReadToken(src, token), KTokenEnd::kSeparator);
  EXPECT_EQ(token, std::string(100, 'A'));
  EXPECT_EQ(ReadToken(src, token), KTokenEnd::kSeparator);
  EXPECT_EQ(token, "next");
}

TEST(ReadLine, LinesEndAtLineFeedOrNulAndDropCarriageReturns) {
  KByteSource src = Source("one\r\ntw\ro\0three four\nlast"s);
  std::string line;
  ASSERT_TRUE(ReadLine(src, line));
  EXPECT_EQ(line, "one");
  ASSERT_TRUE(ReadLine(src, line));
  EXPECT_EQ(line, "two");
  ASSERT_TRUE(ReadLine(src, line));
  EXPECT_EQ(line, "three four");
  // A final line without line feed is not read and the line stays.
  EXPECT_FALSE(ReadLine(src, line));
  EXPECT_EQ(line, "three four");
}

TEST(ReadLine, FFIsAnOrdinaryLineByte) {
  KByteSource src = Source("a\xff" "b\n");
  std::string line;
  ASSERT_TRUE(ReadLine(src, line));
  EXPECT_EQ(line, "a\xff" "b");
}

TEST(ReadLine, LongLinesComeInBufferSizedPieces) {
  std::string text(kReadBufferSize * 2 + 7, 'x');
  KByteSource src = Source(text + "\nnext\n");
  std::string line;
  ASSERT_TRUE(ReadLine(src, line));
  EXPECT_EQ(line.size(), kReadBufferSize);
  ASSERT_TRUE(ReadLine(src, line));
  EXPECT_EQ(line.size(), kReadBufferSize);
  ASSERT_TRUE(ReadLine(src, line));
  EXPECT_EQ(line, std::string(7, 'x'));
  ASSERT_TRUE(ReadLine(src, line));
  EXPECT_EQ(line, "next");
}

TEST(ReadPrimitives, TokenThenLineContinueOnTheSameLine) {
  KByteSource src = Source("RGB 1 2 3\nKEY\nrest\n");
  std::string token, line;
  EXPECT_EQ(ReadToken(src, token), KTokenEnd::kSeparator);
  ASSERT_TRUE(ReadLine(src, line));
  EXPECT_EQ(line, "1 2 3");
  // A keyword that ends its line: the line reader starts on the next one.
  EXPECT_EQ(ReadToken(src, token), KTokenEnd::kLineFeed);
  ASSERT_TRUE(ReadLine(src, line));
  EXPECT_EQ(line, "rest");
}

}  // namespace
