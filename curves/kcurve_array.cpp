// Curve arrays: the top-level polylines of a drawing, and nearest-curve
// search over any array.
#include "curves/kcurve_array.h"


#include "document/lexer.h"
#include "document/reader_util.h"
#include "document/record_readers.h"
#include "platform/byte_source.h"

namespace {

// Polylines shorter than this are not kept.
constexpr double kMinLength = 1e-6;
// Start of the nearest-element search: no element found.
constexpr double kNoElement = 1e300;

std::string Upper(std::string text) {
  ToUpperAscii(text);
  return text;
}

// A token that starts a polyline record. CURVEEMBELLISH opens an
// embellishment block, not a curve, though it begins with CURVE.
bool StartsPolyline(const std::string& upper) {
  if (StartsWith(upper, "CURVEEMBELLISH")) return false;
  return StartsWith(upper, "CURVE") || StartsWith(upper, "PLINE") || StartsWith(upper, "3DPOLY");
}

}  // namespace

int KCurveArray::Create(int n) {
  elements.assign(n > 0 ? static_cast<std::size_t>(n) : 0, nullptr);
  return 1;
}

int KCurveArray::Create(const std::string& path) {
  KByteSource src = KByteSource::FromFile(path);
  if (!src.ok()) return 0;
  KReadContext ctx{src};

  std::vector<std::shared_ptr<KCurve>> kept;
  int depth = 0;
  std::string token;
  for (int result; (result = ReadToken(src, token)) >= 0;) {
    // A word longer than the buffer is no keyword: drop all of it.
    if (result == kTokenOverlong) {
      if (SkipOverlongRest(src, token) < 0) break;
      continue;
    }
    const std::string upper = Upper(token);
    if (StartsWith(upper, "DISPLAY")) continue;
    if (StartsWith(upper, "NEW")) {
      ++depth;
    } else if (StartsWith(upper, "ENDNEW")) {
      --depth;
    } else if (depth == 0 && StartsPolyline(upper)) {
      std::unique_ptr<KCurve> curve = ReadPolyline(ctx, upper);
      if (curve && curve->count >= 2 && curve->Length() >= kMinLength) kept.push_back(std::move(curve));
    }
  }
  if (kept.empty()) return 0;
  elements = std::move(kept);
  return 1;
}

double KCurveArray::PointDistance(double x, double y, std::string& name, double& position, int& index) const {
  double best = kNoElement;
  int bestIndex = -1;
  double bestPosition = 0.0;
  for (int i = 0; i < Count(); ++i) {
    const KCurve* element = elements[static_cast<std::size_t>(i)].get();
    if (!element || element->count < 1) continue;  // slots reserved by Create(int)
    double at = 0.0;
    const double d = element->NearestPoint(x, y, at);
    if (d < best) {
      best = d;
      bestIndex = i;
      bestPosition = at;
    }
  }
  if (bestIndex >= 0) {
    index = bestIndex;
    position = bestPosition;
    name = elements[static_cast<std::size_t>(bestIndex)]->name;
  }
  return best;
}
