#pragma once
// Position and direction along a curve at a value of its parameter s,
// straight or as a uniform cubic B-spline, and the spline weights.
class KCurve;

// Fills w[0..3] with the uniform cubic B-spline weights of the control
// points P0..P3 of one span at t (0 <= t <= 1).
void BasisValues(double t, double w[4]);
// Fills d[0..3] with the derivatives of those weights at t.
void BasisDerivatives(double t, double d[4]);
// Sum of a[i] * b[i] for i < n, accumulated from the last index down.
double Dot(int n, const double* a, const double* b);

// The point (x, y) at position v along the curve's s values and the
// direction there (radians), straight for every kind but the B-spline
// closure kinds 2083 (open), 2084 and 2085 (closed). Returns 0 with the
// results set, or 1 (results untouched) when v lies off the curve or the
// curve has fewer than two points.
int PointAt(const KCurve& curve, double v, int kind, double& x, double& y, double& angle);
