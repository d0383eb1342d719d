#pragma once
// A vertical colour bar: the colours of a scale from lo (bottom) to hi
// (top), outlined, with ticks and values on its right at round values (the
// contour step where the labels have room for it, else a multiple of it,
// with a short mark at every contour value).
#include "model/grid/kcolor_table.h"
#include "platform/device/kdevice.h"
#include "render/plot/plot_layout.h"

// bar is the coloured strip; labels of labelPixels stand right of it.
// Nothing is drawn when the bar is under two rows or lo > hi.
void DrawColourBar(KDevice& device, const KColorTable& colours, double lo, double hi, double step,
                   const KIntRect& bar, int labelPixels);
