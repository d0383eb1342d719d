// The top-level polylines of a text drawing as a curve array.
#include "model/curves/kcurve_array.h"
#include "io/document/lexer.h"
#include "io/document/open_document.h"
#include "io/document/reader_util.h"
#include "io/document/record_readers.h"
#include "platform/files/byte_source.h"

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

KResult ReadCurveArray(KCurveArray& array, const std::string& path) {
  KResultWith<KByteSource> opened = KByteSource::FromFile(path);
  if (!opened) return KResult(opened);
  KByteSource& src = opened.value();
  KReadContext ctx{src};

  std::vector<std::shared_ptr<KCurve>> kept;
  int depth = 0;
  std::string token;
  for (KTokenEnd end; !EndsInput(end = ReadToken(src, token));) {
    // A word longer than the buffer is no keyword: drop all of it.
    if (end == KTokenEnd::kOverlong) {
      if (EndsInput(SkipOverlongRest(src, token))) break;
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
  if (kept.empty())
    return KResult(KStatus::kBadInput,
                   "drawing '" + path + "': no top-level polyline with two points and a length of at least 1e-6");
  array.elements = std::move(kept);
  return KResult::Ok();
}
