#pragma once
// A device that paints nothing and keeps every call with its integer
// arguments, so tests can pin the exact device coordinates, sizes and
// colours the drawing code produces. Toolkit-free.
#include <string>
#include <vector>

#include "platform/device/kdevice.h"

enum class KDeviceOp {
  MoveTo,
  LineTo,
  SelectPen,
  SetRop2,
  SetBkMode,
  SetTextAlign,
  SetTextColor,
  TextOut,
  FillPolygon,
  FillSolidRect,
  SetPixel,
  DrawImage,
  Ellipse,
  Pie,
};

const char* KDeviceOpName(KDeviceOp op);

struct KDeviceCall {
  KDeviceOp op{};
  // The call's integer arguments in order (colours as their integer value):
  // MoveTo/LineTo x, y; SelectPen style, width, colour; the Set* calls the
  // new value; TextOut x, y; FillPolygon colour, fill mode; FillSolidRect
  // left, top, width, height, colour; SetPixel x, y, colour; DrawImage left,
  // top, width, height; Ellipse left, top, right, bottom, fill; Pie the
  // rectangle, the two radial points, fill.
  std::vector<int> args;
  std::string text;                  // TextOut
  KDeviceFont font;                  // TextOut
  std::vector<KIntPoint> points;     // FillPolygon
  std::vector<double> source;        // DrawImage: x, y, width, height
  bool alpha = false;                // DrawImage: the image had per-pixel alpha
  friend bool operator==(const KDeviceCall&, const KDeviceCall&) = default;
};

class KRecordingDevice : public KDevice {
public:
  explicit KRecordingDevice(int width = 800, int height = 600) : size_{width, height} {}

  std::vector<KDeviceCall> calls;

  // A drawn line piece with the pen that drew it.
  struct Segment {
    KIntPoint from, to;
    int penStyle = kPenSolid;
    int penWidth = 0;
    KColorRef colour = 0;
    int rop = kRop2CopyPen;
  };
  // Every LineTo as a segment from the position before it.
  std::vector<Segment> Segments() const;
  // The calls of one kind, in order.
  std::vector<KDeviceCall> Of(KDeviceOp op) const;
  // One line per call, for test failure messages.
  std::string Dump() const;
  void Clear() { calls.clear(); }
  void SetClientSize(int width, int height) { size_ = {width, height}; }

  // KDevice
  KIntSize ClientSize() const override { return size_; }
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
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

  // The state the calls so far left behind.
  KColorRef textColor() const { return textColor_; }
  unsigned textAlign() const { return textAlign_; }
  int bkMode() const { return bkMode_; }
  int rop() const { return rop_; }

private:
  void Add(KDeviceOp op, std::vector<int> args) { calls.push_back({op, std::move(args), {}, {}, {}, {}, false}); }
  KIntSize size_;
  KColorRef textColor_ = 0;
  unsigned textAlign_ = kAlignLeft | kAlignTop;
  int bkMode_ = kBkOpaque;
  int rop_ = kRop2CopyPen;
};
