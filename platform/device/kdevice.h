#pragma once
// The device context the drawing code paints on: the handful of raster
// operations the renderer, the rubber band, the progress pie and the emblem
// use, with the integer device coordinates and conventions of a classic
// Windows device context (y grows downward, lines exclude their last pixel,
// a zero-width pen is one pixel wide, polygon fills exclude their right and
// bottom edges). The core stays toolkit-free by drawing through this
// interface; platform/qt/ implements it with QPainter, and
// platform/device/recording_device.h keeps every call for tests.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/device/klogfont.h"
#include "platform/device/kimage.h"

// A colour as the drawings store it after negation: red in the low byte,
// then green, then blue (0x00BBGGRR).
using KColorRef = std::uint32_t;

constexpr KColorRef KRgb(int r, int g, int b) {
  return static_cast<KColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int KRedOf(KColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int KGreenOf(KColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int KBlueOf(KColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

struct KIntPoint {
  int x = 0, y = 0;
  friend bool operator==(const KIntPoint&, const KIntPoint&) = default;
};

struct KIntSize {
  int width = 0, height = 0;
};

// Pen styles: the low four bits choose the line pattern, the next four the
// end caps of wide pens (round unless told otherwise).
enum KPenStyle : int {
  kPenSolid = 0,
  kPenDash = 1,
  kPenDot = 2,
  kPenDashDot = 3,
  kPenDashDotDot = 4,
  kPenNull = 5,
  kPenStyleMask = 0x0F,
  kPenEndCapRound = 0x000,
  kPenEndCapSquare = 0x100,
  kPenEndCapFlat = 0x200,
  kPenEndCapMask = 0xF00,
};

// Raster operations for lines: copy the pen, or invert what lies beneath
// (the rubber band draws and erases itself with the latter).
enum KRop2 : int {
  kRop2Not = 6,
  kRop2CopyPen = 13,
};

enum KBkMode : int {
  kBkTransparent = 1,
  kBkOpaque = 2,
};

// Text alignment flags: where the reference point of TextOut lies on the
// text's character cell. Horizontal and vertical flags are or-ed.
enum KTextAlign : unsigned {
  kAlignLeft = 0,
  kAlignRight = 2,
  kAlignCenter = 6,
  kAlignHorizontalMask = 6,
  kAlignTop = 0,
  kAlignBottom = 8,
  kAlignBaseline = 24,
  kAlignVerticalMask = 24,
};

enum KFillMode : int {
  kFillAlternate = 1,
  kFillWinding = 2,
};

class KDevice {
public:
  virtual ~KDevice() = default;

  // Size of the client area the device paints, in pixels.
  virtual KIntSize ClientSize() const = 0;

  // Completes whatever drawing the device holds back to batch it; called at
  // the end of every paint.
  virtual void Flush() {}

  // Current position and lines with the selected pen; LineTo draws from the
  // current position up to, but not including, (x, y) and moves there.
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  // LineTo through each point in turn: one call for a whole run of a
  // polyline, which devices that batch lines take in one go.
  virtual void PolylineTo(const KIntPoint* points, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) LineTo(points[i].x, points[i].y);
  }

  // Replaces the pen: style (KPenStyle), width in pixels (0 and 1 both give
  // a one-pixel line), colour.
  virtual void SelectPen(int style, int width, KColorRef colour) = 0;
  // Sets the raster operation of lines (KRop2); returns the previous one.
  virtual int SetRop2(int mode) = 0;
  // Sets the background mode of text (KBkMode); returns the previous one.
  virtual int SetBkMode(int mode) = 0;
  // Sets the text alignment (KTextAlign flags); returns the previous one.
  virtual unsigned SetTextAlign(unsigned align) = 0;
  // Sets the text colour; returns the previous one.
  virtual KColorRef SetTextColor(KColorRef colour) = 0;

  // Writes text (bytes as stored in the drawing) at (x, y) with the font
  // described, the current text colour and alignment. The font's height is
  // the cell height in pixels when positive, the character height when
  // negative; width 0 keeps the face's own proportions; escapement turns the
  // text counter-clockwise in tenths of a degree about (x, y).
  virtual void TextOut(int x, int y, const std::string& text, const KDeviceFont& font) = 0;

  // Fills the polygon with a solid colour and no outline, by the fill mode
  // (KFillMode).
  virtual void FillPolygon(const std::vector<KIntPoint>& points, KColorRef colour, int fillMode) = 0;
  // Fills the rectangle left <= x < left + width, top <= y < top + height.
  virtual void FillSolidRect(int left, int top, int width, int height, KColorRef colour) = 0;
  virtual void SetPixel(int x, int y, KColorRef colour) = 0;

  // Stretches the source rectangle of the image (in image pixels, top row
  // first) onto the destination rectangle. A negative destination width or
  // height mirrors the picture. Images with per-pixel alpha are blended over
  // what lies beneath; all others are copied.
  virtual void DrawImage(const KImage& image, int left, int top, int width, int height,
                         double srcX, double srcY, double srcWidth, double srcHeight) = 0;
  // The whole image onto the destination rectangle.
  void DrawImage(const KImage& image, int left, int top, int width, int height) {
    DrawImage(image, left, top, width, height, 0, 0, image.width, image.height);
  }

  // The ellipse inscribed in the rectangle, outlined with the current pen
  // and filled with fill.
  virtual void Ellipse(int left, int top, int right, int bottom, KColorRef fill) = 0;
  // The pie of that ellipse from the radial through (x1, y1)
  // counter-clockwise to the radial through (x2, y2), outlined with the
  // current pen and filled with fill.
  virtual void Pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2,
                   KColorRef fill) = 0;
};
