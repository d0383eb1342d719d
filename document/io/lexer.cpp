#include "document/io/lexer.h"

#include <algorithm>

namespace {
constexpr unsigned char kLineFeed = 0x0A;
constexpr unsigned char kCarriageReturn = 0x0D;
constexpr unsigned char kLastSeparator = 0x20;
// The byte that ends token input as if the file ended there.
constexpr unsigned char kInputStop = 0xFF;

// Tokens and lines are scanned in place; the window must hold a whole
// buffer's worth plus the byte that ends it, when the input has that many.
const char* Window(KByteSource& src, std::size_t& available) {
  available = src.Available();
  if (available <= kReadBufferSize) available = src.Ensure(kReadBufferSize + 1);
  return src.Cursor();
}

bool InToken(unsigned char c) { return c > kLastSeparator && c != kInputStop; }
bool InLine(unsigned char c) { return c != kLineFeed && c != 0 && c != kCarriageReturn; }

// The byte-wise token reader, for the rare token holding a carriage return:
// scratch holds what was read before it.
KTokenEnd ReadTokenSlowly(KByteSource& src, std::string& scratch) {
  for (;;) {
    const int c = src.Get();
    if (c < 0 || c == kInputStop) return scratch.empty() ? KTokenEnd::kInputEnd : KTokenEnd::kInputCut;
    if (c == kCarriageReturn) continue;
    if (c <= kLastSeparator) return c == kLineFeed ? KTokenEnd::kLineFeed : KTokenEnd::kSeparator;
    scratch.push_back(static_cast<char>(c));
    if (scratch.size() == kReadBufferSize) return KTokenEnd::kOverlong;
  }
}

// The same for lines: false at the end of the input.
bool ReadLineSlowly(KByteSource& src, std::string& scratch) {
  for (;;) {
    const int c = src.Get();
    if (c < 0) return false;
    if (c == kCarriageReturn) continue;
    if (c == kLineFeed || c == 0) return true;
    scratch.push_back(static_cast<char>(c));
    if (scratch.size() == kReadBufferSize) return true;
  }
}

}  // namespace

KTokenEnd ReadToken(KByteSource& src, std::string_view& token, std::string& scratch) {
  std::size_t available;
  const char* p = Window(src, available);
  const std::size_t limit = std::min(available, kReadBufferSize);
  std::size_t n = 0;
  while (n < limit && InToken(static_cast<unsigned char>(p[n]))) ++n;
  if (n == kReadBufferSize) {
    src.Advance(n);
    token = std::string_view(p, n);
    return KTokenEnd::kOverlong;
  }
  if (n == available) {  // the input ends inside the token
    src.Advance(n);
    if (n == 0) return KTokenEnd::kInputEnd;
    token = std::string_view(p, n);
    return KTokenEnd::kInputCut;
  }
  const unsigned char stop = static_cast<unsigned char>(p[n]);
  if (stop == kCarriageReturn) {
    scratch.assign(p, n);
    src.Advance(n + 1);
    const KTokenEnd end = ReadTokenSlowly(src, scratch);
    if (end != KTokenEnd::kInputEnd) token = scratch;
    return end;
  }
  src.Advance(n + 1);
  if (stop == kInputStop && n == 0) return KTokenEnd::kInputEnd;
  token = std::string_view(p, n);
  if (stop == kInputStop) return KTokenEnd::kInputCut;
  return stop == kLineFeed ? KTokenEnd::kLineFeed : KTokenEnd::kSeparator;
}

KTokenEnd ReadToken(KByteSource& src, std::string& token) {
  std::string_view view;
  std::string scratch;
  const KTokenEnd end = ReadToken(src, view, scratch);
  if (end != KTokenEnd::kInputEnd) token.assign(view.data(), view.size());
  return end;
}

bool ReadLine(KByteSource& src, std::string_view& line, std::string& scratch) {
  std::size_t available;
  const char* p = Window(src, available);
  const std::size_t limit = std::min(available, kReadBufferSize);
  std::size_t n = 0;
  while (n < limit && InLine(static_cast<unsigned char>(p[n]))) ++n;
  if (n == kReadBufferSize) {  // the rest comes with the next call
    src.Advance(n);
    line = std::string_view(p, n);
    return true;
  }
  if (n == available) {  // a last line without line feed is not read
    src.Advance(n);
    return false;
  }
  if (static_cast<unsigned char>(p[n]) == kCarriageReturn) {
    scratch.assign(p, n);
    src.Advance(n + 1);
    if (!ReadLineSlowly(src, scratch)) return false;
    line = scratch;
    return true;
  }
  src.Advance(n + 1);
  line = std::string_view(p, n);
  return true;
}

bool ReadLine(KByteSource& src, std::string& line) {
  std::string_view view;
  std::string scratch;
  if (!ReadLine(src, view, scratch)) return false;
  line.assign(view.data(), view.size());
  return true;
}
