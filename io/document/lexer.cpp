#include "io/document/lexer.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

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

// Tokens and lines are scanned eight bytes at a time: the first byte that
// ends one is found with a few word operations rather than a branch per
// byte, whose exit the branch predictor keeps missing on words of varying
// length. Bytes are taken first byte lowest, so only on little-endian
// machines; others, and the last few bytes of the input, go byte by byte.
constexpr bool kWordScan = std::endian::native == std::endian::little;
constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// Bit 7 of each byte of word below n (n <= 0x80). A borrow can flag bytes
// after the first such byte too, but never one before it, so the lowest
// flag is exact.
constexpr std::uint64_t BytesBelow(std::uint64_t word, std::uint64_t n) { return (word - n * kOnes) & ~word & kHighBits; }
constexpr std::uint64_t BytesEqual(std::uint64_t word, std::uint64_t c) { return BytesBelow(word ^ (c * kOnes), 1); }

std::uint64_t TokenStops(std::uint64_t word) {
  return BytesBelow(word, kLastSeparator + 1) | BytesEqual(word, kInputStop);
}
std::uint64_t LineStops(std::uint64_t word) {
  return BytesBelow(word, 1) | BytesEqual(word, kLineFeed) | BytesEqual(word, kCarriageReturn);
}

// How many of the first limit bytes at p belong to the token or line:
// stops flags the bytes that end it in a word, in says whether one byte
// belongs to it.
template <class Stops, class In>
std::size_t Span(const char* p, std::size_t limit, Stops stops, In in) {
  std::size_t n = 0;
  if constexpr (kWordScan) {
    for (; n + sizeof(std::uint64_t) <= limit; n += sizeof(std::uint64_t)) {
      std::uint64_t word;
      std::memcpy(&word, p + n, sizeof word);
      if (const std::uint64_t flags = stops(word)) return n + static_cast<std::size_t>(std::countr_zero(flags)) / 8;
    }
  }
  while (n < limit && in(static_cast<unsigned char>(p[n]))) ++n;
  return n;
}

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
  const std::size_t n = Span(p, std::min(available, kReadBufferSize), TokenStops, InToken);
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
  const std::size_t n = Span(p, std::min(available, kReadBufferSize), LineStops, InLine);
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
