#include "io/document/number_scan.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

namespace {

// The format strings the fallback hands to sscanf, by number of doubles.
constexpr const char* kDoubleFormats[] = {"", "%lf", "%lf,%lf", "%lf,%lf,%lf", "%lf,%lf,%lf,%lf"};
constexpr const char* kDoubleIntFormats[] = {"%d", "%lf,%d", "%lf,%lf,%d", "%lf,%lf,%lf,%d", "%lf,%lf,%lf,%lf,%d"};
constexpr int kMaxDoubles = 4;
// Up to this many digits an int cannot overflow.
constexpr int kMaxFastIntDigits = 9;

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }

enum class Step { kConverted, kEnd, kFallback };

// Exact powers of ten: every one up to 1e22 is a double.
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;
// Up to this many digits the significand is below 2^53, so exact in a double.
constexpr int kMaxExactDigits = 15;

// The common case in one pass: [-]digits[.digits] with at most 15 digits in
// all. Significand and power of ten are then both exact doubles, so their
// quotient is the correctly rounded value, as sscanf's. False, having moved
// nothing, for anything else.
bool ScanShortDecimal(const char*& p, const char* end, double& out) {
  const char* q = p;
  const bool negative = *q == '-';
  if (negative) ++q;
  // The digits are counted from where they end, not one by one; a run too
  // long wraps the significand, but is then refused below, unused.
  std::uint64_t significand = 0;
  const char* const wholeStart = q;
  while (q < end && IsDigit(*q)) significand = significand * 10 + static_cast<std::uint64_t>(*q++ - '0');
  const std::ptrdiff_t whole = q - wholeStart;
  std::ptrdiff_t fraction = 0;
  if (q < end && *q == '.') {
    const char* const fractionStart = ++q;
    while (q < end && IsDigit(*q)) significand = significand * 10 + static_cast<std::uint64_t>(*q++ - '0');
    fraction = q - fractionStart;
  }
  const std::ptrdiff_t digits = whole + fraction;
  if (digits == 0 || digits > kMaxExactDigits || fraction > kMaxExactPower) return false;
  if (q < end && (*q == '.' || IsLetter(*q))) return false;
  const double value = static_cast<double>(significand) / kPowersOfTen[fraction];
  out = negative ? -value : value;
  p = q;
  return true;
}

// One "%lf" at p (before end): a short decimal directly, else by from_chars
// in the same pass that finds its end. Text sscanf might read differently
// asks for the fallback: a '+' not followed by a digit or point, a
// conversion that fails or is out of range, and a number running into a
// letter (hexadecimal "0x", an exponent without digits, "inf" spelt
// further).
Step ScanDouble(const char*& p, const char* end, double& out) {
  while (p < end && IsSpace(*p)) ++p;
  if (p == end) return Step::kEnd;
  if (ScanShortDecimal(p, end, out)) return Step::kConverted;
  const char* first = p;
  if (*first == '+') {
    ++first;
    if (first == end || !(IsDigit(*first) || *first == '.')) return Step::kFallback;
  }
  double value = 0.0;
  const auto [q, ec] = std::from_chars(first, end, value, std::chars_format::general);
  if (ec != std::errc() || (q < end && IsLetter(*q))) return Step::kFallback;
  out = value;
  p = q;
  return Step::kConverted;
}

// One "%d" at p, for numbers that cannot overflow.
Step ScanInt(const char*& p, const char* end, int& out) {
  while (p < end && IsSpace(*p)) ++p;
  if (p == end) return Step::kEnd;
  const char* q = p;
  const bool negative = *q == '-';
  if (*q == '+' || *q == '-') ++q;
  long value = 0;
  int digits = 0;
  while (q < end && IsDigit(*q)) {
    if (++digits > kMaxFastIntDigits) return Step::kFallback;
    value = value * 10 + (*q - '0');
    ++q;
  }
  if (digits == 0) return Step::kFallback;
  out = static_cast<int>(negative ? -value : value);
  p = q;
  return Step::kConverted;
}

int Fallback(std::string_view view, double* v, int doubleCount, int* trailingInt) {
  const std::string copy(view);
  const char* text = copy.c_str();
  if (trailingInt) {
    switch (doubleCount) {
      case 0: return std::sscanf(text, kDoubleIntFormats[0], trailingInt);
      case 1: return std::sscanf(text, kDoubleIntFormats[1], &v[0], trailingInt);
      case 2: return std::sscanf(text, kDoubleIntFormats[2], &v[0], &v[1], trailingInt);
      case 3: return std::sscanf(text, kDoubleIntFormats[3], &v[0], &v[1], &v[2], trailingInt);
      default: return std::sscanf(text, kDoubleIntFormats[4], &v[0], &v[1], &v[2], &v[3], trailingInt);
    }
  }
  switch (doubleCount) {
    case 1: return std::sscanf(text, kDoubleFormats[1], &v[0]);
    case 2: return std::sscanf(text, kDoubleFormats[2], &v[0], &v[1]);
    case 3: return std::sscanf(text, kDoubleFormats[3], &v[0], &v[1], &v[2]);
    default: return std::sscanf(text, kDoubleFormats[4], &v[0], &v[1], &v[2], &v[3]);
  }
}

}  // namespace

int ScanCommaNumbers(std::string_view text, double* values, int doubleCount, int* trailingInt) {
  if (doubleCount < 0) doubleCount = 0;
  if (doubleCount > kMaxDoubles) doubleCount = kMaxDoubles;
  if (doubleCount == 0 && !trailingInt) return 0;
  // A NUL byte (where sscanf would stop) either ends the fast pass or sends
  // it to the fallback, which sees the text only up to it.
  const int total = doubleCount + (trailingInt ? 1 : 0);
  // Converted values are stored only once the fast pass is sure of its
  // result, so the fallback starts from the caller's values.
  double converted[kMaxDoubles];
  int convertedInt = 0;
  const char* p = text.data();
  const char* const end = p + text.size();
  int k = 0;
  for (; k < total; ++k) {
    if (k > 0) {
      // The literal ',' of the format; nothing is skipped before it.
      if (p == end || *p != ',') break;
      ++p;
    }
    const Step step = k < doubleCount ? ScanDouble(p, end, converted[k]) : ScanInt(p, end, convertedInt);
    if (step == Step::kFallback) return Fallback(text, values, doubleCount, trailingInt);
    if (step == Step::kEnd) {
      if (k == 0) return EOF;
      break;
    }
  }
  for (int i = 0; i < k && i < doubleCount; ++i) values[i] = converted[i];
  if (k > doubleCount) *trailingInt = convertedInt;
  return k;
}

int ScanCommaNumbers(const char* text, double* values, int doubleCount, int* trailingInt) {
  return ScanCommaNumbers(std::string_view(text, std::strlen(text)), values, doubleCount, trailingInt);
}
