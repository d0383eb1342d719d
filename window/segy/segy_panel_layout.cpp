#include "window/segy/segy_panel_layout.h"

#include <algorithm>

#include "model/document/ktext_properties.h"
#include "render/drawing/krenderer.h"

namespace {

// How wide a character is drawn, in average characters (the font is sized
// by its average character): measured on the serif fonts the label font
// falls back to, with a little to spare.
double CharacterWidth(char c) {
  switch (c) {
    case ' ': case ',': case '.': case '-': case ':': case '(': case ')': case 'i': case 'j': case 'l': case 'I':
      return 0.6;
    case 'f': case 't': case 'r': case 'J':
      return 0.85;
    case 'M': case 'W': case 'm': case 'w':
      return 1.75;
    default:
      return c >= 'A' && c <= 'Z' ? 1.35 : 1.19;
  }
}

constexpr double kMargin = 0.05;

}  // namespace

double CellWidthFor(std::string_view text, const KTextProperties& properties) {
  double characters = 0;
  for (char c : text) characters += CharacterWidth(c);
  return properties.labelOffsetX + characters * KRenderer::kFontCellFactor * properties.labelWidth + kMargin;
}

std::vector<KPanelColumn> PlaceColumns(const std::vector<KColumnWish>& wishes, double startAt) {
  std::vector<KPanelColumn> columns;
  columns.reserve(wishes.size());
  double end = startAt;
  for (const KColumnWish& w : wishes) {
    KPanelColumn c{std::max(w.x, end), std::max(w.width, w.needed)};
    end = c.End();
    columns.push_back(c);
  }
  return columns;
}
