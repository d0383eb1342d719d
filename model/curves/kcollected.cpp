#include "model/curves/kcollected.h"

#include <algorithm>

bool KCollected::Append(double x, double y) {
  if (Full()) return false;
  x_.push_back(x);
  y_.push_back(y);
  return true;
}

bool KCollected::DropLast() {
  if (x_.empty()) return false;
  x_.pop_back();
  y_.pop_back();
  return true;
}

void KCollected::Clear() {
  x_.clear();
  y_.clear();
}

KCurve KCollected::ToCurve() const {
  KCurve curve;
  curve.Allocate(Count());
  std::copy(x_.begin(), x_.end(), curve.x());
  std::copy(y_.begin(), y_.end(), curve.y());
  curve.closure = kOpen;
  curve.dimension = 2;
  curve.ArcLength();
  return curve;
}
