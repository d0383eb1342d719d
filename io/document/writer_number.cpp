// The two number formats of the writer. Both print exactly what printf
// prints in the C locale ("%11.10lf" and "%lf"), through std::to_chars,
// which is defined to round the same way, never looks at the locale and is
// many times faster than printf's exact conversion.
#include <array>
#include <charconv>

#include "io/document/writer.h"
#include "platform/base/number_text.h"

namespace {

// Added before printing so that -0.0 prints as "0", as it always has.
constexpr double kNudge = 5e-121;
constexpr int kDecimals = 10;
constexpr int kFixedDecimals = 6;
// Enough for any double in its shortest form.
constexpr std::size_t kNumberBuffer = 400;

}  // namespace

std::string FormatNumber(double value) {
  // "%11.10lf": every finite value has at least twelve characters, so the
  // field width never pads.
  return TrimmedNumberText(value + kNudge, kDecimals);
}

std::string FormatFixed6(double value) { return FixedNumberText(value, kFixedDecimals); }

std::string FormatShortest(double value) {
  std::array<char, kNumberBuffer> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  if (error != std::errc()) return "0";
  return std::string(buffer.data(), end);
}
