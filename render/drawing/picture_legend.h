#pragma once
// What pictures of values draw around their cells: small labels centred
// on a point, and a colour bar in a strip on the right of the client area
// (the net-grid picture and the seismic section share them). The bar and
// the label text themselves are the plot decorations' (render/plot).
#include <cstdint>
#include <string>

#include "platform/device/kdevice.h"
#include "render/plot/colour_bar.h"

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

struct KColourBar {
  int width = 100;            // of the strip on the right of the client
  double lo = 1, hi = 0;      // values at the bottom and top; lo > hi: none
  double tick = 0;            // the contour step, marked; 0: a round step, no marks
  KColourAt colourAt;
};

// The strip's width in a client of that width: none in one narrower than
// three strips.
int ColourBarWidth(const KColourBar& bar, KIntSize client);
// Fills the strip white and paints the bar in it, with labels at least
// 24 pixels apart.
void DrawColourBar(KDevice& device, KIntSize client, const KColourBar& bar);
