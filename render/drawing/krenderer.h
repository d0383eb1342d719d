#pragma once
// Draws a document through a view transform onto a device, and offers the
// primitives that embellishments, curve arrays, x, y, z lists and raster
// elements draw with. Colours named "document colour" are stored negated
// (-(r + 256 g + 65536 b)) and drawn as their negation.
//
// A renderer is made for one paint: it holds the device, the pen position,
// the block names resolved so far and the stack of documents being drawn.
// It only reads the documents and records it draws, so windows that each
// paint with their own renderer may draw at the same time.
#include <functional>
#include <string>

#include "platform/device/kdevice.h"
#include "render/drawing/block_resolver.h"
#include "render/view/kview_transform.h"
#include "render/drawing/pen_path.h"

class KCurve;
class KEmbellish;
class KOnes;
struct KEntry;
struct KInsert;
struct KPointText;
struct KStepList;
struct KText;
struct KTextProperties;

// The COLORREF a document colour draws with.
KColorRef DocumentColour(int colour);

class KRenderer {
public:
  // Fonts are drawn with character cells this many times a record's
  // character height and width (the width being the average character's).
  static constexpr double kFontCellFactor = 1.5;

  explicit KRenderer(KDevice& device) : device_(device), pen_(device) {}
  KRenderer(const KRenderer&) = delete;
  KRenderer& operator=(const KRenderer&) = delete;

  KDevice& Device() const { return device_; }

  // Blocks nest at most this deep; deeper insertions draw nothing.
  static constexpr int kMaxInsertDepth = KBlockResolver::kMaxDepth;
  // Entries drawn inside inserted blocks, and mark positions walked along
  // their curves, over one paint: blocks that insert each other several
  // times, or curves in blocks that place marks or blocks along themselves,
  // multiply the work far beyond what the nesting depth bounds. Past it,
  // inserted blocks draw nothing.
  static constexpr long long kMaxInsertedEntries = 2'000'000;
  // True when this paint left inserted blocks out to stay within
  // kMaxInsertedEntries.
  bool InsertBudgetHit() const { return insertBudgetHit_; }
  // Counts one piece of work done inside an inserted block against
  // kMaxInsertedEntries; false once the budget is spent. Work at the top
  // level is not counted.
  bool ChargeInsertedWork();

  // A dash pattern that would need more dashes than this along one curve,
  // or more than kDashesPerPixel for each device pixel of its length (they
  // could not be told apart), is drawn as a solid line.
  static constexpr double kMaxDashes = 1e6;
  static constexpr double kDashesPerPixel = 2;
  // The curve's length on the device, in pixels (through rotations and
  // composed transforms); infinite when a vertex does not map.
  static double DeviceLength(const KCurve& curve, const KViewTransform& view);

  // Draws every entry whose layer is not hidden, in list order. Draws
  // nothing when the view cannot map (not fitted).
  void DrawDocument(const KOnes& document, const KViewTransform& view);

  void DrawCurveEntry(const KEntry& entry, const KViewTransform& view);
  void DrawCurveArrayEntry(const KEntry& entry, const KViewTransform& view);
  // Filled polygon for closure kind 2081, else a solid polyline of the
  // curve's width, in the document colour.
  void DrawCurve(const KCurve& curve, const KViewTransform& view, int colour);
  // Lines through all points with the current pen; a closed curve ("C",
  // "BS", "BC") also gets the segment back to its first point.
  void DrawPolyline(const KCurve& curve, const KViewTransform& view);
  static bool DrawsClosingSegment(int closure);
  // The part of the curve between two positions along its s values; a
  // position beyond either end extrapolates along the end segment.
  void DrawCurveRange(const KCurve& curve, const KViewTransform& view, double from, double to);
  // Dashes along the whole curve with the current pen: pattern holds
  // alternating dash and gap lengths, starting with a dash. A pattern that
  // cannot advance along the curve (fewer than two values, a cycle whose
  // length is not positive) or would need more dashes than kMaxDashes or
  // kDashesPerPixel allow draws the curve once as a solid line.
  void DrawDashed(const KCurve& curve, const KViewTransform& view, const double* pattern, int count);
  // Fills the polygon of the curve's points (winding rule), no outline.
  void FillPolygon(const KCurve& curve, const KViewTransform& view, int colour);
  void FillPolygon(const double* x, const double* y, int count, const KViewTransform& view, int colour);
  // One line of text, its font cell sized from the record's width and
  // height through the view and turned by the record's angle.
  void DrawText(const KText& text, const KViewTransform& view, int colour);
  // Axis-parallel filled rectangle (no rotation), COLORREF as given.
  void FillWorldRect(const KViewTransform& view, double x, double y, double width, double height,
                     KColorRef colour);
  // The record's block, named in the document being drawn, through a
  // composed transform, or a cross of the record's sizes when the block is
  // missing.
  void DrawInsert(const KInsert& insert, const KViewTransform& view);
  // The same with the block already looked up (null: missing), for callers
  // that insert one block many times.
  void DrawInsertOf(const KOnes* block, const KInsert& insert, const KViewTransform& view);
  void DrawPointEntry(const KEntry& entry, const KViewTransform& view);
  // Mark (the properties' mark block, named in the document being drawn)
  // and label of one point.
  void DrawPointSymbol(const KPointText& point, const KViewTransform& view, const KTextProperties& properties);
  // The step chart; returns the sequence number of its last numbered step.
  int DrawStepList(const KStepList& list, const KViewTransform& view);

  // Builds the transform that maps a figure placed at (x, y) with sizes kx,
  // ky and an angle in degrees straight to the device, and calls draw with
  // it. Nothing is drawn when a size is zero or the view cannot map.
  void DrawPlaced(double x, double y, double kx, double ky, double angleDegrees, const KViewTransform& view,
                  const std::function<void(const KViewTransform&)>& draw);

  // The block named in the document being drawn, or null.
  const KOnes* LookupBlock(const std::string& name) const { return blocks_.Lookup(name); }

  // Lines and pens through a view (render/drawing/pen_path.h).
  void MoveTo(const KViewTransform& view, double x, double y) { pen_.MoveTo(view, x, y); }
  void LineTo(const KViewTransform& view, double x, double y) { pen_.LineTo(view, x, y); }
  void SelectPen(const KViewTransform& view, int style, double worldWidth, KColorRef colour) {
    pen_.SelectPen(view, style, worldWidth, colour);
  }

private:
  void DrawEntry(const KEntry& entry, const KViewTransform& view);
  // Draws the entry's effective embellishment (its own, else its layer's)
  // along the curve; true when its NODRAW flag replaces the plain curve.
  bool DrawEmbellishment(const KEntry& entry, const KCurve& curve, const KViewTransform& view);
  void DrawPointMark(const KPointText& point, const KViewTransform& view, const KTextProperties& properties,
                     const KOnes* mark);
  void DrawBlock(const KOnes& block, const KViewTransform& view);

  KDevice& device_;
  KPenPath pen_;
  KBlockResolver blocks_;
  int depth_ = 0;                   // documents being drawn
  long long insertedEntries_ = 0;   // drawn inside blocks, this paint
  bool insertBudgetHit_ = false;
};
