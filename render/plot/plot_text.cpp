#include "render/plot/plot_text.h"

#include <charconv>

void PlotLabel(KDevice& device, int x, int y, const std::string& text, unsigned align, int pixels,
               int escapement) {
  KDeviceFont font;
  font.height = -pixels;
  font.escapement = escapement;
  device.SetTextAlign(align | kAlignBottom);
  // Bottom-aligned, half a height down: the text stands centred on y.
  if (escapement == 900)
    device.TextOut(x + pixels / 2, y, text, font);
  else
    device.TextOut(x, y + pixels / 2, text, font);
}

std::string ValueLabel(double value) {
  char text[64];
  const auto done = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
  return std::string(text, done.ptr);
}
