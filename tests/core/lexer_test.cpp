#include "document/io/lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace std::string_literals;

namespace {

KByteSource Source(std::string bytes) { return KByteSource::FromMemory(std::move(bytes)); }

struct Token {
  int result;
  std::string text;
  bool operator==(const Token&) const = default;
};

std::vector<Token> AllTokens(std::string bytes) {
  KByteSource src = Source(std::move(bytes));
  std::vector<Token> out;
  std::string token = "untouched";
  for (;;) {
    const int r = ReadToken(src, token);
    out.push_back({r, token});
    if (r < 0) return out;
  }
}

TEST(ReadToken, ResultCodesForEachWayATokenEnds) {
  std::vector<Token> want = {
      {kTokenEndedLine, "ab"},  // ended at a line feed
      {4, "cde"},               // length + 1 at a blank
      {1, ""},                  // two separators in a row: an empty token
      {2, "f"},                 // a tab separates
      {kTokenCutByEnd, "gh"},   // input ends after bytes
  };
  std::vector<Token> got = AllTokens("ab\ncde  f\tgh");
  ASSERT_EQ(got.size(), want.size());
  EXPECT_EQ(got, want);
}

TEST(ReadToken, EndOfInputWithNothingReadLeavesTokenUnchanged) {
  KByteSource src = Source("x ");
  std::string token;
  EXPECT_EQ(ReadToken(src, token), 2);
  EXPECT_EQ(ReadToken(src, token), kTokenEndOfInput);
  EXPECT_EQ(token, "x");
}

TEST(ReadToken, EveryControlByteSeparatesButCarriageReturnIsDropped) {
  // 0x00 and 0x1F separate; 0x0D vanishes even inside a word.
  std::string bytes = std::string("a\0b", 3) + "\x1f" + "c\rd\r\n";
  std::vector<Token> got = AllTokens(bytes);
  std::vector<Token> want = {{2, "a"}, {2, "b"}, {kTokenEndedLine, "cd"}, {kTokenEndOfInput, "cd"}};
  EXPECT_EQ(got, want);
}

TEST(ReadToken, HighBytesAreTokenBytesAndFFEndsInput) {
  KByteSource src = Source("\xb5\xc4\xfe ab\xff" "cd ");
  std::string token;
  EXPECT_EQ(ReadToken(src, token), 4);
  EXPECT_EQ(token, "\xb5\xc4\xfe");
  EXPECT_EQ(ReadToken(src, token), kTokenCutByEnd);
  EXPECT_EQ(token, "ab");
  // 0xFF at the very start of a call: nothing read.
  KByteSource src2 = Source("\xff" "x");
  token = "keep";
  EXPECT_EQ(ReadToken(src2, token), kTokenEndOfInput);
  EXPECT_EQ(token, "keep");
}

TEST(ReadToken, CrLfAndLfReadTheSame) {
  EXPECT_EQ(AllTokens("PLINE\r\n1,2\r\n\r\n"), AllTokens("PLINE\n1,2\n\n"));
}

TEST(ReadToken, OverLongWordIsCutAtTheBufferAndContinuesNextCall) {
  std::string word(kReadBufferSize + 100, 'A');
  KByteSource src = Source("PLINE " + word + " next ");
  std::string token;
  EXPECT_EQ(ReadToken(src, token), 6);
  EXPECT_EQ(ReadToken(src, token), static_cast<int>(kReadBufferSize) + 1);
  EXPECT_EQ(token, std::string(kReadBufferSize, 'A'));  // not the previous keyword
  EXPECT_EQ(ReadToken(src, token), 101);
  EXPECT_EQ(token, std::string(100, 'A'));
  EXPECT_EQ(ReadToken(src, token), 5);
  EXPECT_EQ(token, "next");
}

TEST(ReadLine, LinesEndAtLineFeedOrNulAndDropCarriageReturns) {
  KByteSource src = Source("one\r\ntw\ro\0three four\nlast"s);
  std::string line;
  ASSERT_EQ(ReadLine(src, line), 1);
  EXPECT_EQ(line, "one");
  ASSERT_EQ(ReadLine(src, line), 1);
  EXPECT_EQ(line, "two");
  ASSERT_EQ(ReadLine(src, line), 1);
  EXPECT_EQ(line, "three four");
  // A final line without line feed is not read and the line stays.
  EXPECT_EQ(ReadLine(src, line), 0);
  EXPECT_EQ(line, "three four");
}

TEST(ReadLine, FFIsAnOrdinaryLineByte) {
  KByteSource src = Source("a\xff" "b\n");
  std::string line;
  ASSERT_EQ(ReadLine(src, line), 1);
  EXPECT_EQ(line, "a\xff" "b");
}

TEST(ReadLine, LongLinesComeInBufferSizedPieces) {
  std::string text(kReadBufferSize * 2 + 7, 'x');
  KByteSource src = Source(text + "\nnext\n");
  std::string line;
  ASSERT_EQ(ReadLine(src, line), 1);
  EXPECT_EQ(line.size(), kReadBufferSize);
  ASSERT_EQ(ReadLine(src, line), 1);
  EXPECT_EQ(line.size(), kReadBufferSize);
  ASSERT_EQ(ReadLine(src, line), 1);
  EXPECT_EQ(line, std::string(7, 'x'));
  ASSERT_EQ(ReadLine(src, line), 1);
  EXPECT_EQ(line, "next");
}

TEST(ReadPrimitives, TokenThenLineContinueOnTheSameLine) {
  KByteSource src = Source("RGB 1 2 3\nKEY\nrest\n");
  std::string token, line;
  EXPECT_EQ(ReadToken(src, token), 4);
  ASSERT_EQ(ReadLine(src, line), 1);
  EXPECT_EQ(line, "1 2 3");
  // A keyword that ends its line: the line reader starts on the next one.
  EXPECT_EQ(ReadToken(src, token), kTokenEndedLine);
  ASSERT_EQ(ReadLine(src, line), 1);
  EXPECT_EQ(line, "rest");
}

}  // namespace
