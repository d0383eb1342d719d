// Texts and axis-parallel filled rectangles.
#include <algorithm>
#include <cmath>

#include "document/elements.h"
#include "render/krenderer.h"

namespace {

// Font cells are one and a half times the record's character size.
constexpr double kCellFactor = 1.5;

// Clamps a device coordinate into the drawable range, then truncates.
int ClampToDevice(double value) {
  const double limit = KViewTransform::kDeviceLimit;
  if (std::isnan(value)) return 0;
  return static_cast<int>(std::clamp(value, -limit, limit));
}

}  // namespace

void KRenderer::DrawText(KText& text, KViewTransform& view, int colour) {
  if (!view.device) return;
  view.device->SetTextColor(DocumentColour(colour));
  text.font.height = KTruncToInt(kCellFactor * text.height / view.scaleY);
  text.font.width = KTruncToInt(kCellFactor * text.width / view.scaleX);
  text.font.escapement = KTruncToInt(text.angle * 10.0);
  KIntPoint origin;
  if (!view.ToDevicePoint(text.x, text.y, origin)) return;
  view.device->TextOut(origin.x, origin.y, text.text, text.font);
}

void KRenderer::FillWorldRect(KViewTransform& view, double x, double y, double width, double height,
                              KColorRef colour) {
  if (!view.device) return;
  // The same truncation as ToDeviceX / ToDeviceY, clamped first: clamping an
  // axis-parallel rectangle keeps its visible part exact.
  int left = ClampToDevice((x - view.left) / view.scaleX);
  int right = ClampToDevice((x + width - view.left) / view.scaleX);
  int bottom = ClampToDevice(view.height - (y - view.bottom) / view.scaleY);
  int top = ClampToDevice(view.height - (y + height - view.bottom) / view.scaleY);
  view.device->FillSolidRect(left, top, right - left, bottom - top, colour);
}
