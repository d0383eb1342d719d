#include "document/io/lexer.h"

namespace {
constexpr int kLineFeed = 0x0A;
constexpr int kCarriageReturn = 0x0D;
constexpr int kLastSeparator = 0x20;
// The byte that ends token input as if the file ended there.
constexpr int kInputStop = 0xFF;
}  // namespace

KTokenEnd ReadToken(KByteSource& src, std::string& token) {
  // Bytes collect on the stack so that an input ending with nothing read can
  // leave the caller's token untouched, and so the caller's string keeps its
  // capacity from token to token (no allocation per token).
  char buf[kReadBufferSize];
  std::size_t n = 0;
  for (;;) {
    const int c = src.Get();
    if (c < 0 || c == kInputStop) {
      if (n == 0) return KTokenEnd::kInputEnd;
      token.assign(buf, n);
      return KTokenEnd::kInputCut;
    }
    if (c == kCarriageReturn) continue;
    if (c <= kLastSeparator) {
      token.assign(buf, n);
      return c == kLineFeed ? KTokenEnd::kLineFeed : KTokenEnd::kSeparator;
    }
    buf[n++] = static_cast<char>(c);
    if (n == kReadBufferSize) {
      token.assign(buf, n);
      return KTokenEnd::kOverlong;
    }
  }
}

bool ReadLine(KByteSource& src, std::string& line) {
  char buf[kReadBufferSize];
  std::size_t n = 0;
  for (;;) {
    const int c = src.Get();
    if (c < 0) return false;  // a last line without line feed is not read
    if (c == kCarriageReturn) continue;
    if (c == kLineFeed || c == 0) break;
    buf[n++] = static_cast<char>(c);
    if (n == kReadBufferSize) break;  // the rest comes with the next call
  }
  line.assign(buf, n);
  return true;
}
