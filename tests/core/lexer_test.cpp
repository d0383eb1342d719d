// The token and line readers, over file and memory sources alike.
#include "io/document/lexer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/support/reading.h"

using namespace std::string_literals;

namespace {

using enum KTokenEnd;

struct Token {
  KTokenEnd end;
  std::string text;
  bool operator==(const Token&) const = default;
};

struct Line {
  bool read;
  std::string text;
  bool operator==(const Line&) const = default;
};

class Lexer : public ReaderTest {
protected:
  std::vector<Token> AllTokens(const std::string& bytes) {
    KByteSource src = Source(bytes);
    std::vector<Token> out;
    std::string token = "untouched";
    do out.push_back({ReadToken(src, token), token});
    while (!EndsInput(out.back().end));
    return out;
  }
  std::vector<Line> AllLines(const std::string& bytes) {
    KByteSource src = Source(bytes);
    std::vector<Line> out;
    std::string line = "untouched";
    do out.push_back({ReadLine(src, line), line});
    while (out.back().read);
    return out;
  }
};
INSTANTIATE_READER_TEST(Lexer);

TEST_P(Lexer, TokenResultsForEachWayATokenEnds) {
  const struct {
    std::string bytes;
    std::vector<Token> want;
  } cases[] = {
      // Line feed; blank; two separators: an empty token; tab; input ending
      // after bytes.
      {"ab\ncde  f\tgh", {{kLineFeed, "ab"}, {kSeparator, "cde"}, {kSeparator, ""}, {kSeparator, "f"}, {kInputCut, "gh"}}},
      // Every control byte separates; CR vanishes even inside a word; the
      // end with nothing read keeps the token.
      {"a\0b"s + "\x1f" + "c\rd\r\n", {{kSeparator, "a"}, {kSeparator, "b"}, {kLineFeed, "cd"}, {kInputEnd, "cd"}}},
      // High bytes belong to tokens; 0xFF ends the input.
      {"\xb5\xc4\xfe ab\xff" "cd ", {{kSeparator, "\xb5\xc4\xfe"}, {kInputCut, "ab"}}},
      {"\xff" "x", {{kInputEnd, "untouched"}}},
  };
  for (const auto& c : cases) EXPECT_EQ(AllTokens(c.bytes), c.want) << c.bytes;
  EXPECT_EQ(AllTokens("PLINE\r\n1,2\r\n\r\n"), AllTokens("PLINE\n1,2\n\n"));
}

TEST_P(Lexer, OverLongWordIsCutAtTheBufferAndContinuesNextCall) {
  const std::string word(kReadBufferSize + 100, 'A');
  const std::vector<Token> want = {{kSeparator, "PLINE"},
                                   {kOverlong, std::string(kReadBufferSize, 'A')},  // not the previous keyword
                                   {kSeparator, std::string(100, 'A')},
                                   {kSeparator, "next"},
                                   {kInputEnd, "next"}};
  EXPECT_EQ(AllTokens("PLINE " + word + " next "), want);
}

TEST_P(Lexer, LinesEndAtLineFeedOrNulAndDropCarriageReturns) {
  // A final line without line feed is not read and the line stays; 0xFF is
  // an ordinary line byte.
  const std::vector<Line> want = {
      {true, "one"}, {true, "two"}, {true, "three four"}, {true, "a\xff" "b"}, {false, "a\xff" "b"}};
  EXPECT_EQ(AllLines("one\r\ntw\ro\0three four\na\xff" "b\nlast"s), want);
}

TEST_P(Lexer, LongLinesComeInBufferSizedPieces) {
  const std::string piece(kReadBufferSize, 'x');
  const std::vector<Line> want = {{true, piece}, {true, piece}, {true, "xxxxxxx"}, {true, "next"}, {false, "next"}};
  EXPECT_EQ(AllLines(piece + piece + "xxxxxxx\nnext\n"), want);
}

TEST_P(Lexer, TokenThenLineContinueOnTheSameLine) {
  KByteSource src = Source("RGB 1 2 3\nKEY\nrest\n");
  std::string token, line;
  EXPECT_EQ(ReadToken(src, token), kSeparator);
  ASSERT_TRUE(ReadLine(src, line));
  EXPECT_EQ(line, "1 2 3");
  // A keyword that ends its line: the line reader starts on the next one.
  EXPECT_EQ(ReadToken(src, token), kLineFeed);
  ASSERT_TRUE(ReadLine(src, line));
  EXPECT_EQ(line, "rest");
}

// The readers byte by byte, as the format defines them, over a string.
struct ByteByByte {
  const std::string& bytes;
  std::size_t at = 0;
  int Get() { return at < bytes.size() ? static_cast<unsigned char>(bytes[at++]) : -1; }

  KTokenEnd Token(std::string& token) {
    std::string read;
    for (;;) {
      const int c = Get();
      if (c < 0 || c == 0xFF) {
        if (read.empty()) return kInputEnd;
        token = read;
        return kInputCut;
      }
      if (c == '\r') continue;
      if (c <= ' ') {
        token = read;
        return c == '\n' ? kLineFeed : kSeparator;
      }
      read += static_cast<char>(c);
      if (read.size() == kReadBufferSize) {
        token = read;
        return kOverlong;
      }
    }
  }
  bool Line(std::string& line) {
    std::string read;
    for (;;) {
      const int c = Get();
      if (c < 0) return false;
      if (c == '\r') continue;
      if (c == '\n' || c == 0) break;
      read += static_cast<char>(c);
      if (read.size() == kReadBufferSize) break;
    }
    line = read;
    return true;
  }
};

// Words of every length up to beyond the buffer, of every byte that is no
// separator, carriage returns inside them, all kinds of separators and
// their neighbours, over several of the file source's blocks: tokens and
// lines read in place (several bytes at a time) agree with the byte-by-byte
// readers wherever they meet a block's end.
TEST_P(Lexer, ReadingInPlaceAgreesWithByteByByteAcrossBlocks) {
  std::mt19937 random(99);
  std::uniform_int_distribution<int> length(0, 40), longLength(0, 3 * kReadBufferSize), percent(0, 99);
  std::uniform_int_distribution<int> wordByte('!', 0xfe);
  const char separators[] = {' ', '\n', '\t', '\0', '\r', '\xff', '\x1f', '\x01', '\x0b', '\x0c', '\x0e'};
  std::string bytes;
  while (bytes.size() < 2 * KByteSource::kBlock + 5000) {
    const int n = percent(random) < 3 ? longLength(random) : length(random);
    for (int i = 0; i < n; ++i) bytes += percent(random) < 2 ? '\r' : static_cast<char>(wordByte(random));
    bytes += separators[percent(random) % std::size(separators)];
  }
  KByteSource src = Source(bytes);
  ByteByByte reference{bytes};
  std::string got, want;
  for (int step = 0; step < 400000; ++step) {
    if (percent(random) < 30) {
      const bool read = ReadLine(src, got);
      ASSERT_EQ(read, reference.Line(want)) << step;
      if (!read) break;
    } else {
      const KTokenEnd end = ReadToken(src, got);
      ASSERT_EQ(end, reference.Token(want)) << step;
      if (end == kInputEnd && reference.at == bytes.size()) break;
    }
    ASSERT_EQ(got, want) << step;
    ASSERT_EQ(src.Position(), static_cast<std::int64_t>(reference.at)) << step;
  }
  EXPECT_EQ(reference.at, bytes.size());
}

}  // namespace
