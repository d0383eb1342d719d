#include "model/document/spline.h"

#include <cmath>

#include "model/document/kcurve.h"

namespace {

// s steps closer than this make a span of zero length (t = 0).
constexpr double kZeroSpan = 1e-300;

// Derivative of the uniform cubic B-spline kernel (odd, zero beyond 2).
double KernelDerivative(double x) {
  if (x < 0) return -KernelDerivative(-x);
  if (x > 2) return 0.0;
  if (x > 1) return 2 * x - 2 - x * x / 2;
  return 1.5 * x * x - 2 * x;
}

}  // namespace

void BasisValues(double t, double w[4]) {
  double u = 1 - t;
  w[0] = u * u * u / 6;
  w[1] = t * t * (t / 2 - 1) + 2.0 / 3.0;
  w[2] = t / 2 + (t * t / 2) * (1 - t) + 1.0 / 6.0;
  w[3] = t * t * t / 6;
}

void BasisDerivatives(double t, double d[4]) {
  d[0] = KernelDerivative(t + 1);
  d[1] = KernelDerivative(t);
  d[2] = KernelDerivative(t - 1);
  d[3] = KernelDerivative(t - 2);
}

double Dot(int n, const double* a, const double* b) {
  double sum = 0;
  for (int i = n - 1; i >= 0; --i) sum += a[i] * b[i];
  return sum;
}

int PointAt(const KCurve& curve, double v, int kind, double& x, double& y, double& angle) {
  const int n = curve.count;
  if (n < 2) return 1;
  const double* px = curve.x();
  const double* py = curve.y();
  const double* s = curve.s();
  int k = Locate(v, n, s);
  if (k < 0 || k > n - 2) return 1;

  if (kind != kSplineOpen && kind != kSplineFilled && kind != kSplineClosed) {
    x = Interpolate(v, s + k, px + k);
    y = Interpolate(v, s + k, py + k);
    angle = std::atan2(py[k + 1] - py[k], px[k + 1] - px[k]);
    return 0;
  }

  // Control points of the span: clamped at the ends of an open spline,
  // taken cyclically on a closed one.
  int index[4];
  for (int i = 0; i < 4; ++i) {
    int j = k - 1 + i;
    if (kind == kSplineOpen)
      j = j < 0 ? 0 : (j >= n ? n - 1 : j);
    else
      j = ((j % n) + n) % n;
    index[i] = j;
  }
  double cx[4], cy[4];
  for (int i = 0; i < 4; ++i) {
    cx[i] = px[index[i]];
    cy[i] = py[index[i]];
  }
  double span = s[k + 1] - s[k];
  double t = std::fabs(span) < kZeroSpan ? 0.0 : (v - s[k]) / span;
  double w[4];
  BasisDerivatives(t, w);
  angle = std::atan2(Dot(4, w, cy), Dot(4, w, cx));
  BasisValues(t, w);
  x = Dot(4, w, cx);
  y = Dot(4, w, cy);
  return 0;
}
