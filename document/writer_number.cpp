// The two number formats of the writer.
#include <array>
#include <cstdio>

#include "document/writer.h"
#include "platform/c_locale.h"

namespace {

// Added before printing so that -0.0 prints as "0", as it always has.
constexpr double kNudge = 5e-121;
// Enough for "%11.10lf" of the largest double (309 digits, sign, point, ten
// decimals) and of the smallest.
constexpr std::size_t kNumberBuffer = 400;

std::string Print(const char* format, double value) {
  std::array<char, kNumberBuffer> buffer{};
  KCLocaleScope cLocale;
  const int n = std::snprintf(buffer.data(), buffer.size(), format, value);
  if (n < 0) return "0";
  return std::string(buffer.data(), static_cast<std::size_t>(n) < buffer.size() ? n : buffer.size() - 1);
}

}  // namespace

std::string FormatNumber(double value) {
  std::string text = Print("%11.10lf", value + kNudge);
  // Every finite value prints with a point and ten decimals, so trimming
  // stops at the point at the latest ("nan" and "inf" have no '0' to trim).
  if (text.find('.') != std::string::npos) {
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
  }
  // The field is 11 wide but every value has at least 12 characters, so no
  // padding blank can be left in front; trim defensively all the same.
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? "0" : text.substr(first);
}

std::string FormatFixed6(double value) { return Print("%lf", value); }
