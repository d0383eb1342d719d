#pragma once
// A drawing window used as a panel of labelled cells. Each cell is a point
// entry whose mark (a filled square block stretched to the mark size) and
// label come from the text properties of its layer, set by the panel's
// drawing script (charFileButton):
//   style 1, "window\button": the blue block, label column;
//   style 2, "window\edit":   the red block, value column;
//   style 3, "window\play":   the green block, label column.
// Rows go downwards: row r lies at y = -1.1 r, cells are 1 unit high.
//
// Pick indexes and cell indexes: the window's "Click" mode returns a pick
// index counted from the TAIL of the entry list (the last entry added is 0),
// while GetPoint and SetPoint take an index counted from the HEAD (the
// first entry added is 0). With N entries, cell index = N - 1 - pick index;
// CellOfPick does that conversion (and keeps -10, "nothing picked", as -1).
#include <string>

#include "window/editor/quarvel_window.h"

struct KLayer;

class KButton : public QuarvelWindow {
public:
  KButton();
  ~KButton() override;

  KLayer* buttonLayer = nullptr;  // "window\button", style 1
  KLayer* playLayer = nullptr;    // "window\play", style 3
  KLayer* editLayer = nullptr;    // "window\edit", style 2
  // x of the cells of styles 1 and 3, and of style 2. A derived panel sets
  // them directly before adding cells.
  double labelColumn = 0;
  double valueColumn = 0;

  // Label cells a wide, value cells b wide; the value column starts 0.1
  // right of the label cells.
  void Initial(double a, double b);
  // Adds a cell of a style (1, 2 or 3; any other adds nothing) in a row,
  // on the style's layer, which stays the current layer.
  void AddPoint(const std::string& text, int style, int row);
  // Adds a cell at (x, y) on the current layer; the style is not used.
  void AddPoint(const std::string& text, int style, double x, double y);
  // The label of the cell at a head-counted index; null when there is no
  // such entry or it is not a point.
  const char* GetPoint(int index) const;
  // Replaces that label; nothing when the entry is missing or not a point.
  void SetPoint(int index, const std::string& text);

  // The head-counted index of a pick index; -1 when the pick found nothing.
  int CellOfPick(int pick) const;
  // The head-counted index of the entry the window's pick finds at the
  // world point (a cell when x <= px <= x + mark width and y <= py <= y +
  // mark height, on a layer that may be edited); -1 when none.
  int CellAt(double px, double py) const;
};
