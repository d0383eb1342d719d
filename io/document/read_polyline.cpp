// CURVE, PLINE and 3DPOLY: vertex lines "x,y[,z[,s[,code]]]" and marker lines
// up to a line that is empty or starts with a blank, control or high byte.
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "model/document/kcurve.h"
#include "model/document/segment_length.h"
#include "io/document/lexer.h"
#include "io/document/number_scan.h"
#include "io/document/reader_util.h"
#include "io/document/record_readers.h"

namespace {

// Index of the "." that separates a keyword from a polyline name
// ("PLINE.NAME", "CURVE.NAME").
constexpr std::size_t kNameDot = 5;
// "CODE 7": the number starts after "code ".
constexpr std::size_t kCodeValue = 5;
// "W 0.5": the width starts after "W ".
constexpr std::size_t kWidthValue = 2;
// Polylines shorter than this (in x, y) are not kept.
constexpr double kMinLength = 1e-6;
constexpr int kMinVertices = 2;

struct KPoint {
  double x, y, z, s;
};

// A line ends the polyline when it is empty or its first byte, taken as a
// signed char, is below '!' (blanks, control bytes and bytes 0x80-0xFF).
bool EndsPolyline(std::string_view line) {
  return line.empty() || static_cast<signed char>(line[0]) < '!';
}

// Applies a line that is not a vertex: a code, a width, a closure marker.
void ApplyCommand(std::string line, KCurve& curve) {
  ToUpperAscii(line);
  const bool isCode = StartsWith(line, "COD");
  if (isCode)
    curve.SetCode(std::atoi(std::string(TailFrom(line, kCodeValue)).c_str()));
  else if (StartsWith(line, "W"))
    curve.SetWidth(std::atof(std::string(TailFrom(line, kWidthValue)).c_str()));

  if (StartsWith(line, "S")) {
    curve.closure = kFilled;
  } else if (StartsWith(line, "C") && !isCode) {
    curve.closure = kClosed;
  } else if (StartsWith(line, "B")) {
    const char second = line.size() > 1 ? line[1] : '\0';
    curve.closure = second == 'S' ? kSplineFilled : second == 'C' ? kSplineClosed : kSplineOpen;
  }
}

double PlaneLength(const std::vector<KPoint>& points) {
  double length = 0.0;
  for (std::size_t i = 1; i < points.size(); ++i)
    length += SegmentLength(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y);
  return length;
}

}  // namespace

std::unique_ptr<KCurve> ReadPolyline(KReadContext& ctx, const std::string& keyword) {
  auto curve = std::make_unique<KCurve>();
  if (keyword.size() > kNameDot && keyword[kNameDot] == '.') curve->SetName(keyword.substr(kNameDot + 1));

  // Reused across polylines: a drawing holds many and they are read one at a
  // time, so the scratch buffers only grow to the largest one.
  thread_local std::vector<KPoint> points;
  thread_local std::string scratch;
  points.clear();
  std::string_view line;
  for (;;) {
    if (!ReadLine(ctx.src, line, scratch)) {
      ctx.Report("polyline dropped", "input ended before its terminating line");
      return nullptr;
    }
    if (EndsPolyline(line)) break;
    // "%lf,%lf,%lf,%lf,%d": x, y, z, s and a code that is read but not kept.
    double v[4] = {0.0, 0.0, 0.0, 0.0};
    int code = 0;
    const int n = ScanCommaNumbers(line, v, 4, &code);
    if (n >= 2) {
      points.push_back({v[0], v[1], v[2], v[3]});
      if (n > curve->dimension) curve->dimension = n;
    } else {
      ApplyCommand(std::string(line), *curve);
    }
  }

  if (points.size() < static_cast<std::size_t>(kMinVertices)) {
    ctx.Report("polyline rejected", "fewer than 2 vertices");
    return nullptr;
  }
  // A vertex at infinity has no place in the picture and would make the
  // drawing's extent, and so its whole view, unusable.
  for (const auto& p : points)
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
      ctx.Report("polyline rejected", "a vertex is not a finite number");
      return nullptr;
    }
  curve->Allocate(static_cast<int>(points.size()));
  double* x = curve->x();
  double* y = curve->y();
  for (std::size_t i = 0; i < points.size(); ++i) {
    x[i] = points[i].x;
    y[i] = points[i].y;
  }
  // z and s only where the file gave them (they are 0 otherwise): a plain
  // curve needs no z array, and its s is computed below.
  if (curve->dimension >= 3) {
    double* z = curve->z();
    for (std::size_t i = 0; i < points.size(); ++i) z[i] = points[i].z;
  }
  if (curve->dimension >= 4) {
    double* s = curve->s();
    for (std::size_t i = 0; i < points.size(); ++i) s[i] = points[i].s;
  }
  if (curve->IsClosed()) curve->FillSpareSlots();
  // Without s values from the file, s becomes the running length, whose
  // last value is the total length (the same sums in the same order).
  double length;
  if (curve->dimension < 4) {
    curve->ArcLength();
    length = curve->s()[curve->count - 1];
  } else {
    length = PlaneLength(points);
  }
  if (!std::isfinite(length)) {
    ctx.Report("polyline rejected", "its length overflows: coordinates too far apart");
    return nullptr;
  }
  if (length < kMinLength) {
    ctx.Report("polyline rejected", "total length below 1e-6");
    return nullptr;
  }
  return curve;
}
