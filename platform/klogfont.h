#pragma once
// The font description texts carry, with the members of the platform's
// logical font that the drawing format sets and the renderer fills.
#include <cstdint>
#include <string>

struct KLogFont {
  std::int32_t height = 0;
  std::int32_t width = 0;
  std::int32_t escapement = 0;   // tenths of a degree
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
  std::string faceName;          // at most 31 bytes
  static constexpr std::size_t kMaxFaceName = 31;
};
