#pragma once
// Decorations drawn along a curve: arrow triangles at its ends, a line style
// replacing the plain stroke, the curve's name written into the line, blocks
// set at regular intervals and numeric labels. Read from an EMBELLISH or
// CURVEEMBELLISH block; shared by every entry and layer that carries it.
#include <string>
#include <variant>
#include <vector>

// Style codes selected by a style word (first letters S, C, B, BS, BC; V only
// for names, where it announces a dash pattern).
enum KEmbellishStyle : int {
  kStylePlain = 0,
  kStyleFilled = 2081,        // S: a line item draws no stroke
  kStyleClosed = 2082,        // C
  kStyleSplineOpen = 2083,    // B
  kStyleSplineFilled = 2084,  // BS: a line item draws no stroke
  kStyleSplineClosed = 2085,  // BC
  kStyleDashed = 2089,        // V (names only)
};

// Arrow triangle at the first (ARROWHEAD) or last (ARROWTAIL) point.
struct KArrowItem {
  double size = 0.0;          // world units
  int colour = 0;             // document colour (drawn as minus the value)
};

// The curve stroked with its own width, colour and dash pattern (PROPERTIES).
struct KLineItem {
  double width = 0.0;         // world units
  int colour = 0;             // document colour
  std::vector<double> dashes; // alternating dash and gap lengths; empty when none
  int style = kStylePlain;
  int squareCap = 0;          // non-zero: square line ends
};

// The curve's name written into the line (INNAME). Its line-item part comes
// first so a name item without a name can be drawn as a line item; width and
// squareCap stay 0. The two colours are plain COLORREF values
// (r + 256 g + 65536 b), unlike every other colour of an embellishment.
struct KNameItem : KLineItem {
  int textColour = 0;
  double charSize = 0.0;      // world units
  int repetitions = 0;
  double offset = 0.0;        // world units
  double lineWidth = 0.0;     // world units; below -1e-10 no line pieces
};

// Blocks inserted (SCALE) or numeric labels written (LOCATE) at regular
// positions along the curve. An end below the start means no range is set.
struct KMarkItem {
  double step = 1.0;
  double sizeX = 0.2;         // block x scale, or label character width
  double sizeY = 0.2;         // block y scale, or label character height
  double angleOffset = 0.0;   // degrees
  double start = -1.0;
  double end = -2.0;
  double offset = 0.0;        // world units
  int scaleToLength = 1;
  int style = kStylePlain;
  int labelColour = 0;        // LOCATE only: document colour
  std::string blockName;      // SCALE only
};

class KEmbellish {
public:
  // Item types, as the block's keywords give them.
  enum Type : int {
    kArrowHead = 1,
    kArrowTail = 2,
    kScale = 3,
    kProperties = 7,
    kInName = 8,
    kLocate = 9,
  };

  // One decoration: its type and the record of that type (arrow types hold a
  // KArrowItem, kScale and kLocate a KMarkItem, kProperties a KLineItem,
  // kInName a KNameItem).
  struct CurvePlay {
    int type = 0;
    std::variant<KArrowItem, KLineItem, KNameItem, KMarkItem> item;
  };

  std::vector<CurvePlay> items;   // in block order
  bool noDraw = false;            // NODRAW: only the items are drawn, not the curve

  int Count() const { return static_cast<int>(items.size()); }
};

// Style code of a style word for line and mark items (S, C, B, BS, BC;
// anything else is plain). The caller upper-cases the word where its item
// accepts both cases.
int EmbellishStyleCode(const std::string& word);
