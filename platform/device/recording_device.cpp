#include "platform/device/recording_device.h"

#include <sstream>

#include "platform/device/kimage.h"

const char* KDeviceOpName(KDeviceOp op) {
  switch (op) {
    case KDeviceOp::MoveTo: return "MoveTo";
    case KDeviceOp::LineTo: return "LineTo";
    case KDeviceOp::SelectPen: return "SelectPen";
    case KDeviceOp::SetRop2: return "SetRop2";
    case KDeviceOp::SetBkMode: return "SetBkMode";
    case KDeviceOp::SetTextAlign: return "SetTextAlign";
    case KDeviceOp::SetTextColor: return "SetTextColor";
    case KDeviceOp::TextOut: return "TextOut";
    case KDeviceOp::FillPolygon: return "FillPolygon";
    case KDeviceOp::FillSolidRect: return "FillSolidRect";
    case KDeviceOp::SetPixel: return "SetPixel";
    case KDeviceOp::DrawImage: return "DrawImage";
    case KDeviceOp::Ellipse: return "Ellipse";
    case KDeviceOp::Pie: return "Pie";
  }
  return "?";
}

void KRecordingDevice::MoveTo(int x, int y) { Add(KDeviceOp::MoveTo, {x, y}); }
void KRecordingDevice::LineTo(int x, int y) { Add(KDeviceOp::LineTo, {x, y}); }

void KRecordingDevice::SelectPen(int style, int width, KColorRef colour) {
  Add(KDeviceOp::SelectPen, {style, width, static_cast<int>(colour)});
}

int KRecordingDevice::SetRop2(int mode) {
  Add(KDeviceOp::SetRop2, {mode});
  int old = rop_;
  rop_ = mode;
  return old;
}

int KRecordingDevice::SetBkMode(int mode) {
  Add(KDeviceOp::SetBkMode, {mode});
  int old = bkMode_;
  bkMode_ = mode;
  return old;
}

unsigned KRecordingDevice::SetTextAlign(unsigned align) {
  Add(KDeviceOp::SetTextAlign, {static_cast<int>(align)});
  unsigned old = textAlign_;
  textAlign_ = align;
  return old;
}

KColorRef KRecordingDevice::SetTextColor(KColorRef colour) {
  Add(KDeviceOp::SetTextColor, {static_cast<int>(colour)});
  KColorRef old = textColor_;
  textColor_ = colour;
  return old;
}

void KRecordingDevice::TextOut(int x, int y, const std::string& text, const KDeviceFont& font) {
  KDeviceCall call{KDeviceOp::TextOut, {x, y}, text, font, {}, {}, false};
  calls.push_back(std::move(call));
}

void KRecordingDevice::FillPolygon(const std::vector<KIntPoint>& points, KColorRef colour,
                                   int fillMode) {
  KDeviceCall call{KDeviceOp::FillPolygon, {static_cast<int>(colour), fillMode}, {}, {}, points, {}, false};
  calls.push_back(std::move(call));
}

void KRecordingDevice::FillSolidRect(int left, int top, int width, int height, KColorRef colour) {
  Add(KDeviceOp::FillSolidRect, {left, top, width, height, static_cast<int>(colour)});
}

void KRecordingDevice::SetPixel(int x, int y, KColorRef colour) {
  Add(KDeviceOp::SetPixel, {x, y, static_cast<int>(colour)});
}

void KRecordingDevice::DrawImage(const KImage& image, int left, int top, int width, int height,
                                 double srcX, double srcY, double srcWidth, double srcHeight) {
  KDeviceCall call{KDeviceOp::DrawImage, {left, top, width, height}, {}, {}, {},
                   {srcX, srcY, srcWidth, srcHeight}, image.hasAlpha};
  calls.push_back(std::move(call));
}

void KRecordingDevice::Ellipse(int left, int top, int right, int bottom, KColorRef fill) {
  Add(KDeviceOp::Ellipse, {left, top, right, bottom, static_cast<int>(fill)});
}

void KRecordingDevice::Pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2,
                           KColorRef fill) {
  Add(KDeviceOp::Pie, {left, top, right, bottom, x1, y1, x2, y2, static_cast<int>(fill)});
}

std::vector<KRecordingDevice::Segment> KRecordingDevice::Segments() const {
  std::vector<Segment> out;
  KIntPoint at;
  Segment pen;
  for (const KDeviceCall& c : calls) {
    switch (c.op) {
      case KDeviceOp::MoveTo: at = {c.args[0], c.args[1]}; break;
      case KDeviceOp::LineTo: {
        Segment s = pen;
        s.from = at;
        s.to = {c.args[0], c.args[1]};
        out.push_back(s);
        at = s.to;
        break;
      }
      case KDeviceOp::SelectPen:
        pen.penStyle = c.args[0];
        pen.penWidth = c.args[1];
        pen.colour = static_cast<KColorRef>(c.args[2]);
        break;
      case KDeviceOp::SetRop2: pen.rop = c.args[0]; break;
      default: break;
    }
  }
  return out;
}

std::vector<KDeviceCall> KRecordingDevice::Of(KDeviceOp op) const {
  std::vector<KDeviceCall> out;
  for (const KDeviceCall& c : calls)
    if (c.op == op) out.push_back(c);
  return out;
}

std::string KRecordingDevice::Dump() const {
  std::ostringstream out;
  for (const KDeviceCall& c : calls) {
    out << KDeviceOpName(c.op);
    for (int a : c.args) out << ' ' << a;
    for (const KIntPoint& p : c.points) out << " (" << p.x << ',' << p.y << ')';
    if (c.op == KDeviceOp::TextOut) out << " \"" << c.text << "\" h=" << c.font.height << " w=" << c.font.width
                                        << " esc=" << c.font.escapement;
    out << '\n';
  }
  return out.str();
}
