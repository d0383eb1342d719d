#include "tests/support/curve_builder.h"

KCurve MakeCurve(const PointList& points, int closure, std::string name) {
  KCurve c;
  c.Allocate(static_cast<int>(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i) {
    c.x()[i] = points[i].first;
    c.y()[i] = points[i].second;
  }
  c.closure = closure;
  c.dimension = 2;
  c.SetName(std::move(name));
  c.ArcLength();
  if (c.IsClosed()) c.FillSpareSlots();
  return c;
}
