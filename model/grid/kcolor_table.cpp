#include "model/grid/kcolor_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

// The eight colours of the basic scale, black to white through the corners
// of the colour cube.
struct KRgbBytes {
  std::uint8_t red, green, blue;
};
constexpr std::array<KRgbBytes, 8> kEightColours = {{{0, 0, 0},
                                                     {0, 0, 255},
                                                     {0, 255, 0},
                                                     {0, 255, 255},
                                                     {255, 0, 0},
                                                     {255, 0, 255},
                                                     {255, 255, 0},
                                                     {255, 255, 255}}};

// A value counts as lying on an end value within this distance.
constexpr double kOnEnd = 1e-10;

// Break values from a by repeated addition of the step, as the scale has
// always formed them (the last may differ from b in the last bits).
void FillValues(std::vector<KColorEntry>& entries, double a, double b) {
  const double step = (b - a) / static_cast<double>(entries.size() - 1);
  double v = a;
  for (KColorEntry& e : entries) {
    e.value = v;
    v += step;
  }
}

KColorRef ColourOf(const KColorEntry& e) { return KRgb(e.red, e.green, e.blue); }

// One channel mixed between two break colours, f in [0, 1].
int Mix(std::uint8_t from, std::uint8_t to, double f) {
  return from + static_cast<int>(std::trunc(f * (static_cast<int>(to) - static_cast<int>(from))));
}

}  // namespace

void KColorTable::SetRange8(double a, double b) {
  entries.assign(kEightColours.size(), {});
  FillValues(entries, a, b);
  for (std::size_t k = 0; k < kEightColours.size(); ++k)
    SetColor(static_cast<int>(k), kEightColours[k].red, kEightColours[k].green, kEightColours[k].blue);
}

void KColorTable::SetRange16(double a, double b) {
  constexpr int kCount = 16;
  constexpr int kMirrorTop = 14;  // entry of the mirrored black
  entries.assign(kCount, {});
  FillValues(entries, a, b);
  for (int k = 0; k < static_cast<int>(kEightColours.size()); ++k) {
    const KRgbBytes c = kEightColours[static_cast<std::size_t>(k)];
    SetColor(k, c.red, c.green, c.blue);
    SetColor(kMirrorTop - k, c.blue, c.green, c.red);
  }
}

void KColorTable::SetColor(int k, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  if (k < 0 || static_cast<std::size_t>(k) >= entries.size()) return;
  KColorEntry& e = entries[static_cast<std::size_t>(k)];
  e.red = red;
  e.green = green;
  e.blue = blue;
}

KColorRef KColorTable::ColorAt(double z) const {
  const int n = static_cast<int>(entries.size());
  if (n == 0) return 0;
  if (n == 1) return ColourOf(entries[0]);
  const double first = entries.front().value, last = entries.back().value;
  if (std::isnan(z)) return ColourOf(entries.front());

  // Beyond an end: that end's colour. Mixing with the factor such a value
  // gives would run the channels past 0..255 and wrap them.
  const bool ascending = first <= last;
  const double lowEnd = ascending ? first : last, highEnd = ascending ? last : first;
  if (z < lowEnd) return ColourOf(ascending ? entries.front() : entries.back());
  if (z > highEnd) return ColourOf(ascending ? entries.back() : entries.front());

  int a;
  if (std::abs(z - first) < kOnEnd) {
    a = 0;
  } else if (std::abs(z - last) < kOnEnd) {
    a = n - 2;
  } else {
    int lo = 0, hi = n - 1;
    while (hi - lo > 1) {
      const int mid = (hi + lo) / 2;
      const double vMid = entries[static_cast<std::size_t>(mid)].value;
      const double vHi = entries[static_cast<std::size_t>(hi)].value;
      if ((z - vMid) * (z - vHi) > kOnEnd)
        hi = mid;
      else
        lo = mid;
    }
    a = lo;
  }

  const KColorEntry& c0 = entries[static_cast<std::size_t>(a)];
  const KColorEntry& c1 = entries[static_cast<std::size_t>(a) + 1];
  const double span = c1.value - c0.value;
  // Equal break values (a scale over a single value) have no interval to
  // interpolate over: the first colour, not a division by zero.
  double f = span != 0 ? (z - c0.value) / span : 0.0;
  if (!std::isfinite(f)) f = 0.0;
  f = std::clamp(f, 0.0, 1.0);
  return KRgb(Mix(c0.red, c1.red, f), Mix(c0.green, c1.green, f), Mix(c0.blue, c1.blue, f));
}
