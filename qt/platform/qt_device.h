#pragma once
// The device over QPainter: on a QImage (a window's backing image or an
// off-screen picture), or on QSvgGenerator / QPdfWriter for vector export.
// Coordinates are whole pixels as a classic Windows device context has them:
// a zero-width pen draws one-pixel lines without their last pixel, fills
// exclude the right and bottom edges, and bottom-aligned text stands on the
// bottom of its character cell.
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QSize>
#include <memory>

#include "platform/device/kdevice.h"

class KBandPainter;
class KSvgPolylines;
class QImage;
class QPaintDevice;
class QPainter;

class KQtDevice : public KDevice {
public:
  // Paints on target with a painter of its own; the client area is
  // clientSize pixels (in the target's units). Painting ends with End() or
  // the destructor.
  KQtDevice(QPaintDevice* target, QSize clientSize);
  // Paints with an active painter that the caller owns. While the device
  // paints, the painter's transform, clip and composition change only
  // through painter().
  KQtDevice(QPainter* painter, QSize clientSize);
  ~KQtDevice() override;
  KQtDevice(const KQtDevice&) = delete;
  KQtDevice& operator=(const KQtDevice&) = delete;

  // Ends an own painter (flushes SVG and PDF output). Later calls draw
  // nothing.
  void End();
  // The painter, with every batched line drawn.
  QPainter* painter() {
    Flush();
    directKnown_ = false;  // the caller may change how the painter draws
    return painter_;
  }
  // Draws the lines batched so far. Consecutive copy-mode LineTo calls are
  // drawn as one polyline (fast, and one path in vector output); inverting
  // lines are drawn at once.
  void Flush() override;
  // Solid one-pixel lines on a 32-bit image are then painted on this many
  // threads, each a band of rows, while the caller goes on: the same pixels,
  // sooner on several cores. Anything else drawn waits for them first.
  // Fewer than two: one thread, as without.
  void PaintLinesInBands(int bands);
  // Polylines drawn on an SVG generator then go through lines, which writes
  // their points itself (null: the generator writes them).
  void WriteSvgPolylinesWith(KSvgPolylines* lines) { svgLines_ = lines; }

  KIntSize ClientSize() const override { return {size_.width(), size_.height()}; }
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void PolylineTo(const KIntPoint* points, std::size_t count) override;
  void SelectPen(int style, int width, KColorRef colour) override;
  int SetRop2(int mode) override;
  int SetBkMode(int mode) override;
  unsigned SetTextAlign(unsigned align) override;
  KColorRef SetTextColor(KColorRef colour) override;
  void TextOut(int x, int y, const std::string& text, const KDeviceFont& font) override;
  void FillPolygon(const std::vector<KIntPoint>& points, KColorRef colour, int fillMode) override;
  void FillSolidRect(int left, int top, int width, int height, KColorRef colour) override;
  void SetPixel(int x, int y, KColorRef colour) override;
  using KDevice::DrawImage;
  void DrawImage(const KImage& image, int left, int top, int width, int height, double srcX,
                 double srcY, double srcWidth, double srcHeight) override;
  void Ellipse(int left, int top, int right, int bottom, KColorRef fill) override;
  void Pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2,
           KColorRef fill) override;

  // Text taller than this many pixels is not drawn (a glyph far larger than
  // any window).
  static constexpr int kMaxTextPixels = 65536;
  // Wider pens are drawn this wide: the widest QPen takes without a warning.
  static constexpr int kMaxPenPixels = 32767;

private:
  bool Active() const;
  // Hands the batched polyline to the bands when they can draw it, else
  // draws it after them; the bands may still be drawing on return.
  void HandOver();
  // Waits for the bands to draw what they were handed.
  void WaitForBands();
  // Qt's raster engine strokes one-pixel lines about three times as fast
  // when the painter clips to a rectangle, with the same pixels (measured
  // with Qt 6.4 on a million vertices): an unclipped, untransformed raster
  // painter is clipped to its whole device for the line. True when it was,
  // and the clip is to be switched off again.
  bool ClipToDevice();
  void ApplyPen();
  // The outline pen for Ellipse and Pie, as GDI strokes shapes.
  QPen ShapePen() const;
  // The painter's image when pixels may be written into it directly: a
  // 32-bit image painted with no transform, clip, opacity or raster mode.
  // Worked out once; every drawing call here leaves the painter's state as
  // it found it, and painter() hands it out to be changed, so it asks again.
  QImage* DirectImage();
  QImage* FindDirectImage() const;
  // Fills rect (clipped to the image) directly; false when that cannot be
  // done and the painter must.
  bool FillDirectly(QRect rect, KColorRef colour);

  std::unique_ptr<QPainter> own_;
  QPainter* painter_ = nullptr;
  QSize size_;
  QPoint position_;
  QPolygon pending_;   // batched polyline, first point = where it started
  QPen pen_;
  bool penIsNull_ = false;
  bool widePen_ = false;
  int rop_ = kRop2CopyPen;
  int bkMode_ = kBkOpaque;
  unsigned align_ = kAlignLeft | kAlignTop;
  KColorRef textColour_ = 0;
  QImage* direct_ = nullptr;
  bool directKnown_ = false;
  int bandCount_ = 1;
  std::unique_ptr<KBandPainter> bands_;  // made on the first line they take
  const uchar* bandsOn_ = nullptr;       // the pixels the bands paint
  bool bandsBusy_ = false;               // lines handed over since the last wait
  KSvgPolylines* svgLines_ = nullptr;
};

// The Qt colour of a COLORREF.
QColor ToQColor(KColorRef colour);
