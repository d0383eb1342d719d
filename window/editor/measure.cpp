#include "window/editor/measure.h"

#include <cmath>
#include <cstdio>

#include "model/document/elements.h"
#include "model/document/klayer.h"
#include "model/document/kones.h"

namespace {
constexpr int kMinClosed = 3;

// Up to three decimals, without trailing zeros.
std::string Number(double v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", v);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}
}  // namespace

void KMeasure::Add(double x, double y) {
  if (Ended()) Clear();
  x_.push_back(x);
  y_.push_back(y);
}

bool KMeasure::Close() {
  if (Count() < kMinClosed || Ended()) return false;
  closed_ = true;
  return true;
}

void KMeasure::Clear() {
  x_.clear();
  y_.clear();
  closed_ = ended_ = false;
}

double KMeasure::LastStep() const {
  const std::size_t n = x_.size();
  return n < 2 ? 0.0 : std::hypot(x_[n - 1] - x_[n - 2], y_[n - 1] - y_[n - 2]);
}

double KMeasure::Length() const {
  double length = 0.0;
  for (std::size_t i = 1; i < x_.size(); ++i) length += std::hypot(x_[i] - x_[i - 1], y_[i] - y_[i - 1]);
  if (closed_) length += std::hypot(x_.front() - x_.back(), y_.front() - y_.back());
  return length;
}

double KMeasure::Area() const {
  if (!closed_) return 0.0;
  // The shoelace sum, taken about the first point so that far-off
  // coordinates keep their precision.
  double twice = 0.0;
  for (std::size_t i = 1; i + 1 < x_.size(); ++i)
    twice += (x_[i] - x_[0]) * (y_[i + 1] - y_[0]) - (x_[i + 1] - x_[0]) * (y_[i] - y_[0]);
  return std::fabs(twice) / 2.0;
}

std::string KMeasure::Text() const {
  if (closed_) return "Closed: length " + Number(Length()) + ", area " + Number(Area());
  if (Count() < 2) return "Measure: click the next point";
  return "Distance " + Number(LastStep()) + ", length " + Number(Length());
}

bool SnapToVertex(const KOnes& document, double scaleX, double scaleY, double tolerance, double& x, double& y) {
  if (!(scaleX > 0.0) || !(scaleY > 0.0)) return false;
  double best = tolerance;
  bool found = false;
  double bestX = x, bestY = y;
  const auto take = [&](double vx, double vy) {
    const double pixels = std::hypot((vx - x) / scaleX, (vy - y) / scaleY);
    if (pixels > best || (found && pixels == best)) return;  // ties keep the earlier vertex
    best = pixels;
    bestX = vx;
    bestY = vy;
    found = true;
  };
  for (const auto& entry : document.entries) {
    if (!entry->layer || entry->layer->state != kViewAndEdit) continue;
    if (const auto* curve = entry->As<KCurve>()) {
      for (int i = 0; i < curve->count; ++i) take(curve->x()[i], curve->y()[i]);
    } else if (const auto* point = entry->As<KPointText>()) {
      take(point->x, point->y);
    }
  }
  if (!found) return false;
  x = bestX;
  y = bestY;
  return true;
}
