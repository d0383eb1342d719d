#pragma once
// World <-> device mapping of a window (world y grows upward, device y
// downward), with the device the latest paint draws on. The window's own
// transform never rotates; transforms composed for inserted blocks rotate
// and carry a device offset.
#include "platform/kdevice.h"

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
  KDevice* device = nullptr;  // borrowed from the latest paint

  // The initial state: unfitted, unrotated, no device.
  void Reset();
  void SetAngle(double degrees);

  // Measures the device's client area and chooses the larger of the two
  // scales that fit the world rectangle. Returns false and changes nothing
  // when there is no device, the client area is empty, or the rectangle is
  // inverted, not finite, or of zero width and height.
  bool FitScale(double xmin, double ymin, double xmax, double ymax);
  // FitScale, then anchors the rectangle at the window's bottom-left corner.
  bool Fit(double xmin, double ymin, double xmax, double ymax);

  // Unrotated mappings, truncated toward zero.
  int ToDeviceX(double x) const;
  int ToDeviceY(double y) const;
  double ToWorldX(int column) const { return column * scaleX + left; }
  double ToWorldY(int row) const { return (height - row) * scaleY + bottom; }

  // Full mapping: replaces (x, y) by the device u (right) and v (up from the
  // bottom edge).
  void Transform(double& x, double& y) const;
  // Full mapping to device column and row, as doubles, not rounded.
  void ToDevice(double x, double y, double& column, double& row) const;
  // Full mapping truncated to a device point; false (and nothing to draw)
  // when the point lies beyond kDeviceLimit or does not map to a number.
  bool ToDevicePoint(double x, double y, KIntPoint& point) const;
  // True when the scales allow mapping (non-zero and finite).
  bool CanMap() const;

  // Lines through the device at the rounded full mapping (u + 0.5 and
  // height - v + 0.5, truncated). A line reaching far outside the window is
  // clipped first, so the part that crosses the window lands where it would.
  void MoveTo(double x, double y);
  void LineTo(double x, double y);
  // Selects a pen of width trunc(width / scaleX) pixels (0 gives one pixel).
  void SelectPen(int style, double worldWidth, KColorRef colour);

  // Moves the drawing on screen by dx pixels right and dy down.
  void Pan(int dx, int dy);
  // Zooms by zoomFactor (in or out) and brings the clicked world point to the
  // window centre.
  void ZoomAt(int column, int row, bool zoomIn);
  // Multiplies the scales by factor, keeping the world point at the centre.
  void ZoomCentre(double factor);
  // Makes the height of the rectangle spanned by p1 and p2 fill the window;
  // false (view unchanged) when the rectangle has no height.
  bool ZoomRect(KIntPoint p1, KIntPoint p2);
  // Keyboard navigation (virtual-key codes); 1 when the key is handled.
  int OnKey(unsigned code);

  // Makes this transform map local coordinates straight to the device:
  // local followed by outer (exact when outer's scales are equal). width,
  // right, top, zoomFactor and device are left as they were.
  void Compose(const KViewTransform& local, const KViewTransform& outer);

private:
  void UpdateEdges();
  // Pen position for clipping: the true device point of the last MoveTo or
  // LineTo (column and row, already +0.5), and the integer position the
  // device was last left at, when that matches a drawn or moved-to point.
  double penColumn_ = 0.0;
  double penRow_ = 0.0;
  bool deviceAtValid_ = false;
  KIntPoint deviceAt_;
};
