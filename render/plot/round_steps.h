#pragma once
// The round numbers a plot is measured in: tick intervals and scale-bar
// lengths of 1, 2 or 5 times a power of ten, and how their values are
// written. Pure arithmetic, so the layout's choices can be checked by hand.
#include <string>
#include <vector>

// The smallest step of 1, 2 or 5 x 10^k that divides span into at most
// maxIntervals intervals; 0 when span is not a finite positive number or
// maxIntervals < 1.
double RoundStep(double span, int maxIntervals);
// The whole multiples of step within lo .. hi (both included), ascending;
// empty when step is not positive or there would be more than maxCount.
std::vector<double> TickValues(double lo, double hi, double step, int maxCount = 1000);
// A tick value written with the decimals its step needs ("2500", "0.25"),
// without a minus sign on zero.
std::string TickLabel(double value, double step);

// A scale bar: a round length in world units (metres) and its pixels.
struct KScaleBar {
  double length = 0;  // 0: no round length fits
  int pixels = 0;
};
// The longest round length (1, 2 or 5 x 10^k metres) at most maxPixels
// long at metresPerPixel.
KScaleBar ChooseScaleBar(double metresPerPixel, int maxPixels);
// A length as a scale bar writes it: "500 m", "2 km", "0.5 m".
std::string DistanceLabel(double metres);
