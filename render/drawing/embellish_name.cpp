// The curve's name written into the line: r copies spread along the curve,
// each character turned to the segment under it and read left to right,
// with line pieces drawn between the copies.
#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "render/drawing/embellish_draw.h"
#include "model/curves/kembellish.h"
#include "model/document/elements.h"
#include "model/document/kcurve.h"
#include "platform/device/kdevice.h"
#include "render/drawing/krenderer.h"

namespace {

constexpr double kDegreesPerRadian = 57.295780490442965;
constexpr double kCharWidthFactor = 0.4;      // character width per character size
constexpr double kWideCharExtra = 0.2;        // extra advance of a two-byte character
constexpr double kNextNameFactor = 0.7;       // next copy starts this part of the spacing later
constexpr double kNoLineBelow = -1e-10;       // line widths below this draw no pieces

// The name's colours are plain COLORREF values; DrawText takes a document
// colour, i.e. the negation.
int AsDocumentColour(int colourRef) { return -(colourRef & 0x00FFFFFF); }
KColorRef AsColourRef(int colourRef) { return static_cast<KColorRef>(colourRef) & 0x00FFFFFFu; }

// Writes the name from position p; returns the position after its last
// character (or where writing stopped at the curve's end).
double WriteName(const std::string& name, double p, double h, int textColour, double o, const KViewTransform& view,
                 const KCurve& curve, KRenderer& renderer) {
  const int n = curve.count;
  const double* x = curve.x();
  const double* y = curve.y();
  const double* s = curve.s();
  const int length = static_cast<int>(name.size());
  KText text;
  text.width = kCharWidthFactor * h;
  text.height = h;
  bool reverse = false;
  double sign = 1.0;
  for (int i = 0; i < length;) {
    const int k = Locate(p, n, s);
    if (k < 0 || k > n - 2) break;
    if (i == 0) {
      const double dx = x[k + 1] - x[k];
      const double ds = s[k + 1] - s[k];
      reverse = !((ds > 0 && dx > 0) || (ds < 0 && dx < 0));
      if (reverse) p += h;
      sign = dx < 0 ? -1.0 : 1.0;
    }
    const double a = std::atan2(sign * (y[k + 1] - y[k]), sign * (x[k + 1] - x[k]));
    text.x = Interpolate(p, s + k, x + k) + std::sin(a) * o;
    text.y = Interpolate(p, s + k, y + k) - std::cos(a) * o;
    const int at = reverse ? length - 1 - i : i;
    const bool wide = static_cast<unsigned char>(name[static_cast<std::size_t>(at)]) >= 128;
    // A lead byte at the name's edge has no partner inside the name; it is
    // written alone rather than paired with a byte outside the name.
    const int first = reverse ? at - 1 : at;
    if (wide && first >= 0 && first + 1 < length) {
      text.text = name.substr(static_cast<std::size_t>(first), 2);
      i += 2;
      p += kWideCharExtra * h;
    } else {
      text.text = name.substr(static_cast<std::size_t>(at), 1);
      i += 1;
    }
    text.angle = a * kDegreesPerRadian;
    renderer.DrawText(text, view, AsDocumentColour(textColour));
    p += h;
  }
  return p;
}

}  // namespace

void DrawNameItem(const KNameItem& item, const KViewTransform& view, const KCurve& curve, KRenderer& renderer) {
  const int n = curve.count;
  if (n <= 1) return;
  const std::string name(curve.name());
  if (name.empty()) {
    DrawLineItem(item, AsColourRef(item.colour), view, curve, renderer);
    return;
  }
  renderer.SelectPen(view, kPenSolid, item.lineWidth, AsColourRef(item.colour));
  const double* s = curve.s();
  const double first = s[0];
  const double last = s[n - 1];
  const double range = last - first;
  const double length = static_cast<double>(name.size());
  // As many copies as fit, each copy taking twice its length; counted down
  // directly rather than one by one, and never more than kMaxEmbellishNames.
  int r = std::min(std::max(item.repetitions, 0), kMaxEmbellishNames);
  const double perCopy = item.charSize * 2.0 * length;
  if (perCopy > 0) {
    const double fit = std::floor(std::fabs(range) / perCopy);
    if (fit < r) r = static_cast<int>(std::max(fit, 0.0));
    while (r > 0 && std::fabs(range) < perCopy * r) --r;
  }
  double size = item.charSize;
  double spacing = 0;
  double start = 0;
  int copies = r;
  if (r >= 1) {
    spacing = range / (r + 1);
    start = first + spacing;
  } else {
    copies = 1;
    size = range / (2.0 * length);
    spacing = range;
    start = first + range / 4.0;
  }
  // An item without a character size has no scale to carry its offset by.
  const double offset = item.charSize != 0 ? item.offset * (size / item.charSize) : item.offset;
  const bool pieces = item.lineWidth > kNoLineBelow;
  double previousEnd = first;
  for (int copy = 0; copy < copies; ++copy) {
    if (pieces) renderer.DrawCurveRange(curve, view, previousEnd, start);
    previousEnd = WriteName(name, start, size, item.textColour, offset, view, curve, renderer);
    start += kNextNameFactor * spacing;
  }
  if (pieces) renderer.DrawCurveRange(curve, view, previousEnd, last);
}
