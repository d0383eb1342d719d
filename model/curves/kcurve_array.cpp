// Curve arrays: slots and nearest-curve search.
#include "model/curves/kcurve_array.h"



namespace {

// Start of the nearest-element search: no element found.
constexpr double kNoElement = 1e300;

}  // namespace

int KCurveArray::Create(int n) {
  elements.assign(n > 0 ? static_cast<std::size_t>(n) : 0, nullptr);
  return 1;
}

double KCurveArray::PointDistance(double x, double y, std::string& name, double& position, int& index) const {
  double best = kNoElement;
  int bestIndex = -1;
  double bestPosition = 0.0;
  for (int i = 0; i < Count(); ++i) {
    const KCurve* element = elements[static_cast<std::size_t>(i)].get();
    if (!element || element->count < 1) continue;  // slots reserved by Create(int)
    double at = 0.0;
    const double d = element->NearestPoint(x, y, at);
    if (d < best) {
      best = d;
      bestIndex = i;
      bestPosition = at;
    }
  }
  if (bestIndex >= 0) {
    index = bestIndex;
    position = bestPosition;
    name = elements[static_cast<std::size_t>(bestIndex)]->name();
  }
  return best;
}
