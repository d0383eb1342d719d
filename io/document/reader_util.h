#pragma once
// Small pieces the element readers share: ASCII upper-casing, prefix tests,
// single-value conversions and the font fields that FONT texts and
// text-property blocks both carry. Conversions use the C library exactly as
// the format defines them; callers hold a KCLocaleScope.
#include <string>
#include <string_view>

#include "io/document/kread_context.h"

struct KLogFont;

// Upper-cases ASCII letters in place; other bytes (multi-byte text) stay.
void ToUpperAscii(std::string& s);
inline bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}
// The text from index on; empty when the string is shorter.
inline std::string_view TailFrom(std::string_view s, std::size_t index) {
  return index < s.size() ? s.substr(index) : std::string_view();
}

// sscanf of one value; true when it converted (out unchanged otherwise).
bool ScanDouble(const std::string& text, double& out);
bool ScanInt(const std::string& text, int& out);
// "%ld" into a 32-bit member (the format's long is 32 bits wide).
bool ScanLong32(const std::string& text, int& out);
// "%lf,%lf" into x and y; returns how many converted (x, y kept otherwise).
int ScanPair(const std::string& text, double& x, double& y);

// Reads the font tokens orientation, weight, italic, underline, strike-out,
// character set, output precision, clip precision, quality, pitch and family,
// each converted alone, then the face name from the rest of the line unless
// the last token ended its line (at most KLogFont::kMaxFaceName bytes kept).
// Stops early, keeping the remaining defaults, when input ends; returns false
// then.
bool ReadFontFields(KReadContext& ctx, KLogFont& font);
