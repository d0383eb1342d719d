// Arrows, line styles, blocks and numeric labels along a curve.
#include "render/drawing/embellish_draw.h"

#include <algorithm>
#include <cmath>
#include <variant>
#include <vector>

#include "model/curves/kembellish.h"
#include "model/document/elements.h"
#include "model/document/kcurve.h"
#include "platform/base/number_text.h"
#include "platform/device/kdevice.h"
#include "render/drawing/arrow.h"
#include "render/drawing/krenderer.h"
#include "model/document/spline.h"

namespace {

constexpr double kDegreesPerRadian = 57.295780490442965;  // 180 / 3.1415926
constexpr double kRightAngle = 1.5707963;
constexpr double kLimitSlack = 1e-10;
constexpr double kLocateMinStep = 1e-100;
constexpr double kMinRange = 1e-10;
constexpr int kLocateDecimals = 50;
constexpr int kVertexDecimals = 10;
constexpr double kFormatNudge = 5e-121;

// Where the items of a LOCATE or SCALE item fall: u = q * s.
struct MarkPositions {
  double q = 1.0;
  double first = 0.0;
  double limit = 0.0;
  double step = 1.0;
  long long firstIndex = 0;   // positions before this one lie below the curve
  long long stride = 1;       // every stride-th position: more would share pixels
};

// Positions a mark item places at most for each device pixel of the curve.
constexpr double kPositionsPerPixel = 2;
constexpr double kMinPositions = 16;

// Plans the positions of a mark item; false when there are none.
bool PlanPositions(const KMarkItem& item, const KCurve& curve, bool isScale, MarkPositions& plan) {
  const double* s = curve.s();
  const double lo = std::min(s[0], s[curve.count - 1]);
  const double hi = std::max(s[0], s[curve.count - 1]);
  // A step that does not move forward would repeat one position forever.
  if (!(item.step > 0) || !std::isfinite(lo) || !std::isfinite(hi)) return false;
  const bool tiny = !(hi - lo >= kMinRange);
  if (tiny && (isScale || item.scaleToLength)) return false;
  double q = 1.0;
  if (item.scaleToLength) q = curve.Length() / (hi - lo);
  if (!(q > 0) || !std::isfinite(q)) return false;  // a curve of coincident points
  plan.q = q;
  plan.step = item.step;
  if (item.end < item.start) {
    plan.first = item.step * (std::trunc(q * lo / item.step) + 1.0);
    plan.limit = q * hi + kLimitSlack;
  } else {
    plan.first = q * item.start;
    plan.limit = q * item.end + kLimitSlack;
    if (isScale) plan.limit = std::min(plan.limit, q * hi + kLimitSlack);
  }
  if (!std::isfinite(plan.first) || std::isnan(plan.limit)) return false;
  // A range that starts far before the curve would walk through positions
  // that are all off it; begin just before the curve instead.
  const double skip = std::floor((q * lo - plan.first) / item.step) - 1.0;
  if (skip >= 9e15) return false;  // further than any position could walk
  if (skip > 0) plan.firstIndex = static_cast<long long>(skip);
  return true;
}

// Thins the positions to a stride so that a step far below a pixel places
// marks along the whole curve, about kPositionsPerPixel a pixel, rather
// than one per step (which only ever showed as a line, at any cost).
void ThinToPixels(MarkPositions& plan, double deviceLength) {
  const double bound = std::max(kMinPositions, kPositionsPerPixel * deviceLength);
  const double first = plan.first + static_cast<double>(plan.firstIndex) * plan.step;
  const double count = (plan.limit - first) / plan.step;
  // Beyond kMaxThinned positions the index arithmetic could overflow; such
  // walks stay bounded by kMaxEmbellishPositions.
  constexpr double kMaxThinned = 1e15;
  if (count > bound && count <= kMaxThinned) plan.stride = static_cast<long long>(std::ceil(count / bound));
}

// Calls place(x, y, angle, u) for every planned position on the curve.
// Inside an inserted block every position is charged to the paint's budget:
// a block placed along a curve may itself hold curves that place marks.
template <typename Place>
void ForEachPosition(const KMarkItem& item, const KCurve& curve, const MarkPositions& plan, KRenderer& renderer,
                     Place place) {
  for (long long i = plan.firstIndex, visited = 0; visited < kMaxEmbellishPositions; i += plan.stride, ++visited) {
    if (!renderer.ChargeInsertedWork()) break;
    const double u = i == 0 ? plan.first : plan.first + static_cast<double>(i) * plan.step;
    if (!(u < plan.limit)) break;
    double x = 0, y = 0, angle = 0;
    if (PointAt(curve, u / plan.q, item.style, x, y, angle) != 0) continue;
    place(x, y, angle, u);
  }
}

void DrawScale(const KMarkItem& item, const KViewTransform& view, const KCurve& curve, KRenderer& renderer) {
  MarkPositions plan;
  if (!PlanPositions(item, curve, true, plan)) return;
  ThinToPixels(plan, KRenderer::DeviceLength(curve, view));
  // One block at every position: looked up once, not once a position.
  const KOnes* block = renderer.LookupBlock(item.blockName);
  KInsert insert;
  insert.blockName = item.blockName;
  insert.xSize = item.sizeX;
  insert.ySize = item.sizeY;
  ForEachPosition(item, curve, plan, renderer, [&](double x, double y, double a, double) {
    insert.x = x - std::sin(a) * item.offset;
    insert.y = y + std::cos(a) * item.offset;
    insert.angle = a * kDegreesPerRadian + item.angleOffset;
    renderer.DrawInsertOf(block, insert, view);
  });
}

KText LabelText(const KMarkItem& item) {
  KText text;
  text.width = item.sizeX;
  text.height = item.sizeY;
  return text;
}

// Each vertex but the last labelled with the direction of the segment after
// it, then the last vertex once more with the last segment's direction.
void DrawVertexLabels(const KMarkItem& item, const KViewTransform& view, const KCurve& curve, KRenderer& renderer) {
  const double* x = curve.x();
  const double* y = curve.y();
  KText text = LabelText(item);
  for (int i = 0; i + 1 < curve.count; ++i) {
    const double a = std::atan2(y[i + 1] - y[i], x[i + 1] - x[i]);
    text.text = FormatEmbellishNumber(a * kDegreesPerRadian, kVertexDecimals);
    text.x = x[i] + std::cos(a) * item.offset;
    text.y = y[i] + std::sin(a) * item.offset;
    text.angle = a * kDegreesPerRadian + item.angleOffset;
    renderer.DrawText(text, view, item.labelColour);
  }
  if (curve.count == 1) text.angle = item.angleOffset;
  text.x = curve.LastX();
  text.y = curve.LastY();
  renderer.DrawText(text, view, item.labelColour);
}

void DrawLocate(const KMarkItem& item, const KViewTransform& view, const KCurve& curve, KRenderer& renderer) {
  if (item.step < kLocateMinStep) {
    DrawVertexLabels(item, view, curve, renderer);
    return;
  }
  MarkPositions plan;
  if (!PlanPositions(item, curve, false, plan)) return;
  ThinToPixels(plan, KRenderer::DeviceLength(curve, view));
  KText text = LabelText(item);
  ForEachPosition(item, curve, plan, renderer, [&](double x, double y, double a, double u) {
    const double across = a + kRightAngle;
    text.x = x + std::cos(across) * item.offset;
    text.y = y + std::sin(across) * item.offset;
    text.angle = across * kDegreesPerRadian + item.angleOffset;
    text.text = FormatEmbellishNumber(u, kLocateDecimals);
    renderer.DrawText(text, view, item.labelColour);
  });
}

void DrawArrow(const KArrowItem& item, bool atStart, const KViewTransform& view, const KCurve& curve,
               KRenderer& renderer) {
  ArrowTriangle(curve, view, atStart, item.size, item.colour, renderer);
}

}  // namespace

std::string FormatEmbellishNumber(double value, int decimals) {
  return TrimmedNumberText(value + kFormatNudge, decimals);
}

void DrawLineItem(const KLineItem& item, unsigned colour, const KViewTransform& view, const KCurve& curve,
                  KRenderer& renderer) {
  if (item.style == kStyleFilled || item.style == kStyleSplineFilled) return;
  renderer.SelectPen(view, item.squareCap ? kPenEndCapSquare : kPenSolid, item.width, colour);
  if (item.dashes.size() >= 2)
    renderer.DrawDashed(curve, view, item.dashes.data(), static_cast<int>(item.dashes.size()));
  else
    renderer.DrawPolyline(curve, view);
}

void DrawAlong(const KEmbellish& embellishment, const KViewTransform& view, const KCurve& curve,
               KRenderer& renderer) {
  if (curve.count < 1) return;
  for (const KEmbellish::CurvePlay& play : embellishment.items) {
    switch (play.type) {
      case KEmbellish::kArrowHead:
      case KEmbellish::kArrowTail:
        if (const auto* arrow = std::get_if<KArrowItem>(&play.item))
          DrawArrow(*arrow, play.type == KEmbellish::kArrowHead, view, curve, renderer);
        break;
      case KEmbellish::kProperties:
        if (const auto* line = std::get_if<KLineItem>(&play.item))
          DrawLineItem(*line, DocumentColour(line->colour), view, curve, renderer);
        break;
      case KEmbellish::kInName:
        if (const auto* name = std::get_if<KNameItem>(&play.item)) DrawNameItem(*name, view, curve, renderer);
        break;
      case KEmbellish::kScale:
        if (const auto* mark = std::get_if<KMarkItem>(&play.item)) DrawScale(*mark, view, curve, renderer);
        break;
      case KEmbellish::kLocate:
        if (const auto* mark = std::get_if<KMarkItem>(&play.item)) DrawLocate(*mark, view, curve, renderer);
        break;
      default: break;
    }
  }
}
