#pragma once
// A colour scale: break values with a colour each, and a linear lookup
// between them. Used for the coloured grid (eight colours over the value
// range) and for the emblem (sixteen entries).
#include <cstdint>
#include <vector>

#include "platform/device/kdevice.h"

struct KColorEntry {
  double value = 0;
  std::uint8_t red = 0, green = 0, blue = 0;
};

class KColorTable {
public:
  // Break values in ascending or descending order, each with its colour.
  std::vector<KColorEntry> entries;

  // Eight entries from a to b in steps of (b - a) / 7 (formed by repeated
  // addition): black, blue, green, cyan, red, magenta, yellow, white.
  void SetRange8(double a, double b);
  // Sixteen entries from a to b in steps of (b - a) / 15: the eight colours
  // above for entries 0-7, then the same colours with red and blue swapped
  // running back from white (entry 7) to black (entry 14). Entry 15 is
  // black until the caller sets it.
  void SetRange16(double a, double b);
  // Sets the colour of entry k; nothing when k is not an entry.
  void SetColor(int k, std::uint8_t red, std::uint8_t green, std::uint8_t blue);

  // The colour of z mixed linearly between the two break values around it
  // (0x00BBGGRR). Values beyond either end, and NaN, take the colour of the
  // nearer end (NaN the first); an empty table gives black, a one-entry
  // table its colour. Two equal neighbouring break values give the colour
  // of the first of them.
  KColorRef ColorAt(double z) const;
};
