#pragma once
// The polyline record: every curve of the system is one. x, y, z and s live
// in one block of 4 * (count + 2) doubles; the two spare slots of each array
// repeat points 0 and 1 for closed curves.
#include <memory>
#include <string>
#include <vector>

#include "document/krecord.h"

// Closure kinds written as markers after the vertices.
enum KClosure : int {
  kOpen = 0,
  kFilled = 2081,        // "S": closed and filled
  kClosed = 2082,        // "C"
  kSplineOpen = 2083,    // "B"
  kSplineFilled = 2084,  // "BS"
  kSplineClosed = 2085,  // "BC"
};

class KCurve : public KRecord {
public:
  // Copies take every field and the whole block, spare slots included. A
  // curve moved from may only be assigned to or destroyed.
  KCurve() = default;
  KCurve(const KCurve& other)
      : KRecord(other), count(other.count), closure(other.closure), dimension(other.dimension),
        code(other.code), name(other.name), width(other.width), block_(other.CopyBlock()) {}
  KCurve(KCurve&&) = default;
  KCurve& operator=(const KCurve& other) {
    if (this != &other) *this = KCurve(other);
    return *this;
  }
  KCurve& operator=(KCurve&&) = default;

  int count = 0;
  int closure = kOpen;
  int dimension = 0;
  int code = 0;
  std::string name;     // empty when the polyline has none
  double width = 0.0;   // pen width in world units

  double* x() { return block_.get(); }
  double* y() { return block_.get() + Stride(); }
  double* z() { return block_.get() + 2 * Stride(); }
  double* s() { return block_.get() + 3 * Stride(); }
  const double* x() const { return block_.get(); }
  const double* y() const { return block_.get() + Stride(); }
  const double* z() const { return block_.get() + 2 * Stride(); }
  const double* s() const { return block_.get() + 3 * Stride(); }

  // True for the kinds that close the curve (67, 83 and above 256).
  static bool IsClosedKind(int kind) { return kind == 67 || kind == 83 || kind > 256; }
  bool IsClosed() const { return IsClosedKind(closure); }

  // New zeroed block for n points (spare slots included); count = n.
  void Allocate(int n);
  // Copies points 0 and 1 into the spare slots count and count + 1.
  void FillSpareSlots();

  // Geometry (render/curve_geometry.cpp).
  void ArcLength();
  double Length() const;
  void Bounds(double& xmin, double& ymin, double& xmax, double& ymax) const;
  int IntersectsRect(double xmin, double ymin, double xmax, double ymax) const;
  void Reverse();
  // Takes source's points, closure, dimension and name; keeps this curve's
  // width and code.
  void CopyFrom(const KCurve& source);
  void FromStrings(const std::vector<std::string>& lines);
  double NearestPoint(double px, double py, double& position) const;
  // Editing by mouse (document/kcurve_edit.cpp); each returns whether the
  // curve changed.
  // Cuts the beginning or the end off at the positions of two points: with
  // the later one beyond the end, the points after the earlier one's
  // segment go; with the earlier one before the start, the points up to the
  // later one's segment go (s values kept). Points both inside, both before
  // the start, or spanning the whole curve change nothing: a trim never
  // empties a curve.
  bool TrimRange(double x1, double y1, double x2, double y2);
  // Replaces the stretch between the positions of the stroke's end points
  // by the stroke's points (reversed when it runs against the curve), then
  // recomputes s. A stroke wholly before the start changes nothing.
  bool Splice(const KCurve& stroke);
  // Keeps points [from, to) only, with all four values each.
  void KeepRange(int from, int to);
  double LastX() const { return x()[count - 1]; }
  double LastY() const { return y()[count - 1]; }

private:
  std::size_t Stride() const { return static_cast<std::size_t>(count) + 2; }
  // A copy of the block, whose size follows from count (only Allocate sets
  // count); null for a curve moved from.
  std::unique_ptr<double[]> CopyBlock() const;
  // A bare pointer rather than a vector: its size is 4 * Stride(), and a
  // drawing holds a curve per polyline.
  std::unique_ptr<double[]> block_ = std::make_unique<double[]>(8);
};

// Widens [min, max] by value.
inline void Span(double value, double& min, double& max) {
  if (value < min) min = value;
  if (value > max) max = value;
}
// Index k of the segment [a[k], a[k+1]] holding v; -100 before, n + 100 after.
int Locate(double v, int n, const double* a);
// Linear value at v through (a[0], b[0]) and (a[1], b[1]).
double Interpolate(double v, const double* a, const double* b);
