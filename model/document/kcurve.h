#pragma once
// The polyline record: every curve of the system is one. Each point has x, y,
// z and s (the position along the curve). A drawing holds a curve per
// polyline and most polylines are two plain vertices, so a curve of up to two
// points with no z keeps x, y and s inside the object; any other curve keeps
// x, y, s and z in one block of its own. Closed curves may carry two spare
// slots per array that repeat points 0 and 1 (see FillSpareSlots).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/document/krecord.h"

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
  // Copies take every field and every value, spare slots included. A curve
  // moved from is left empty.
  KCurve();
  KCurve(const KCurve& other);
  KCurve(KCurve&& other) noexcept;
  KCurve& operator=(const KCurve& other);
  KCurve& operator=(KCurve&& other) noexcept;
  ~KCurve() override;

  int count = 0;
  // Small fields: a closure kind (0 or 2081..2085) and a dimension (0..4).
  std::int16_t closure = kOpen;
  std::int8_t dimension = 0;

  // Rarely set, so held apart and only when set.
  std::string_view name() const;  // empty when the polyline has none
  void SetName(std::string_view name);
  double width() const;  // pen width in world units
  void SetWidth(double width);
  int code() const;
  void SetCode(int code);

  double* x() { return Values(); }
  double* y() { return Values() + Stride(); }
  double* s() { return Values() + 2 * Stride(); }
  // Gives the curve a z array (zeros) if it had none.
  double* z();
  const double* x() const { return Values(); }
  const double* y() const { return Values() + Stride(); }
  const double* s() const { return Values() + 2 * Stride(); }
  // Zeros when the curve has no z array.
  const double* z() const;

  // True for the kinds that close the curve (67, 83 and above 256).
  static bool IsClosedKind(int kind) { return kind == 67 || kind == 83 || kind > 256; }
  bool IsClosed() const { return IsClosedKind(closure); }

  // Zeroed values for n points, without spare slots; count = n.
  void Allocate(int n);
  // Copies points 0 and 1 into the spare slots count and count + 1, making
  // room for them first.
  void FillSpareSlots();

  // Geometry (model/document/kcurve_geometry.cpp).
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
  // Editing by mouse (model/document/kcurve_edit.cpp); each returns whether the
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
  // Points held inside the object: x, y and s of up to two points.
  static constexpr int kLocalPoints = 2;
  static constexpr int kLocalValues = 3 * kLocalPoints;
  // flags_ bits.
  static constexpr std::uint8_t kInBlock = 1;  // values in block_, z included
  static constexpr std::uint8_t kSpare = 2;    // two spare slots per array

  bool InBlock() const { return (flags_ & kInBlock) != 0; }
  std::size_t Stride() const {
    return static_cast<std::size_t>(count) + ((flags_ & kSpare) != 0 ? 2 : 0);
  }
  double* Values() { return InBlock() ? storage_.block : storage_.local; }
  const double* Values() const { return InBlock() ? storage_.block : storage_.local; }
  // Moves the values into a block of their own, with spare slots when asked;
  // a curve already in a block with the slots asked for is left as it is.
  void MoveToBlock(bool spare);
  void FreeBlock();
  void CopyValuesFrom(const KCurve& other);
  // Takes other's count and values, leaving it empty.
  void TakeValues(KCurve& other);
  // Writes a new extras block; null when all three are unset.
  void SetExtras(double width, int code, std::string_view name);

  std::uint8_t flags_ = 0;
  // Null while name, width and code are unset, else one block: the width,
  // the code, the name's length and its bytes (a curve-file curve's name is
  // a word or two, which a std::string would triple).
  std::unique_ptr<char[]> extras_;
  union Storage {
    double* block;  // 4 * Stride() doubles: x, y, s, z
    double local[kLocalValues];  // x, y, s of count <= kLocalPoints points
  } storage_{.local = {}};
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
