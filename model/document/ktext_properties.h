#pragma once
// How points and their labels are drawn: a mark block with its sizes and a
// label font, size, angle, offset and colour. Shared by entries and layers.
#include <string>

#include "platform/device/klogfont.h"

struct KTextProperties {
  KTextProperties() {
    labelFont.weight = 100;
    labelFont.charSet = 1;
  }
  std::string markName;         // the mark block, looked up when drawn
  std::string secondName;
  KLogFont labelFont;
  double markHeight = 5.0;
  double markWidth = 5.0;
  double markAngle = 0.0;
  double labelHeight = 5.0;
  double labelWidth = 2.0;
  double labelAngle = 0.0;
  double labelOffsetX = 0.1;
  double labelOffsetY = -0.1;
  int labelColour = 255;
};
