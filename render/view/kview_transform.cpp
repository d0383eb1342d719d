#include "render/view/kview_transform.h"

#include <cmath>
#include <limits>

namespace {

// Virtual-key codes of the keyboard navigation.
enum KNavigationKey : unsigned {
  kKeyPageUp = 33,
  kKeyPageDown = 34,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyPlus = 43,
  kKeyNumPlus = 107,
  kKeyMainPlus = 187,
  kKeyMinus = 45,
  kKeyNumMinus = 109,
  kKeyMainMinus = 189,
};

}  // namespace

int KTruncToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

void KViewTransform::Reset() {
  angle = kUnrotated;
  cosA = 1.0;
  sinA = 0.0;
  scaleX = scaleY = 0.0;
  left = right = bottom = top = 0.0;
  width = height = 0.0;
  offsetX = offsetY = 0.0;
  zoomFactor = kDefaultZoomFactor;
}

void KViewTransform::SetAngle(double degrees) {
  angle = degrees;
  cosA = std::cos(degrees * kDegreesToRadians);
  sinA = std::sin(degrees * kDegreesToRadians);
}

bool KViewTransform::FitScale(KIntSize client, double xmin, double ymin, double xmax, double ymax) {
  if (client.width <= 0 || client.height <= 0) return false;
  // Halves first, so that a box over nearly all doubles still has a width.
  const double halfW = xmax * 0.5 - xmin * 0.5, halfH = ymax * 0.5 - ymin * 0.5;
  if (!std::isfinite(halfW) || !std::isfinite(halfH) || halfW < 0 || halfH < 0) return false;
  double sx = halfW / client.width * 2.0, sy = halfH / client.height * 2.0;
  double scale = sx > sy ? sx : sy;
  if (!(scale > 0) || !std::isfinite(scale)) return false;
  width = client.width;
  height = client.height;
  scaleX = scaleY = scale;
  return true;
}

bool KViewTransform::Fit(KIntSize client, double xmin, double ymin, double xmax, double ymax) {
  if (!FitScale(client, xmin, ymin, xmax, ymax)) return false;
  left = xmin;
  bottom = ymin;
  UpdateEdges();
  return true;
}

void KViewTransform::UpdateEdges() {
  right = left + width * scaleX;
  top = bottom + height * scaleY;
}

int KViewTransform::ToDeviceX(double x) const { return KTruncToInt(Offset(x, left, scaleX)); }
int KViewTransform::ToDeviceY(double y) const { return KTruncToInt(height - Offset(y, bottom, scaleY)); }

bool KViewTransform::ToDevicePoint(double x, double y, KIntPoint& point) const {
  double column, row;
  ToDevice(x, y, column, row);
  if (!(std::fabs(column) <= kDeviceLimit) || !(std::fabs(row) <= kDeviceLimit)) return false;
  point = {static_cast<int>(column), static_cast<int>(row)};
  return true;
}

bool KViewTransform::CanMap() const {
  return scaleX != 0 && scaleY != 0 && std::isfinite(scaleX) && std::isfinite(scaleY) &&
         std::isfinite(left) && std::isfinite(bottom) && std::isfinite(height);
}

int KViewTransform::PenPixels(double worldWidth) const {
  int pixels = KTruncToInt(worldWidth / scaleX);
  if (pixels < 0) pixels = pixels == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : -pixels;
  return pixels;
}

void KViewTransform::Pan(int dx, int dy) {
  left -= dx * scaleX;
  right -= dx * scaleX;
  bottom += dy * scaleY;
  top += dy * scaleY;
}

void KViewTransform::ZoomAt(int column, int row, bool zoomIn) {
  double wx = ToWorldX(column), wy = ToWorldY(row);
  if (zoomIn) {
    scaleX /= zoomFactor;
    scaleY /= zoomFactor;
  } else {
    scaleX *= zoomFactor;
    scaleY *= zoomFactor;
  }
  int jx = KTruncToInt((wx - left) / scaleX);
  int jy = KTruncToInt(height - (wy - bottom) / scaleY);
  Pan(KTruncToInt(width * 0.5 - jx), KTruncToInt(height * 0.5 - jy));
  UpdateEdges();
}

void KViewTransform::ZoomCentre(double factor) {
  int cx = KTruncToInt(width * 0.5), cy = KTruncToInt(height * 0.5);
  double wx = ToWorldX(cx), wy = ToWorldY(cy);
  scaleX *= factor;
  scaleY *= factor;
  int jx = KTruncToInt((wx - left) / scaleX);
  int jy = KTruncToInt(height - (wy - bottom) / scaleY);
  Pan(KTruncToInt(width * 0.5 - jx), KTruncToInt(height * 0.5 - jy));
  UpdateEdges();
}

void KViewTransform::ZoomAbout(int column, int row, double factor) {
  const double wx = ToWorldX(column), wy = ToWorldY(row);
  scaleX *= factor;
  scaleY *= factor;
  left = wx - column * scaleX;
  bottom = wy - (height - row) * scaleY;
  UpdateEdges();
}

bool KViewTransform::ZoomRect(KIntPoint p1, KIntPoint p2) {
  int xl = p1.x < p2.x ? p1.x : p2.x;
  int yt = p1.y < p2.y ? p1.y : p2.y;
  int yb = p1.y < p2.y ? p2.y : p1.y;
  if (yb == yt || !(height > 0)) return false;
  double r = (static_cast<double>(yb) - yt) / height;
  left += xl * scaleX;
  bottom += (height - yb) * scaleY;
  scaleX *= r;
  scaleY *= r;
  UpdateEdges();
  return true;
}

int KViewTransform::OnKey(unsigned code) {
  switch (code) {
    case kKeyPageUp: Pan(0, KTruncToInt(height * 0.8)); break;
    case kKeyPageDown: Pan(0, KTruncToInt(height * -0.8)); break;
    case kKeyLeft: Pan(KTruncToInt(width * -0.2), 0); break;
    case kKeyUp: Pan(0, KTruncToInt(height * -0.2)); break;
    case kKeyRight: Pan(KTruncToInt(width * 0.2), 0); break;
    case kKeyDown: Pan(0, KTruncToInt(height * 0.2)); break;
    case kKeyPlus:
    case kKeyNumPlus:
    case kKeyMainPlus:
      scaleX /= zoomFactor;
      scaleY /= zoomFactor;
      UpdateEdges();
      break;
    case kKeyMinus:
    case kKeyNumMinus:
    case kKeyMainMinus:
      scaleX *= zoomFactor;
      scaleY *= zoomFactor;
      UpdateEdges();
      break;
    default: return 0;
  }
  return 1;
}

void KViewTransform::Compose(const KViewTransform& local, const KViewTransform& outer) {
  left = local.left;
  bottom = local.bottom;
  double ox = local.offsetX, oy = local.offsetY;
  outer.Transform(ox, oy);
  offsetX = ox;
  offsetY = oy;
  height = outer.height;
  double a = std::hypot(outer.cosA / outer.scaleX, outer.sinA / outer.scaleY);
  scaleX = local.scaleX / a;
  scaleY = local.scaleY / a;
  double cr = local.cosA * outer.cosA / outer.scaleX - outer.sinA * local.sinA / outer.scaleY;
  double sr = local.sinA * outer.cosA / outer.scaleX + local.cosA * outer.sinA / outer.scaleY;
  cosA = cr / a;
  sinA = sr / a;
  angle = std::atan2(sinA, cosA) * 180.0 / kPi;
}
