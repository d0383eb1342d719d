#pragma once
// Pictures placed into the world: bitmaps (BMPIN), coloured grids (GRID3D,
// which share the bitmap's layout) and the logo.
#include "platform/kdevice.h"

class KViewTransform;
struct KBmpIn;
struct KLogo;

// Stretches the element's image onto its world rectangle (the upper-left
// corner follows the full mapping, the size the scales; never rotated). An
// empty image draws nothing. Only the part near the window reaches the
// device, so a deep zoom into a picture stays cheap.
void DrawRaster(const KBmpIn& element, KViewTransform& view);

// Where and how large the logo's emblem is drawn: centre in device pixels
// and pixels per emblem unit.
struct KEmblemPlacement {
  int centreX = 0, centreY = 0;
  double scaleX = 0, scaleY = 0;
};
KEmblemPlacement LogoPlacement(const KLogo& logo, const KViewTransform& view);

// Paints the emblem centred at (cx, cy) with sx, sy pixels per unit.
using KEmblemPainter = void (*)(KDevice& device, int cx, int cy, double sx, double sy);
// Installs the emblem painter the logo draws with; without one, a logo
// draws nothing.
void SetEmblemPainter(KEmblemPainter painter);
void DrawLogo(const KLogo& logo, KViewTransform& view);
