#pragma once
// Paints the decorations a plot layout placed: the frame with coordinate
// ticks and labels at round world intervals, the scale bar and the north
// arrow (the view is never turned, so north is up).
#include "model/document/kextent.h"
#include "platform/device/kdevice.h"
#include "render/plot/plot_layout.h"

// The frame's outline, ticks outward on all four sides at the round step
// chosen for each axis, x labels below and y labels turned along the left.
void DrawFrameTicks(KDevice& device, const KPlotLayout& layout, const KExtent& extent);
// A bar of a round length in two halves, black and white, "0" and the
// length written below.
void DrawScaleBar(KDevice& device, const KPlotLayout& layout);
void DrawNorthArrow(KDevice& device, const KPlotLayout& layout);

// The step of the ticks along an axis of pixels on screen spanning lo .. hi
// world units, labels of unit pixels high: the labels never touch.
double FrameTickStep(double lo, double hi, int pixels, int unit);
