#pragma once
// Pictures placed into the world: bitmaps (BMPIN), coloured grids (GRID3D,
// which share the bitmap's layout) and the logo.
#include "platform/device/kdevice.h"

class KViewTransform;
struct KBmpIn;
struct KLogo;

// Stretches the element's image onto its world rectangle (the upper-left
// corner follows the full mapping, the size the scales; never rotated). An
// empty image draws nothing. Only the part near the window reaches the
// device, so a deep zoom into a picture stays cheap.
void DrawRaster(const KBmpIn& element, const KViewTransform& view, KDevice& device);

// Where and how large the logo's emblem is drawn: centre in device pixels
// and pixels per emblem unit.
struct KEmblemPlacement {
  int centreX = 0, centreY = 0;
  double scaleX = 0, scaleY = 0;
};
KEmblemPlacement LogoPlacement(const KLogo& logo, const KViewTransform& view);

// Draws the emblem at the logo's placement; replaces the device's pen.
void DrawLogo(const KLogo& logo, const KViewTransform& view, KDevice& device);
