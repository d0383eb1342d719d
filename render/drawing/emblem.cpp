#include "render/drawing/emblem.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/grid/kcolor_table.h"
#include "render/drawing/device_clip.h"
#include "render/view/kview_transform.h"

namespace {

// Panel around the centre, in emblem units.
constexpr double kPanelHalfWidth = 1.5;
constexpr double kPanelBelow = 1.2;   // downward on the device
constexpr double kPanelAbove = 1.6;
constexpr KColorRef kPanelColour = 0x00FF00;    // green
constexpr KColorRef kOutlineColour = 0xFF0000;  // blue (0x00BBGGRR)
constexpr KColorRef kWaveColour = 0x0000FF;     // red
constexpr int kPenWidth = 2;

// Colour scale of the spokes: sixteen entries over 0..13 with cyan ends and
// a blue middle.
constexpr double kScaleTop = 13.0;

// Petal radius: a base plus Gaussian bumps every ~4pi/3, so the two turns
// traced carry three evenly spaced petals.
constexpr double kBaseRadius = 0.5;
constexpr int kBumps = 101;
constexpr double kBumpStep = 4.188790204786387;
constexpr double kTurnEnd = 12.56637061435916;  // two full turns
constexpr double kAngleStep = 0.01;
constexpr double kQuarterTurn = 1.570796326794895;

// The damped wave across the middle.
constexpr double kWaveAmplitude = 0.35;
constexpr double kWaveFrequency = 16.0;
constexpr double kWaveDamping = 3.0;
constexpr double kWaveStep = 0.01;

double Radius(double theta) {
  double r = kBaseRadius;
  double c = 0;
  for (int k = 0; k < kBumps; ++k) {
    r += std::exp(-(theta - c) * (theta - c));
    c += kBumpStep;
  }
  return r;
}

// The petal's shape does not depend on where or how large it is drawn, and
// its radius costs a hundred exponentials an angle: worked out once.
struct PetalAngle {
  double theta, r, cos, sin;
};

const std::vector<PetalAngle>& PetalAngles() {
  static const std::vector<PetalAngle> angles = [] {
    std::vector<PetalAngle> out;
    for (double theta = 0; theta < kTurnEnd; theta += kAngleStep)
      out.push_back({theta, Radius(theta), std::cos(theta + kQuarterTurn), std::sin(theta + kQuarterTurn)});
    return out;
  }();
  return angles;
}

// Lines through the device in double coordinates: what lies within the
// coordinate limit goes straight to the device truncated, anything further
// is clipped first.
class KEmblemTracer {
public:
  explicit KEmblemTracer(KDevice& device) : device_(device) {}

  void MoveTo(double x, double y) {
    at_ = {x, y};
    deviceAt_ = Inside(at_);
    if (deviceAt_) device_.MoveTo(static_cast<int>(x), static_cast<int>(y));
  }

  void LineTo(double x, double y) {
    const KDoublePoint to{x, y};
    if (deviceAt_ && Inside(to)) {
      device_.LineTo(static_cast<int>(x), static_cast<int>(y));
    } else {
      KDoublePoint a = at_, b = to;
      if (ClipSegment(a, b, kBox)) {
        device_.MoveTo(KTruncToInt(a.x), KTruncToInt(a.y));
        device_.LineTo(KTruncToInt(b.x), KTruncToInt(b.y));
      }
      deviceAt_ = false;
    }
    at_ = to;
  }

private:
  static constexpr double kLimit = KViewTransform::kDeviceLimit;
  static constexpr KDeviceBox kBox{-kLimit, -kLimit, kLimit, kLimit};
  static bool Inside(KDoublePoint p) {
    return std::abs(p.x) <= kLimit && std::abs(p.y) <= kLimit;  // false for NaN
  }

  KDevice& device_;
  KDoublePoint at_;
  bool deviceAt_ = false;  // the device's current position is at_
};

KColorTable SpokeColours() {
  KColorTable table;
  table.SetRange16(0, kScaleTop);
  table.SetColor(0, 0, 255, 255);
  table.SetColor(14, 0, 255, 255);
  table.SetColor(15, 0, 255, 255);
  table.SetColor(7, 0, 0, 255);
  return table;
}

void FillPanel(KDevice& device, int cx, int cy, double sx, double sy) {
  const double limit = KViewTransform::kDeviceLimit;
  const auto clampToLimit = [&](double v) { return KTruncToInt(std::fmax(-limit, std::fmin(limit, v))); };
  const int left = clampToLimit(cx - kPanelHalfWidth * sx);
  const int right = clampToLimit(cx + kPanelHalfWidth * sx);
  // The panel reaches further up than down; filled between the two edges
  // whichever lies higher on the device.
  const int edgeA = clampToLimit(cy + kPanelBelow * sy);
  const int edgeB = clampToLimit(cy - kPanelAbove * sy);
  const int top = std::min(edgeA, edgeB), bottom = std::max(edgeA, edgeB);
  const int x0 = std::min(left, right), x1 = std::max(left, right);
  if (x1 > x0 && bottom > top) device.FillSolidRect(x0, top, x1 - x0, bottom - top, kPanelColour);
}

}  // namespace

void DrawEmblem(KDevice& device, int cx, int cy, double sx, double sy) {
  FillPanel(device, cx, cy, sx, sy);
  const KColorTable colours = SpokeColours();

  // Points of the petal, one for each angle step, shared by spokes and
  // outline.
  struct Petal {
    double theta, x, y;
  };
  const std::vector<PetalAngle>& angles = PetalAngles();
  std::vector<Petal> petal;
  petal.reserve(angles.size());
  for (const PetalAngle& a : angles)
    petal.push_back({a.theta, cx + a.cos * a.r * sx, cy - a.sin * a.r * sy});

  KEmblemTracer tracer(device);
  for (const Petal& p : petal) {
    device.SelectPen(kPenSolid, kPenWidth, colours.ColorAt(p.theta));
    tracer.MoveTo(cx, cy);
    tracer.LineTo(p.x, p.y);
  }

  device.SelectPen(kPenSolid, kPenWidth, kOutlineColour);
  if (!petal.empty()) tracer.MoveTo(petal.front().x, petal.front().y);
  for (const Petal& p : petal) tracer.LineTo(p.x, p.y);

  device.SelectPen(kPenSolid, kPenWidth, kWaveColour);
  const auto waveY = [&](double t) {
    return cy - std::cos(kWaveFrequency * t) * kWaveAmplitude * std::exp(-(kWaveDamping * t) * (kWaveDamping * t)) * sy;
  };
  tracer.MoveTo(cx - sx, waveY(-1));
  for (double t = -1; t < 1; t += kWaveStep) tracer.LineTo(cx + t * sx, waveY(t));
}
