// The top-level polylines of a text drawing as a curve array.
#include "curves/kcurve_array.h"
#include "document/io/lexer.h"
#include "document/io/open_document.h"
#include "document/io/reader_util.h"
#include "document/io/record_readers.h"
#include "platform/byte_source.h"

namespace {

// Polylines shorter than this are not kept.
constexpr double kMinLength = 1e-6;

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

int ReadCurveArray(KCurveArray& array, const std::string& path) {
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
  array.elements = std::move(kept);
  return 1;
}
