#include "render/plot/round_steps.h"

#include <cmath>
#include <cstdio>

#include "platform/base/c_locale.h"

namespace {

// The 1, 2, 5 x 10^k value nearest above (up) or below (down) x > 0.
double RoundNumber(double x, bool up) {
  const double power = std::pow(10.0, std::floor(std::log10(x)));
  static constexpr double kMantissas[] = {1, 2, 5, 10};
  if (up) {
    for (double m : kMantissas)
      if (m * power >= x * (1 - 1e-12)) return m * power;
    return 10 * power;
  }
  for (int k = 3; k >= 0; --k)
    if (kMantissas[k] * power <= x * (1 + 1e-12)) return kMantissas[k] * power;
  return power;
}

std::string Printed(const char* format, double value, int decimals) {
  KCLocaleScope cLocale;
  char text[64];
  std::snprintf(text, sizeof text, format, decimals, value);
  return text;
}

}  // namespace

double RoundStep(double span, int maxIntervals) {
  if (!(span > 0) || !std::isfinite(span) || maxIntervals < 1) return 0;
  return RoundNumber(span / maxIntervals, true);
}

std::vector<double> TickValues(double lo, double hi, double step, int maxCount) {
  std::vector<double> ticks;
  if (!(step > 0) || !(lo <= hi) || !std::isfinite(lo) || !std::isfinite(hi)) return ticks;
  // Tolerant ends, so that a frame edge on a multiple gets its tick.
  const double first = std::ceil(lo / step - 1e-9), last = std::floor(hi / step + 1e-9);
  if (!(last - first < maxCount)) return ticks;
  for (double k = first; k <= last; ++k) ticks.push_back(k * step == 0 ? 0.0 : k * step);
  return ticks;
}

std::string TickLabel(double value, double step) {
  const int decimals = step >= 1 || !(step > 0) ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  const std::string text = Printed("%.*f", value, decimals);
  // "-0" and "-0.00" are zero.
  return text.find_first_not_of("-0.") == std::string::npos && text[0] == '-' ? text.substr(1) : text;
}

KScaleBar ChooseScaleBar(double metresPerPixel, int maxPixels) {
  if (!(metresPerPixel > 0) || !std::isfinite(metresPerPixel) || maxPixels < 1) return {};
  const double length = RoundNumber(metresPerPixel * maxPixels, false);
  return {length, static_cast<int>(std::lround(length / metresPerPixel))};
}

std::string DistanceLabel(double metres) {
  const bool km = metres >= 1000;
  const double value = km ? metres / 1000 : metres;
  const int decimals = value >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(value) - 1e-9));
  return Printed("%.*f", value, decimals) + (km ? " km" : " m");
}
