#pragma once
// World <-> device mapping of a window (world y grows upward, device y
// downward). A plain value: it knows the client size it was fitted to but
// no device; drawing takes the device separately (render/drawing/pen_path.h,
// render/drawing/krenderer.h). The window's own transform never rotates;
// transforms composed for inserted blocks rotate and carry a device offset.
#include <cmath>

#include "platform/device/kdevice.h"

// A device coordinate as a 32-bit integer, truncated toward zero. Values
// beyond the int range saturate and NaN gives 0, so no conversion is ever
// undefined.
int KTruncToInt(double value);

class KViewTransform {
public:
  // An angle at or above this means "no rotation".
  static constexpr double kNoRotation = 1000000.0;
  static constexpr double kUnrotated = 10000000.0;
  static constexpr double kDegreesToRadians = 0.017453292519943278;
  static constexpr double kPi = 3.14159265358979;
  static constexpr double kDefaultZoomFactor = 1.5;
  // Lines, polygons, texts and rectangles are clipped to this many pixels
  // around the device origin before their coordinates become integers: far
  // beyond any window, well inside what the painters handle exactly.
  static constexpr double kDeviceLimit = 4194304.0;  // 2^22

  KViewTransform() { Reset(); }

  double angle = kUnrotated;  // degrees; >= kNoRotation: none
  double cosA = 1.0;
  double sinA = 0.0;
  double scaleX = 0.0;        // world units per pixel
  double scaleY = 0.0;
  double left = 0.0;          // world x at column 0
  double right = 0.0;         // world x at column width
  double bottom = 0.0;        // world y at row height
  double top = 0.0;           // world y at row 0
  double width = 0.0;         // client size in pixels
  double height = 0.0;
  double offsetX = 0.0;       // pixels added after rotation (composed transforms)
  double offsetY = 0.0;       // upward
  double zoomFactor = kDefaultZoomFactor;

  // The initial state: unfitted, unrotated.
  void Reset();
  void SetAngle(double degrees);

  // Takes the client area's size and chooses the larger of the two scales
  // that fit the world rectangle into it. Returns false and changes nothing
  // when the client area is empty or the rectangle is inverted, not finite,
  // or of zero width and height.
  bool FitScale(KIntSize client, double xmin, double ymin, double xmax, double ymax);
  // FitScale, then anchors the rectangle at the window's bottom-left corner.
  bool Fit(KIntSize client, double xmin, double ymin, double xmax, double ymax);

  // Unrotated mappings, truncated toward zero.
  int ToDeviceX(double x) const;
  int ToDeviceY(double y) const;
  double ToWorldX(int column) const { return column * scaleX + left; }
  double ToWorldY(int row) const { return (height - row) * scaleY + bottom; }

  // (value - origin) / scale, also where the difference alone would overflow
  // (a view over nearly the whole range of doubles).
  static double Offset(double value, double origin, double scale) {
    const double d = value - origin;
    if (std::isfinite(d)) [[likely]]
      return d / scale;
    return value / scale - origin / scale;
  }

  // Full mapping: replaces (x, y) by the device u (right) and v (up from the
  // bottom edge).
  void Transform(double& x, double& y) const {
    double u = Offset(x, left, scaleX);
    double v = Offset(y, bottom, scaleY);
    if (angle < kNoRotation) {
      const double ru = cosA * u - sinA * v;
      const double rv = sinA * u + cosA * v;
      u = ru;
      v = rv;
    }
    x = u + offsetX;
    y = v + offsetY;
  }
  // Full mapping to device column and row, as doubles, not rounded.
  void ToDevice(double x, double y, double& column, double& row) const {
    Transform(x, y);
    column = x;
    row = height - y;
  }
  // Full mapping truncated to a device point; false (and nothing to draw)
  // when the point lies beyond kDeviceLimit or does not map to a number.
  bool ToDevicePoint(double x, double y, KIntPoint& point) const;
  // True when the scales allow mapping (non-zero and finite).
  bool CanMap() const;

  // Pixels of a pen worldWidth world units wide: trunc(width / scaleX),
  // never negative (0 gives the one-pixel pen).
  int PenPixels(double worldWidth) const;

  // Moves the drawing on screen by dx pixels right and dy down.
  void Pan(int dx, int dy);
  // Zooms by zoomFactor (in or out) and brings the clicked world point to the
  // window centre.
  void ZoomAt(int column, int row, bool zoomIn);
  // Multiplies the scales by factor, keeping the world point at the centre.
  void ZoomCentre(double factor);
  // Multiplies the scales by factor, keeping the world point under the
  // pixel (column, row) where it is.
  void ZoomAbout(int column, int row, double factor);
  // Makes the height of the rectangle spanned by p1 and p2 fill the window;
  // false (view unchanged) when the rectangle has no height.
  bool ZoomRect(KIntPoint p1, KIntPoint p2);
  // Keyboard navigation (virtual-key codes); 1 when the key is handled.
  int OnKey(unsigned code);

  // Makes this transform map local coordinates straight to the device:
  // local followed by outer (exact when outer's scales are equal). width,
  // right, top and zoomFactor are left as they were.
  void Compose(const KViewTransform& local, const KViewTransform& outer);

private:
  void UpdateEdges();
};
