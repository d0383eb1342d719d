#pragma once
// Turns the drawing's font description into a QFont whose character cell,
// average character width and placement match what the description asks of
// a Windows device context.
#include <QFont>
#include <optional>

#include "platform/device/klogfont.h"

struct KQtFont {
  QFont font;            // em size in whole pixels
  double stretch = 1.0;  // horizontal scale that gives the asked average width
  double ascent = 0;     // above the baseline, in pixels
  double descent = 0;    // below the baseline
};

// Families tried when a description names none (or one not installed):
// Latin first, then a face with the CJK ideographs.
inline constexpr const char* kDefaultLatinFamily = "DejaVu Sans";
inline constexpr const char* kDefaultCjkFamily = "WenQuanYi Micro Hei";
// Cell height when the description gives height 0.
inline constexpr int kDefaultCellHeight = 16;

// Nothing when the text would be less than a pixel or absurdly tall.
std::optional<KQtFont> ResolveFont(const KDeviceFont& description, int maxPixels);
