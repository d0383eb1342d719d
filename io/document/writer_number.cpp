// The two number formats of the writer. Both print exactly what printf
// prints in the C locale ("%11.10lf" and "%lf"), through std::to_chars,
// which is defined to round the same way, never looks at the locale and is
// many times faster than printf's exact conversion.
#include <array>
#include <charconv>

#include "io/document/writer.h"

namespace {

// Added before printing so that -0.0 prints as "0", as it always has.
constexpr double kNudge = 5e-121;
constexpr int kDecimals = 10;
constexpr int kFixedDecimals = 6;
// Enough for the largest double in fixed notation (309 digits, sign, point
// and the decimals).
constexpr std::size_t kNumberBuffer = 400;

std::string Fixed(double value, int decimals) {
  std::array<char, kNumberBuffer> buffer{};
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
  if (error != std::errc()) return "0";
  return std::string(buffer.data(), end);
}

}  // namespace

std::string FormatNumber(double value) {
  // "%11.10lf": every finite value has at least twelve characters, so the
  // field width never pads.
  std::string text = Fixed(value + kNudge, kDecimals);
  // Finite values print with a point and ten decimals, so trimming stops at
  // the point at the latest; "nan" and "inf" have no point and stay.
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

std::string FormatFixed6(double value) { return Fixed(value, kFixedDecimals); }

std::string FormatShortest(double value) {
  std::array<char, kNumberBuffer> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  if (error != std::errc()) return "0";
  return std::string(buffer.data(), end);
}
