#include "render/drawing/picture_legend.h"

#include "render/plot/plot_text.h"

namespace {

constexpr KColorRef kInk = KRgb(0, 0, 0);
constexpr KColorRef kBackground = KRgb(255, 255, 255);

}  // namespace

void DrawPictureLabel(KDevice& device, int x, int y, const std::string& text, unsigned align) {
  device.SetBkMode(kBkTransparent);
  device.SetTextColor(kInk);
  PlotLabel(device, x, y, text, align, kPictureLabelPixels);
}

int ColourBarWidth(const KColourBar& bar, KIntSize client) {
  return client.width >= 3 * bar.width ? bar.width : 0;
}

void DrawColourBar(KDevice& device, KIntSize client, const KColourBar& bar) {
  const int width = ColourBarWidth(bar, client);
  if (width == 0 || client.height < 80) return;
  const int x0 = client.width - width;
  device.FillSolidRect(x0, 0, width, client.height, kBackground);
  DrawColourBar(device, bar.colourAt, bar.lo, bar.hi, bar.tick, {x0 + 14, 30, 20, client.height - 60},
                kPictureLabelPixels);
}
