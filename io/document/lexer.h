#pragma once
// The two reading primitives of the drawing format.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/files/byte_source.h"

// Token and line buffers hold at most this many bytes.
constexpr std::size_t kReadBufferSize = 2560;

// How ReadToken's token ended.
enum class KTokenEnd {
  kSeparator,  // at a separator other than a line feed
  kLineFeed,   // at a line feed (0x0A)
  kOverlong,   // it filled the buffer; the rest of the word comes next call
  kInputCut,   // the input ended after some bytes; the token holds them
  kInputEnd,   // the input ended with nothing read; the token is unchanged
};

// True when the input ended with this token (kInputCut or kInputEnd): such a
// token has no separator after it.
inline bool EndsInput(KTokenEnd end) { return end == KTokenEnd::kInputCut || end == KTokenEnd::kInputEnd; }

// Reads the next token. Separators are bytes 0x00-0x20 except 0x0D; 0x0D is
// dropped anywhere; 0xFF or the end of the input ends input. Two separators
// in a row give an empty token. A token filling the whole buffer comes back
// as kOverlong with those bytes; the rest of the long word is read by the
// next call.
KTokenEnd ReadToken(KByteSource& src, std::string& token);
// The same without a copy: token views the source's buffer (or scratch,
// when carriage returns had to be dropped) and stays valid until src is read
// again. At kInputEnd token is left as it was.
KTokenEnd ReadToken(KByteSource& src, std::string_view& token, std::string& scratch);

// After a kOverlong token: reads and drops the rest of that word. Returns
// how its last piece ended.
inline KTokenEnd SkipOverlongRest(KByteSource& src, std::string& token) {
  KTokenEnd end;
  do end = ReadToken(src, token);
  while (end == KTokenEnd::kOverlong);
  return end;
}

// Reads up to a line feed or 0x00 (not kept), dropping 0x0D, at most
// kReadBufferSize bytes (the rest of a longer line comes with the next call).
// Returns true with line set, or false at the end of input, leaving line
// unchanged and discarding a final line without line feed.
bool ReadLine(KByteSource& src, std::string& line);
// The same as a view of the source's buffer (or of scratch), valid until
// src is read again.
bool ReadLine(KByteSource& src, std::string_view& line, std::string& scratch);
