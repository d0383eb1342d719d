#pragma once
// Draws a document through a view transform onto the transform's device,
// and offers the primitives that embellishments, curve arrays, x, y, z lists
// and raster elements draw with. Colours named "document colour" are stored
// negated (-(r + 256 g + 65536 b)) and drawn as their negation.
#include <functional>
#include <string>
#include <vector>

#include "classes/ktree.h"
#include "platform/kdevice.h"
#include "render/kview_transform.h"

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
  // The module's renderer. Drawing keeps module-wide state (the block tree of
  // the document being drawn, the step counter), so two documents must not
  // be drawn at the same time.
  static KRenderer& Instance();

  // Blocks nest at most this deep; deeper insertions draw nothing.
  static constexpr int kMaxInsertDepth = 32;
  // A dash pattern that would need more dashes than this along one curve is
  // drawn as a solid line.
  static constexpr double kMaxDashes = 1e6;

  // Draws every entry whose layer is not hidden, in list order. Draws
  // nothing when the view has no device or cannot map (not fitted).
  void DrawDocument(KOnes& document, KViewTransform& view);

  void DrawCurveEntry(KEntry& entry, KViewTransform& view);
  void DrawCurveArrayEntry(KEntry& entry, KViewTransform& view);
  // Filled polygon for closure kind 2081, else a solid polyline of the
  // curve's width, in the document colour.
  void DrawCurve(const KCurve& curve, KViewTransform& view, int colour);
  // Lines through all points with the current pen; a closed curve ("C",
  // "BS", "BC") also gets the segment back to its first point.
  void DrawPolyline(const KCurve& curve, KViewTransform& view);
  static bool DrawsClosingSegment(int closure);
  // The part of the curve between two positions along its s values; a
  // position beyond either end extrapolates along the end segment.
  void DrawCurveRange(const KCurve& curve, KViewTransform& view, double from, double to);
  // Dashes along the whole curve with the current pen: pattern holds
  // alternating dash and gap lengths, starting with a dash. A pattern that
  // cannot advance along the curve (fewer than two values, a cycle whose
  // length is not positive) or would need more than kMaxDashes dashes draws
  // the curve once as a solid line.
  void DrawDashed(const KCurve& curve, KViewTransform& view, const double* pattern, int count);
  // Fills the polygon of the curve's points (winding rule), no outline.
  void FillPolygon(const KCurve& curve, KViewTransform& view, int colour);
  void FillPolygon(const double* x, const double* y, int count, KViewTransform& view, int colour);
  // One line of text; stores the font height, width and escapement it
  // computed into the record's font.
  void DrawText(KText& text, KViewTransform& view, int colour);
  // Axis-parallel filled rectangle (no rotation), COLORREF as given.
  void FillWorldRect(KViewTransform& view, double x, double y, double width, double height,
                     KColorRef colour);
  // The record's block through a composed transform, or a cross of the
  // record's sizes when the block is missing. Resolves and caches the block.
  void DrawInsert(KInsert& insert, KViewTransform& view);
  void DrawPointEntry(KEntry& entry, KViewTransform& view);
  void DrawPointSymbol(const KPointText& point, KViewTransform& view, KTextProperties& properties);
  void DrawStepList(const KStepList& list, KViewTransform& view);

  // Builds the transform that maps a figure placed at (x, y) with sizes kx,
  // ky and an angle in degrees straight to the device, and calls draw with
  // it. Nothing is drawn when a size is zero or the view cannot map.
  void DrawPlaced(double x, double y, double kx, double ky, double angleDegrees, KViewTransform& view,
                  const std::function<void(KViewTransform&)>& draw);

  // The block named in the document being drawn, or null.
  KOnes* LookupBlock(const std::string& name) const;

  // The sequence counter of the last step chart drawn.
  int StepSequence() const { return sequence_; }

private:
  void DrawEntry(KEntry& entry, KViewTransform& view);
  // Draws the entry's effective embellishment (its own, else its layer's)
  // along the curve; true when its NODRAW flag replaces the plain curve.
  bool DrawEmbellishment(KEntry& entry, const KCurve& curve, KViewTransform& view);
  void DrawBlock(KOnes& block, KViewTransform& view);

  KTree<KOnes>* currentBlocks_ = nullptr;
  int sequence_ = 0;
  std::vector<const KOnes*> drawing_;   // documents being drawn, outermost first
};
