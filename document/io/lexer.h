#pragma once
// The two reading primitives of the drawing format.
#include <cstddef>
#include <string>

#include "platform/byte_source.h"

// Token and line buffers hold at most this many bytes.
constexpr std::size_t kReadBufferSize = 2560;
// ReadToken result when the token ended at a line feed.
constexpr int kTokenEndedLine = 9876;
// ReadToken results at the end of input: nothing read / something read.
constexpr int kTokenEndOfInput = -1;
constexpr int kTokenCutByEnd = -2;

// Reads the next token. Separators are bytes 0x00-0x20 except 0x0D; 0x0D is
// dropped anywhere; 0xFF or the end of the input ends input. Returns
// kTokenEndedLine (ended at 0x0A), length + 1 (ended at another separator),
// kTokenEndOfInput (nothing read; token unchanged) or kTokenCutByEnd (token
// set to what was read). A token filling the whole buffer returns
// kReadBufferSize + 1 with the token set to those bytes; the rest of the
// long word is read by the next call.
int ReadToken(KByteSource& src, std::string& token);

// ReadToken result for a token that filled the whole buffer.
constexpr int kTokenOverlong = static_cast<int>(kReadBufferSize) + 1;

// After a kTokenOverlong result: reads and drops the rest of that word.
// Returns the ReadToken result of its last piece (negative at end of input).
inline int SkipOverlongRest(KByteSource& src, std::string& token) {
  int result;
  do result = ReadToken(src, token);
  while (result == kTokenOverlong);
  return result;
}

// Reads up to a line feed or 0x00 (not kept), dropping 0x0D, at most
// kReadBufferSize bytes (the rest of a longer line comes with the next call).
// Returns 1 with line set, or 0 at the end of input, leaving line unchanged
// and discarding a final line without line feed.
int ReadLine(KByteSource& src, std::string& line);
