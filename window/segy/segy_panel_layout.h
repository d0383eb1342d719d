#pragma once
// Where the SEG-Y panel's columns go. Each column keeps the place and width
// the panel has always given it while its longest text fits; a column whose
// text does not fit grows to hold it and pushes the columns right of it
// along, so a long text is never covered by the next cell and no cell is
// drawn over another.
#include <string_view>
#include <vector>

struct KTextProperties;

struct KPanelColumn {
  double x = 0;      // left edge, world units
  double width = 0;  // mark width of its cells
  double End() const { return x + width; }
};

// The width a cell needs for its label drawn with these text properties:
// the label offset, the characters as wide as they are drawn, and a small
// margin.
double CellWidthFor(std::string_view text, const KTextProperties& properties);

// Places columns left to right: column i at its usual x unless the column
// before it ends further right, and as wide as the wider of its usual width
// and `needed`.
struct KColumnWish {
  double x, width, needed;
};
std::vector<KPanelColumn> PlaceColumns(const std::vector<KColumnWish>& wishes, double startAt = 0);
