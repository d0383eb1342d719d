// Grid geometry, neighbour steps and the adaptation of the relaxation factor.
#include <cmath>
#include <stdexcept>

#include "model/grid/kcreate_grid.h"

double KCreateGrid::NodeCount(double min, double max, double step) {
  return std::trunc((max - min) / step + 3.0);
}

void KCreateGrid::SetGeometry(double xmin, double ymin, double xmax, double ymax, double dx,
                              double dy) {
  const double cx = NodeCount(xmin, xmax, dx);
  const double cy = NodeCount(ymin, ymax, dy);
  // The driver refuses such geometries with a message; this guards the
  // conversions below against callers that did not.
  if (!(cx >= 1 && cx <= kMaxAxisNodes && cy >= 1 && cy <= kMaxAxisNodes))
    throw std::length_error("grid node counts out of range");
  dx_ = dx;
  dy_ = dy;
  x0_ = xmin - 0.5 * dx;
  y0_ = ymin - 0.5 * dy;
  nx_ = static_cast<int>(cx);
  ny_ = static_cast<int>(cy);
}

int KCreateGrid::Neighbour(int node, int d) const {
  const std::int32_t rec = LinkRecordOf(node);
  if (rec >= 0 && links_[static_cast<std::size_t>(rec)].links[d] == kLinkBlocked) return -1;
  const int i = node % nx_;
  switch (d) {
    case kPlusX: return i + 1 < nx_ ? node + 1 : -1;
    case kMinusX: return i > 0 ? node - 1 : -1;
    case kPlusY: return node + nx_ < nx_ * ny_ ? node + nx_ : -1;
    default: return node >= nx_ ? node - nx_ : -1;
  }
}

int KCreateGrid::Diagonal(int node, int d) const {
  const int side = (d + 1) % 4;
  const int first = Neighbour(node, side);
  if (first >= 0) return Neighbour(first, d);
  const int other = Neighbour(node, d);
  return other >= 0 ? Neighbour(other, side) : -1;
}

void KCreateGrid::CWeightDF::Update(double change) {
  // A sweep that changed nothing has converged; dividing by it would turn
  // the factor into infinity or NaN.
  if (!(change > 0)) return;
  factor += (best - change) / change;
  if (factor < 0.5) factor = 0.5;
  if (factor > 1.8) factor = 1.3;
  if (change < best) best = change;
}
