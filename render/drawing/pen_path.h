#pragma once
// Lines drawn through a view onto one device: world points rounded to
// pixels (u + 0.5 and height - v + 0.5, truncated), lines reaching far
// outside the window clipped first so the part crossing it lands where it
// would, and the pen position that needs. One per paint, owned by the
// renderer; the view is passed with each call, so lines of inserted blocks
// (drawn through composed views) share the device's one pen position.
#include <vector>

#include "platform/device/kdevice.h"

class KViewTransform;

class KPenPath {
public:
  explicit KPenPath(KDevice& device) : device_(device) {}
  KPenPath(const KPenPath&) = delete;
  KPenPath& operator=(const KPenPath&) = delete;

  void MoveTo(const KViewTransform& view, double x, double y);
  void LineTo(const KViewTransform& view, double x, double y);
  // MoveTo the first point and LineTo each of the others (then back to the
  // first when closeBack), drawing exactly those lines; runs of lines well
  // inside the device limits go to the device in one call.
  void Polyline(const KViewTransform& view, const double* x, const double* y, int count, bool closeBack);
  // Selects a pen of trunc(worldWidth / scaleX) pixels (0 gives one pixel).
  void SelectPen(const KViewTransform& view, int style, double worldWidth, KColorRef colour);
  // Something else moved the device's current position: the next line
  // moves there first.
  void Forget() { deviceAtValid_ = false; }

private:
  // LineTo the device point (column, row), already +0.5.
  void LineToDevice(double column, double row);
  void FlushRun();

  KDevice& device_;
  std::vector<KIntPoint> run_;  // lines of Polyline not yet handed over
  // The true device point of the last MoveTo or LineTo (column and row,
  // already +0.5), and the integer position the device was last left at,
  // when that is known.
  double penColumn_ = 0.0;
  double penRow_ = 0.0;
  bool deviceAtValid_ = false;
  KIntPoint deviceAt_;
};
