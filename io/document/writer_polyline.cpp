// Polyline blocks, and curve arrays as the polylines of their elements.
#include <algorithm>
#include <cmath>

#include "model/curves/kcurve_array.h"
#include "model/document/kcurve.h"
#include "model/document/segment_length.h"
#include "io/document/writer_parts.h"

namespace {

// A vertex line needs x and y to be read as a vertex; at most x, y, z and s
// are written (the fifth value of a vertex line is not kept on reading).
constexpr int kMinValues = 2;
constexpr int kMaxValues = 4;
// A group's polyline carries its curves' header numbers in z and s.
constexpr int kGroupValues = 4;
// The reader keeps no polyline of fewer vertices or a shorter plane length.
constexpr int kMinReadVertices = 2;
constexpr double kMinReadLength = 1e-6;

const char* ClosureMarker(int closure) {
  switch (closure) {
    case kFilled: return "S";
    case kClosed: return "C";
    case kSplineOpen: return "B";
    case kSplineFilled: return "BS";
    case kSplineClosed: return "BC";
    default: return "";
  }
}

bool ReadsBackAsPolyline(const KCurve& curve) {
  if (curve.count < kMinReadVertices) return false;
  const double* x = curve.x();
  const double* y = curve.y();
  double length = 0.0;
  for (int i = 1; i < curve.count; ++i) length += SegmentLength(x[i] - x[i - 1], y[i] - y[i - 1]);
  return length >= kMinReadLength;
}

// An element whose polyline the reader would drop (a group of one curve has
// one placement point) is kept as a labelled point at its first vertex.
void WriteAsPoint(KOutput& out, const KCurve& curve) {
  out << "point " << FormatNumber(curve.x()[0]) << "," << FormatNumber(curve.y()[0]) << ","
      << FormatNumber(curve.z()[0]) << " " << OneWord(curve.name()) << kCrLf;
}

}  // namespace

void WritePolyline(KOutput& out, const KCurve& curve, int values) {
  if (values <= 0) values = curve.dimension;
  values = std::clamp(values, kMinValues, kMaxValues);

  out << "PLINE";
  const std::string name = OneWord(curve.name());
  if (!name.empty()) out << "." << name;
  out << kCrLf;

  const double* columns[kMaxValues] = {curve.x(), curve.y(), curve.z(), curve.s()};
  for (int i = 0; i < curve.count; ++i) {
    for (int v = 0; v < values; ++v) {
      if (v > 0) out << ",";
      out << FormatNumber(columns[v][i]);
    }
    out << kCrLf;
  }
  // The reader takes the pen width from a "W" line.
  if (curve.width() != 0.0) out << "W " << FormatNumber(curve.width()) << kCrLf;
  if (curve.code() != 0) out << "code " << std::to_string(curve.code()) << kCrLf;
  out << ClosureMarker(curve.closure) << kCrLf;
  out << kCrLf;
}

void WriteCurveArray(KOutput& out, const KCurveArray& array) {
  for (const auto& element : array.elements) {
    if (!element) continue;
    const bool group = dynamic_cast<const KCurveGroup*>(element.get()) != nullptr;
    if (element->count > 0 && !ReadsBackAsPolyline(*element))
      WriteAsPoint(out, *element);
    else
      WritePolyline(out, *element, group ? kGroupValues : 0);
  }
}
