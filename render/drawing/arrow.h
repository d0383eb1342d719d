#pragma once
// The arrow drawn as a filled triangle at one end of a curve.
class KCurve;
class KRenderer;
class KViewTransform;

// Fills the triangle whose base (one size wide) lies across the first
// (atStart) or last point and whose tip points away from the curve, 1.5
// sizes beyond it, in the document colour. A curve whose points all
// coincide with that end draws nothing.
void ArrowTriangle(const KCurve& curve, const KViewTransform& view, bool atStart, double size, int colour,
                   KRenderer& renderer);

// The triangle's corners (tip first); false when there is no direction.
bool ArrowTriangleCorners(const KCurve& curve, bool atStart, double size, double x[3], double y[3]);
