#include "document/io/number_scan.h"

#include <charconv>
#include <cstdio>
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

enum class Step { kConverted, kEnd, kFallback };

// One "%lf" at p: [blanks] [sign] digits [. digits] [e [sign] digits], with
// at least one mantissa digit. Anything sscanf would read differently or
// that is out of range asks for the fallback.
Step ScanDouble(const char*& p, double& out) {
  while (IsSpace(*p)) ++p;
  if (*p == '\0') return Step::kEnd;
  const char* start = p;
  const char* q = p;
  if (*q == '+' || *q == '-') ++q;
  const char* digits = q;
  while (IsDigit(*q)) ++q;
  int mantissaDigits = static_cast<int>(q - digits);
  if (*q == '.') {
    ++q;
    const char* frac = q;
    while (IsDigit(*q)) ++q;
    mantissaDigits += static_cast<int>(q - frac);
  }
  // No digits (a lone sign or point, inf, nan, letters): sscanf decides.
  if (mantissaDigits == 0) return Step::kFallback;
  if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) return Step::kFallback;
  if (*q == 'e' || *q == 'E') {
    const char* e = q + 1;
    if (*e == '+' || *e == '-') ++e;
    if (!IsDigit(*e)) return Step::kFallback;
    while (IsDigit(*e)) ++e;
    q = e;
  }
  // from_chars takes no leading '+'.
  const char* first = *start == '+' ? start + 1 : start;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(first, q, value, std::chars_format::general);
  if (ec != std::errc() || end != q) return Step::kFallback;
  out = value;
  p = q;
  return Step::kConverted;
}

// One "%d" at p, for numbers that cannot overflow.
Step ScanInt(const char*& p, int& out) {
  while (IsSpace(*p)) ++p;
  if (*p == '\0') return Step::kEnd;
  const char* q = p;
  const bool negative = *q == '-';
  if (*q == '+' || *q == '-') ++q;
  long value = 0;
  int digits = 0;
  while (IsDigit(*q)) {
    if (++digits > kMaxFastIntDigits) return Step::kFallback;
    value = value * 10 + (*q - '0');
    ++q;
  }
  if (digits == 0) return Step::kFallback;
  out = static_cast<int>(negative ? -value : value);
  p = q;
  return Step::kConverted;
}

int Fallback(const char* text, double* v, int doubleCount, int* trailingInt) {
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

int ScanCommaNumbers(const char* text, double* values, int doubleCount, int* trailingInt) {
  if (doubleCount < 0) doubleCount = 0;
  if (doubleCount > kMaxDoubles) doubleCount = kMaxDoubles;
  if (doubleCount == 0 && !trailingInt) return 0;
  const int total = doubleCount + (trailingInt ? 1 : 0);
  const char* p = text;
  for (int k = 0; k < total; ++k) {
    if (k > 0) {
      // The literal ',' of the format; nothing is skipped before it.
      if (*p == '\0') return k;
      if (*p != ',') return k;
      ++p;
    }
    const Step step = k < doubleCount ? ScanDouble(p, values[k]) : ScanInt(p, *trailingInt);
    switch (step) {
      case Step::kConverted:
        break;
      case Step::kEnd:
        return k == 0 ? EOF : k;
      case Step::kFallback:
        return Fallback(text, values, doubleCount, trailingInt);
    }
  }
  return total;
}
