#pragma once
// A straight line through an origin with a direction, parametrised by t.
class KSegment {
public:
  // Origin (x0, y0), direction (x1 - x0, y1 - y0). Returns 0 (the origin
  // left as it was) when the direction is shorter than 1e-100 in both
  // components, else 1.
  int Set(double x0, double y0, double x1, double y1) {
    double dx = x1 - x0, dy = y1 - y0;
    if ((dx < 0 ? -dx : dx) < kDegenerate && (dy < 0 ? -dy : dy) < kDegenerate) return 0;
    x0_ = x0;
    y0_ = y0;
    dx_ = dx;
    dy_ = dy;
    return 1;
  }
  // Parameter of the foot of the perpendicular from (px, py).
  double Project(double px, double py) const {
    return ((py - y0_) * dy_ + (px - x0_) * dx_) / (dx_ * dx_ + dy_ * dy_);
  }
  double PointX(double t) const { return dx_ * t + x0_; }
  double PointY(double t) const { return dy_ * t + y0_; }

private:
  static constexpr double kDegenerate = 1e-100;
  double x0_ = 0, y0_ = 0;
  double dx_ = 1, dy_ = 0;
};
