// Texts and axis-parallel filled rectangles.
#include <algorithm>
#include <cmath>

#include "model/document/elements.h"
#include "render/drawing/krenderer.h"

namespace {

// Clamps a device coordinate into the drawable range, then truncates.
int ClampToDevice(double value) {
  const double limit = KViewTransform::kDeviceLimit;
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::clamp(value, -limit, limit));
}

}  // namespace

void KRenderer::DrawText(const KText& text, const KViewTransform& view, int colour) {
  device_.SetTextColor(DocumentColour(colour));
  KIntPoint origin;
  if (!view.ToDevicePoint(text.x, text.y, origin)) return;
  // The escapement comes from the record alone: inside a rotated block the
  // text's position follows the rotation but its direction does not.
  KDeviceFont font(text.font);
  font.height = KTruncToInt(KRenderer::kFontCellFactor * text.height / view.scaleY);
  font.width = KTruncToInt(KRenderer::kFontCellFactor * text.width / view.scaleX);
  font.escapement = KTruncToInt(text.angle * 10.0);
  device_.TextOut(origin.x, origin.y, text.text.str(), font);
}

void KRenderer::FillWorldRect(const KViewTransform& view, double x, double y, double width, double height,
                              KColorRef colour) {
  // The same truncation as ToDeviceX / ToDeviceY, clamped first: clamping an
  // axis-parallel rectangle keeps its visible part exact.
  int left = ClampToDevice((x - view.left) / view.scaleX);
  int right = ClampToDevice((x + width - view.left) / view.scaleX);
  int bottom = ClampToDevice(view.height - (y - view.bottom) / view.scaleY);
  int top = ClampToDevice(view.height - (y + height - view.bottom) / view.scaleY);
  device_.FillSolidRect(left, top, right - left, bottom - top, colour);
}
