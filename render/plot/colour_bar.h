#pragma once
// A vertical colour bar: the colours of a scale from lo (bottom) to hi
// (top), outlined, with ticks and values on its right at round values (the
// step where the labels have room for it, else a multiple of it, with a
// short mark at every multiple of the step). The net picture, the seismic
// section and the plot decorations all draw theirs with it.
#include <functional>

#include "model/grid/kcolor_table.h"
#include "platform/device/kdevice.h"
#include "render/plot/plot_layout.h"

// The colour of a value on the bar's scale.
using KColourAt = std::function<KColorRef(double)>;

// bar is the coloured strip; labels of labelPixels stand right of it. step
// is the contour interval (0: a round step of its own, and no marks).
// Nothing is drawn when the bar is under two rows, lo > hi or colourAt is
// empty.
void DrawColourBar(KDevice& device, const KColourAt& colourAt, double lo, double hi, double step,
                   const KIntRect& bar, int labelPixels);
// The same with the colours of a table.
void DrawColourBar(KDevice& device, const KColorTable& colours, double lo, double hi, double step,
                   const KIntRect& bar, int labelPixels);

// The value a fraction t of the way from a to b, finite for any finite a and
// b (b - a itself may overflow: -1e308 .. 1e308).
constexpr double ScaleValueAt(double a, double b, double t) { return a * (1 - t) + b * t; }
