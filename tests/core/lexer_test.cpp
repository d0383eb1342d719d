// The token and line readers, over file and memory sources alike.
#include "document/io/lexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/reading.h"

using namespace std::string_literals;

namespace {

struct Token {
  int result;
  std::string text;
  bool operator==(const Token&) const = default;
};

class Lexer : public ReaderTest {
protected:
  std::vector<Token> AllTokens(const std::string& bytes) {
    KByteSource src = Source(bytes);
    std::vector<Token> out;
    std::string token = "untouched";
    for (int r = 0; r >= 0;) {
      r = ReadToken(src, token);
      out.push_back({r, token});
    }
    return out;
  }
  std::vector<Token> AllLines(const std::string& bytes) {
    KByteSource src = Source(bytes);
    std::vector<Token> out;
    std::string line = "untouched";
    for (int r = 1; r == 1;) {
      r = ReadLine(src, line);
      out.push_back({r, line});
    }
    return out;
  }
};
INSTANTIATE_READER_TEST(Lexer);

TEST_P(Lexer, TokenResultsForEachWayATokenEnds) {
  const struct {
    std::string bytes;
    std::vector<Token> want;
  } cases[] = {
      // Line feed; blank (length + 1); two separators: an empty token; tab;
      // input ending after bytes.
      {"ab\ncde  f\tgh",
       {{kTokenEndedLine, "ab"}, {4, "cde"}, {1, ""}, {2, "f"}, {kTokenCutByEnd, "gh"}}},
      // Every control byte separates; CR vanishes even inside a word; the
      // end with nothing read keeps the token.
      {"a\0b"s + "\x1f" + "c\rd\r\n", {{2, "a"}, {2, "b"}, {kTokenEndedLine, "cd"}, {kTokenEndOfInput, "cd"}}},
      // High bytes belong to tokens; 0xFF ends the input.
      {"\xb5\xc4\xfe ab\xff" "cd ", {{4, "\xb5\xc4\xfe"}, {kTokenCutByEnd, "ab"}}},
      {"\xff" "x", {{kTokenEndOfInput, "untouched"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(AllTokens(c.bytes), c.want) << c.bytes;
  EXPECT_EQ(AllTokens("PLINE\r\n1,2\r\n\r\n"), AllTokens("PLINE\n1,2\n\n"));
}

TEST_P(Lexer, OverLongWordIsCutAtTheBufferAndContinuesNextCall) {
  const std::string word(kReadBufferSize + 100, 'A');
  const std::vector<Token> want = {{6, "PLINE"},
                                   {static_cast<int>(kReadBufferSize) + 1, std::string(kReadBufferSize, 'A')},
                                   {101, std::string(100, 'A')},
                                   {5, "next"},
                                   {kTokenEndOfInput, "next"}};
  EXPECT_EQ(AllTokens("PLINE " + word + " next "), want);
}

TEST_P(Lexer, LinesEndAtLineFeedOrNulAndDropCarriageReturns) {
  // A final line without line feed is not read and the line stays; 0xFF is
  // an ordinary line byte.
  const std::vector<Token> want = {{1, "one"}, {1, "two"}, {1, "three four"}, {1, "a\xff" "b"}, {0, "a\xff" "b"}};
  EXPECT_EQ(AllLines("one\r\ntw\ro\0three four\na\xff" "b\nlast"s), want);
}

TEST_P(Lexer, LongLinesComeInBufferSizedPieces) {
  const std::string piece(kReadBufferSize, 'x');
  const std::vector<Token> want = {{1, piece}, {1, piece}, {1, "xxxxxxx"}, {1, "next"}, {0, "next"}};
  EXPECT_EQ(AllLines(piece + piece + "xxxxxxx\nnext\n"), want);
}

TEST_P(Lexer, TokenThenLineContinueOnTheSameLine) {
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
