#pragma once
// The labels of plot decorations: one plain face, a character height in
// pixels, black, drawn on a transparent background.
#include <string>

#include "platform/device/kdevice.h"

// Text whose centre line lies on y, aligned at x by align (a horizontal
// KTextAlign flag); turned counter-clockwise by escapement tenths of a
// degree about (x, y).
void PlotLabel(KDevice& device, int x, int y, const std::string& text, unsigned align, int pixels,
               int escapement = 0);
// A value as labels write it: six significant digits, shortest form.
std::string ValueLabel(double value);
