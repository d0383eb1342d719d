#include "platform/base/number_text.h"

#include <algorithm>
#include <charconv>

namespace {
// The largest double has 309 digits before the point; a sign and the point
// make 311.
constexpr std::size_t kIntegerRoom = 320;
}  // namespace

std::string FixedNumberText(double value, int decimals) {
  decimals = std::max(decimals, 0);
  std::string text(kIntegerRoom + static_cast<std::size_t>(decimals), '\0');
  const auto [end, error] =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
  if (error != std::errc()) return "0";  // cannot happen with the room above
  text.resize(static_cast<std::size_t>(end - text.data()));
  return text;
}

std::string TrimmedNumberText(double value, int decimals) {
  std::string text = FixedNumberText(value, decimals);
  // Only a text with a point has decimals to trim: "100" stays, and so do
  // "inf" and "nan".
  if (text.find('.') != std::string::npos) {
    text.resize(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text;
}
