#include "exchange/vector/colour_text.h"

#include <cstdint>
#include <cstdio>

std::string ColourText(int documentColour) {
  const std::uint32_t ref = (0u - static_cast<std::uint32_t>(documentColour)) & 0x00FFFFFFu;
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
  return text;
}

std::optional<int> DocumentColourOf(const std::string& text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  std::uint32_t rgb = 0;
  for (std::size_t k = 1; k < 7; ++k) {
    const char c = text[k];
    int digit = 0;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return std::nullopt;
    rgb = rgb * 16 + static_cast<std::uint32_t>(digit);
  }
  const std::uint32_t ref = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
  return static_cast<int>(0u - ref);
}
