#pragma once
// Fonts of texts. KLogFont is what a drawing records about a text's font:
// the members of the platform's logical font that the drawing format sets.
// KDeviceFont is what a device draws with: those members plus the cell size
// and turn in device units, which drawing computes from the text record and
// the view at every paint.
#include <cstdint>
#include <string>

#include "platform/base/small_string.h"

struct KLogFont {
  std::int32_t orientation = 0;
  std::int32_t weight = 400;
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strikeOut = 0;
  std::uint8_t charSet = 0;
  std::uint8_t outPrecision = 0;
  std::uint8_t clipPrecision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitchAndFamily = 0;
  KSmallString faceName;         // at most 31 bytes; most fit inside
  static constexpr std::size_t kMaxFaceName = 31;
  friend bool operator==(const KLogFont&, const KLogFont&) = default;
};

struct KDeviceFont : KLogFont {
  KDeviceFont() = default;
  explicit KDeviceFont(const KLogFont& style) : KLogFont(style) {}
  std::int32_t height = 0;       // pixels: cell height when positive, character height when negative
  std::int32_t width = 0;        // average character width in pixels; 0 keeps the face's proportions
  std::int32_t escapement = 0;   // tenths of a degree
  friend bool operator==(const KDeviceFont&, const KDeviceFont&) = default;
};
