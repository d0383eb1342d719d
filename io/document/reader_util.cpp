#include "io/document/reader_util.h"

#include <cstdint>
#include <cstdio>

#include "platform/device/klogfont.h"
#include "io/document/lexer.h"
#include "io/document/number_scan.h"

void ToUpperAscii(std::string& s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

bool ScanDouble(const std::string& text, double& out) {
  return std::sscanf(text.c_str(), "%lf", &out) == 1;
}

bool ScanInt(const std::string& text, int& out) {
  return std::sscanf(text.c_str(), "%d", &out) == 1;
}

bool ScanLong32(const std::string& text, int& out) {
  long value = 0;
  if (std::sscanf(text.c_str(), "%ld", &value) != 1) return false;
  out = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  return true;
}

int ScanPair(const std::string& text, double& x, double& y) {
  double v[2] = {x, y};
  const int n = ScanCommaNumbers(text.c_str(), v, 2);
  x = v[0];
  y = v[1];
  return n < 0 ? 0 : n;
}

bool ReadFontFields(KReadContext& ctx, KLogFont& font) {
  std::uint8_t* const bytes[] = {&font.italic,       &font.underline,     &font.strikeOut,
                                 &font.charSet,      &font.outPrecision,  &font.clipPrecision,
                                 &font.quality,      &font.pitchAndFamily};
  std::string token;
  KTokenEnd end = ReadToken(ctx.src, token);
  if (EndsInput(end)) return false;
  ScanLong32(token, font.orientation);
  end = ReadToken(ctx.src, token);
  if (EndsInput(end)) return false;
  ScanLong32(token, font.weight);
  for (std::uint8_t* field : bytes) {
    end = ReadToken(ctx.src, token);
    if (EndsInput(end)) return false;
    int value = 0;
    if (ScanInt(token, value)) *field = static_cast<std::uint8_t>(value);
  }
  font.faceName.clear();
  if (end == KTokenEnd::kLineFeed) return true;
  std::string face;
  if (!ReadLine(ctx.src, face)) return false;
  font.faceName = face.substr(0, KLogFont::kMaxFaceName);
  return true;
}
