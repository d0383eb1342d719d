// What the reader can take back as one word or one line.
#include "io/document/lexer.h"
#include "io/document/writer_parts.h"

namespace {

constexpr unsigned char kCr = 0x0D;
constexpr unsigned char kLastSeparator = 0x20;
constexpr unsigned char kEndOfInput = 0xFF;
constexpr unsigned char kLineFeed = 0x0A;

}  // namespace

std::string OneWord(std::string_view text) {
  std::string word;
  for (char c : text) {
    const unsigned char b = static_cast<unsigned char>(c);
    if (b == kCr) continue;
    if (b <= kLastSeparator || b == kEndOfInput) break;
    word.push_back(c);
  }
  return word;
}

std::string OneLine(std::string_view text) {
  std::string line;
  for (char c : text) {
    const unsigned char b = static_cast<unsigned char>(c);
    if (b == kCr) continue;
    if (b == kLineFeed || b == 0 || b == kEndOfInput) break;
    line.push_back(c);
  }
  return line;
}

void WriteRestOfLine(KOutput& out, std::string_view text, std::string_view lineEnd) {
  if (text.size() >= kReadBufferSize) {
    out << text.substr(0, kReadBufferSize);
    return;
  }
  out << text << lineEnd;
}
