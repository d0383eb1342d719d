#pragma once
// What pictures of values draw around their cells: small labels centred
// on a point, and a colour bar with round ticks on the right of the client
// area (the net-grid picture and the seismic section share them).
#include <cstdint>
#include <functional>
#include <string>

#include "platform/device/kdevice.h"

// Character height of the labels, in pixels.
constexpr int kPictureLabelPixels = 11;

// Text standing vertically centred on y, aligned at x by align (kAlignLeft,
// kAlignCenter or kAlignRight); black on a transparent background.
void DrawPictureLabel(KDevice& device, int x, int y, const std::string& text, unsigned align);

// An opaque image pixel (0xAARRGGBB) of a colour.
constexpr std::uint32_t PictureArgb(KColorRef c) {
  return 0xFF000000u | static_cast<std::uint32_t>(KRedOf(c)) << 16 | static_cast<std::uint32_t>(KGreenOf(c)) << 8 |
         static_cast<std::uint32_t>(KBlueOf(c));
}

// The shortest text of a value with six significant digits.
std::string PictureValueText(double value);

struct KColourBar {
  int width = 100;            // of the strip on the right of the client
  double lo = 1, hi = 0;      // values at the bottom and top; lo > hi: none
  double tick = 0;            // preferred tick step; 0: a round one
  std::function<KColorRef(double)> colourAt;
};

// The strip's width in a client of that width: none in one narrower than
// three strips.
int ColourBarWidth(const KColourBar& bar, KIntSize client);
// Fills the strip white and paints the bar with ticks at round values at
// least 24 pixels apart (the preferred step, doubled until they are).
void DrawColourBar(KDevice& device, KIntSize client, const KColourBar& bar);
