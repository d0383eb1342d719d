// The f(x,y) dialog's values: defaults, the proposed grid and the caption.
#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "io/fxy/fxy_driver.h"
#include "platform/base/c_locale.h"
#include "platform/files/private_directory.h"

namespace {

constexpr double kEmptyMin = 1e300, kEmptyMax = -1e300;
// A box whose max x is still below this was widened by no outline.
constexpr double kNoOutline = -1e100;
// The proposed precision is this fraction of the z range.
constexpr double kPrecisionOfRange = 0.001;

// num y for the box height and step; 0 when the step gives no count.
int RowsFor(double height, double step) {
  const double rows = std::trunc(height / step + 2);
  return rows >= 0 && rows <= INT_MAX ? static_cast<int>(rows) : 0;
}

}  // namespace

std::string DefaultNetPath() { return PrivateDirectoryPath() + "/net.f(x,y)"; }

void ProposeFxyGrid(const KFxyInput& in, KFxyDialogData& d) {
  d.zMin = kEmptyMin;
  d.zMax = kEmptyMax;
  for (const KOne& p : in.points) {
    if (p.z < d.zMin) d.zMin = p.z;
    if (p.z > d.zMax) d.zMax = p.z;
  }
  d.zDelta = d.zMax - d.zMin;

  d.minX = d.minY = kEmptyMin;
  d.maxX = d.maxY = kEmptyMax;
  for (const KFxyCurve& c : in.outlines) {
    if (c.closure == 2081) continue;   // filled polygons do not set the box
    for (std::size_t i = 0; i < c.x.size() && i < c.y.size(); ++i) {
      if (c.x[i] < d.minX) d.minX = c.x[i];
      if (c.x[i] > d.maxX) d.maxX = c.x[i];
      if (c.y[i] < d.minY) d.minY = c.y[i];
      if (c.y[i] > d.maxY) d.maxY = c.y[i];
    }
  }
  if (d.maxX < kNoOutline) {
    for (const KOne& p : in.points) {
      if (p.x < d.minX) d.minX = p.x;
      if (p.x > d.maxX) d.maxX = p.x;
      if (p.y < d.minY) d.minY = p.y;
      if (p.y > d.maxY) d.maxY = p.y;
    }
  }
  if (d.numX > 2) {
    d.deltX = d.deltY = (d.maxX - d.minX) / (d.numX - 2);
    d.numY = RowsFor(d.maxY - d.minY, d.deltX);
  }
  d.pre = d.zDelta * kPrecisionOfRange;
}

void ApplyFxyOptions(const KFxyOptions& o, KFxyDialogData& d) {
  if (o.box) {
    d.minX = (*o.box)[0];
    d.minY = (*o.box)[1];
    d.maxX = (*o.box)[2];
    d.maxY = (*o.box)[3];
  }
  if (o.numX) d.numX = *o.numX;
  if (o.box || o.numX) OnFxyNumXChanged(d);
  if (o.times) d.times = *o.times;
  if (o.smooth) d.smooth = *o.smooth;
  if (o.precision) d.pre = *o.precision;
  d.solver = o.solver;
  d.threads = o.threads;
}

void OnFxyNumXChanged(KFxyDialogData& d) {
  // Below 3 the step would be infinite or negative.
  if (d.numX <= 2) return;
  d.deltX = d.deltY = (d.maxX - d.minX) / (d.numX - 2);
  d.numY = RowsFor(d.maxY - d.minY, d.deltX);
}

bool OnFxyTimesChanged(KFxyDialogData& d) { return d.timesChanges++ > 0; }

std::string FxyCountText(double count) {
  char text[32];
  KCLocaleScope c;
  if (!(count >= 0)) count = 0;
  // Whole numbers while they are short; beyond that three digits are all a
  // reader can take in.
  std::snprintf(text, sizeof text, count < 1e9 ? "%.0f" : "%.3g", count);
  return text;
}

std::string FxyCaption(const KFxyDialogData& d) {
  // A count of 0 or less (no usable step) shows as 0, never negative; the
  // doubling runs in doubles so that no level count can wrap.
  double a = d.numX > 0 ? d.numX : 0, b = d.numY > 0 ? d.numY : 0;
  for (int k = 1; k < d.times; ++k) {
    a = a > 0 ? 2 * a - 1 : 0;
    b = b > 0 ? 2 * b - 1 : 0;
  }
  return "[" + FxyCountText(a) + " X " + FxyCountText(b) + "]";
}

KFxyInput BeginFxy(const KOnes& doc, KFxyDialogData& d) {
  d.timesChanges = 0;
  KFxyInput in = GatherFxyInput(doc, d.layerNames);
  ProposeFxyGrid(in, d);
  return in;
}
