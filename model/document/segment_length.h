#pragma once
// Length of a plane segment, the one measure of polyline lengths (running
// arc length, total length, the reader's and writer's minimum-length test),
// so that they all agree to the last bit.
#include <cmath>

// hypot guards against overflow and underflow of dx² + dy², and pays for it
// with several times the cost of a square root. Where the larger of |dx|,
// |dy| lies well inside the double range neither can happen: its square is
// a normal number, and the square of the smaller one, even if it underflows,
// is far below half an ulp of the sum. The result may then differ from
// hypot's in the last bit (both are within an ulp of the exact length).
constexpr double kSegmentFastMin = 1e-150;
constexpr double kSegmentFastMax = 1e150;

inline bool SegmentFastRange(double dx, double dy) {
  const double m = std::fmax(std::fabs(dx), std::fabs(dy));
  return m > kSegmentFastMin && m < kSegmentFastMax;
}

inline double SegmentLength(double dx, double dy) {
  return SegmentFastRange(dx, dy) ? std::sqrt(dx * dx + dy * dy) : std::hypot(dx, dy);
}
