#pragma once
// Clipping in device coordinates (doubles), done before coordinates become
// integers so that geometry far outside the window neither overflows nor
// shifts the part that is visible.
#include <vector>

struct KDeviceBox {
  double xmin, ymin, xmax, ymax;
};

struct KDoublePoint {
  double x = 0, y = 0;
};

// Clips the segment a-b to the box in place (Liang-Barsky). Returns false
// when nothing of it lies inside or a coordinate is not finite.
bool ClipSegment(KDoublePoint& a, KDoublePoint& b, const KDeviceBox& box);

// Clips a polygon to the box (Sutherland-Hodgman); the result encloses the
// same area inside the box. Points that are not finite make the result
// empty.
std::vector<KDoublePoint> ClipPolygon(const std::vector<KDoublePoint>& polygon, const KDeviceBox& box);
