#include "qt/platform/qt_device.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <limits>
#include <cmath>

#include "platform/device/kimage.h"
#include "qt/platform/band_painter.h"
#include "qt/platform/drawing_text.h"
#include "qt/platform/polyline_runs.h"
#include "qt/platform/qt_font.h"
#include "qt/platform/svg_polylines.h"

namespace {

// GDI's default background colour for opaque text.
const QColor kOpaqueTextBackground(Qt::white);

Qt::PenStyle ToQtStyle(int style) {
  switch (style & kPenStyleMask) {
    case kPenDash: return Qt::DashLine;
    case kPenDot: return Qt::DotLine;
    case kPenDashDot: return Qt::DashDotLine;
    case kPenDashDotDot: return Qt::DashDotDotLine;
    case kPenNull: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

Qt::PenCapStyle ToQtCap(int style) {
  switch (style & kPenEndCapMask) {
    case kPenEndCapSquare: return Qt::SquareCap;
    case kPenEndCapFlat: return Qt::FlatCap;
    default: return Qt::RoundCap;
  }
}

// Pie angles are measured counter-clockwise on screen from three o'clock.
double ScreenAngle(double cx, double cy, int x, int y) {
  return std::atan2(cy - y, x - cx) * 180.0 / M_PI;
}

// Vector pictures keep every point they are given: a repeated point, or one
// on the straight line between its neighbours, only adds bytes to write and
// compress. Keeps the first and last points (and two at least, so a dot
// drawn with a wide pen stays a dot).
void DropStraightPoints(QPolygon& line) {
  qsizetype kept = 1;
  for (qsizetype i = 1; i < line.size(); ++i) {
    const QPoint p = line[i];
    if (p == line[kept - 1]) continue;
    if (kept >= 2) {
      const QPoint a = line[kept - 2], b = line[kept - 1];
      const qint64 cross = qint64(b.x() - a.x()) * (p.y() - b.y()) - qint64(b.y() - a.y()) * (p.x() - b.x());
      const qint64 dot = qint64(b.x() - a.x()) * (p.x() - b.x()) + qint64(b.y() - a.y()) * (p.y() - b.y());
      if (cross == 0 && dot > 0) {
        line[kept - 1] = p;  // b lies on the way from a to p
        continue;
      }
    }
    line[kept++] = p;
  }
  line.resize(std::max<qsizetype>(kept, 2));
}

bool IsVectorPicture(QPainter* painter) {
  const QPaintEngine* engine = painter->paintEngine();
  return engine && (engine->type() == QPaintEngine::SVG || engine->type() == QPaintEngine::Pdf);
}

// The PDF engine turns a polyline into a path a point at a time, with a
// check on each; a path filled from the whole polygon at once writes the
// same operators for less work. A path would be filled with the painter's
// brush, which a polyline never is. An SVG's lines go through svgLines
// when there is one.
void DrawWholePolyline(QPainter* painter, const QPolygon& line, KSvgPolylines* svgLines) {
  const QPaintEngine* engine = painter->paintEngine();
  if (svgLines && engine && engine->type() == QPaintEngine::SVG) {
    svgLines->Draw(painter, line);
  } else if (engine && engine->type() == QPaintEngine::Pdf && painter->brush().style() == Qt::NoBrush) {
    QPainterPath path;
    path.addPolygon(QPolygonF(line));
    painter->drawPath(path);
  } else {
    painter->drawPolyline(line);
  }
}

// A vector picture gets only the runs of a solid line that can reach its
// page, widened by the pen: the far vertices of a zoomed view would only
// add bytes to write. Dashes would start afresh at each run, so dashed lines
// stay whole, as do lines under a scaling or turning transform.
void DrawPolyline(QPainter* painter, const QPolygon& line, KSvgPolylines* svgLines) {
  if (!IsVectorPicture(painter)) {
    DrawWholePolyline(painter, line, svgLines);
    return;
  }
  const QTransform& transform = painter->deviceTransform();
  const QPen& pen = painter->pen();
  if (pen.style() != Qt::SolidLine || transform.type() > QTransform::TxTranslate ||
      std::abs(transform.dx()) > 1e6 || std::abs(transform.dy()) > 1e6) {
    DrawWholePolyline(painter, line, svgLines);
    return;
  }
  const QPaintDevice* device = painter->device();
  const int reach = pen.width() + 2;  // caps and joins, and a translation's fraction
  const QRect page = QRect(0, 0, device->width(), device->height())
                         .translated(-qRound(transform.dx()), -qRound(transform.dy()))
                         .adjusted(-reach, -reach, reach, reach);
  const auto runs = PolylineRunsNear(line, page);
  if (runs.size() == 1 && runs[0].first == 0 && runs[0].second == line.size() - 1) {
    DrawWholePolyline(painter, line, svgLines);
    return;
  }
  for (const auto& [first, last] : runs) DrawWholePolyline(painter, line.mid(first, last - first + 1), svgLines);
}

}  // namespace

QColor ToQColor(KColorRef colour) { return QColor(KRedOf(colour), KGreenOf(colour), KBlueOf(colour)); }

KQtDevice::KQtDevice(QPaintDevice* target, QSize clientSize)
    : own_(std::make_unique<QPainter>(target)), painter_(own_.get()), size_(clientSize) {
  SelectPen(kPenSolid, 0, 0);
}

KQtDevice::KQtDevice(QPainter* painter, QSize clientSize) : painter_(painter), size_(clientSize) {
  SelectPen(kPenSolid, 0, 0);
}

KQtDevice::~KQtDevice() { End(); }

void KQtDevice::End() {
  Flush();
  directKnown_ = false;
  bands_.reset();
  if (own_ && own_->isActive()) own_->end();
}

void KQtDevice::PaintLinesInBands(int bands) {
  if (bands == bandCount_) return;
  Flush();
  bands_.reset();
  bandCount_ = bands;
}

void KQtDevice::Flush() {
  HandOver();
  WaitForBands();
}

void KQtDevice::WaitForBands() {
  if (!bandsBusy_) return;
  bands_->Wait();
  bandsBusy_ = false;
}

void KQtDevice::HandOver() {
  if (bandCount_ >= 2 && pending_.size() >= 2 && !widePen_ && pen_.style() == Qt::SolidLine && Active()) {
    if (QImage* image = DirectImage()) {
      if (!bands_ || bandsOn_ != image->constBits()) {
        WaitForBands();
        bands_ = std::make_unique<KBandPainter>(*image, bandCount_);
        bandsOn_ = image->constBits();
      }
      bands_->Draw(pending_, pen_);
      bandsBusy_ = true;
      pending_.clear();
      return;
    }
  }
  WaitForBands();
  if (pending_.size() >= 2 && Active()) {
    if (IsVectorPicture(painter_)) DropStraightPoints(pending_);
    ApplyPen();
    if (widePen_) {
      // Wide pens are centred on the pixel the coordinates name.
      painter_->save();
      painter_->translate(0.5, 0.5);
      DrawPolyline(painter_, pending_, svgLines_);
      painter_->restore();
    } else {
      const bool clipped = ClipToDevice();
      DrawPolyline(painter_, pending_, svgLines_);
      if (clipped) painter_->setClipping(false);
    }
  }
  pending_.clear();
}

bool KQtDevice::Active() const { return painter_ && painter_->isActive(); }

bool KQtDevice::ClipToDevice() {
  const QPaintEngine* engine = painter_->paintEngine();
  if (!engine || engine->type() != QPaintEngine::Raster || painter_->hasClipping() ||
      painter_->deviceTransform().type() != QTransform::TxNone)
    return false;
  const QPaintDevice* target = painter_->device();
  painter_->setClipRect(QRect(0, 0, target->width(), target->height()));
  return true;
}

void KQtDevice::MoveTo(int x, int y) {
  position_ = {x, y};
  if (!pending_.isEmpty() && pending_.last() != position_) HandOver();
}

void KQtDevice::LineTo(int x, int y) {
  const QPoint to(x, y);
  if (rop_ == kRop2CopyPen && !penIsNull_) {
    if (pending_.isEmpty()) pending_ << position_;
    pending_ << to;
  } else if (Active() && !penIsNull_) {
    WaitForBands();
    ApplyPen();
    if (widePen_) {
      // Wide pens are centred on the pixel the coordinates name.
      const QPointF half(0.5, 0.5);
      painter_->drawLine(QPointF(position_) + half, QPointF(to) + half);
    } else {
      painter_->drawLine(position_, to);
    }
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
  position_ = to;
}

void KQtDevice::PolylineTo(const KIntPoint* points, std::size_t count) {
  if (count == 0) return;
  if (rop_ != kRop2CopyPen || penIsNull_) {
    KDevice::PolylineTo(points, count);
    return;
  }
  // Appended in place: the same batch LineTo builds, a point at a time.
  const qsizetype start = pending_.isEmpty() ? 1 : pending_.size();
  if (pending_.isEmpty()) pending_ << position_;
  pending_.resize(start + static_cast<qsizetype>(count));
  QPoint* out = pending_.data() + start;
  for (std::size_t i = 0; i < count; ++i) out[i] = QPoint(points[i].x, points[i].y);
  position_ = out[count - 1];
}

void KQtDevice::ApplyPen() {
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setPen(pen_);
  if (rop_ == kRop2Not && painter_->paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
    painter_->setCompositionMode(QPainter::RasterOp_NotDestination);
}

void KQtDevice::SelectPen(int style, int width, KColorRef colour) {
  HandOver();
  width = std::clamp(width, 0, kMaxPenPixels);
  penIsNull_ = (style & kPenStyleMask) == kPenNull;
  widePen_ = width > 1;
  pen_ = QPen(ToQColor(colour));
  pen_.setStyle(ToQtStyle(style));
  if (widePen_) {
    pen_.setWidth(width);
    pen_.setCapStyle(ToQtCap(style));
    pen_.setJoinStyle(Qt::RoundJoin);
  } else {
    // One-pixel lines leave out their last pixel, as consecutive LineTo
    // calls must not paint a joint twice (the inverting rubber band relies
    // on it).
    pen_.setWidth(0);
    pen_.setCapStyle(Qt::FlatCap);
  }
}

int KQtDevice::SetRop2(int mode) {
  Flush();
  const int old = rop_;
  rop_ = mode;
  return old;
}

int KQtDevice::SetBkMode(int mode) {
  const int old = bkMode_;
  bkMode_ = mode;
  return old;
}

unsigned KQtDevice::SetTextAlign(unsigned align) {
  const unsigned old = align_;
  align_ = align;
  return old;
}

KColorRef KQtDevice::SetTextColor(KColorRef colour) {
  const KColorRef old = textColour_;
  textColour_ = colour;
  return old;
}

void KQtDevice::TextOut(int x, int y, const std::string& text, const KDeviceFont& description) {
  Flush();
  if (!Active() || text.empty()) return;
  std::optional<KQtFont> resolved = ResolveFont(description, kMaxTextPixels);
  if (!resolved) return;
  const QString string = DecodeDrawingText(text);
  painter_->save();
  painter_->setRenderHint(QPainter::TextAntialiasing, true);
  painter_->setFont(resolved->font);
  QFontMetricsF fm(resolved->font, painter_->device());
  const double advance = fm.horizontalAdvance(string);

  // The reference point on the cell, in the text's own (turned, stretched)
  // frame: x along the baseline, y downward.
  double dx = 0;
  switch (align_ & kAlignHorizontalMask) {
    case kAlignCenter: dx = -advance / 2; break;
    case kAlignRight: dx = -advance; break;
    default: break;
  }
  double baseline = 0;
  switch (align_ & kAlignVerticalMask) {
    case kAlignBottom: baseline = -resolved->descent; break;
    case kAlignBaseline: baseline = 0; break;
    default: baseline = resolved->ascent; break;
  }
  painter_->translate(x, y);
  painter_->rotate(-description.escapement / 10.0);
  painter_->scale(resolved->stretch, 1.0);
  if (bkMode_ == kBkOpaque)
    painter_->fillRect(QRectF(dx, baseline - resolved->ascent, advance, resolved->ascent + resolved->descent),
                       kOpaqueTextBackground);
  painter_->setPen(ToQColor(textColour_));
  painter_->drawText(QPointF(dx, baseline), string);
  painter_->restore();
}

void KQtDevice::FillPolygon(const std::vector<KIntPoint>& points, KColorRef colour, int fillMode) {
  Flush();
  if (!Active() || points.size() < 3) return;
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const KIntPoint& p : points) polygon << QPoint(p.x, p.y);
  painter_->save();
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setPen(Qt::NoPen);
  painter_->setBrush(ToQColor(colour));
  painter_->drawPolygon(polygon, fillMode == kFillAlternate ? Qt::OddEvenFill : Qt::WindingFill);
  painter_->restore();
}

QImage* KQtDevice::DirectImage() {
  if (!directKnown_) {
    direct_ = FindDirectImage();
    directKnown_ = true;
  }
  return direct_;
}

QImage* KQtDevice::FindDirectImage() const {
  if (!Active()) return nullptr;
  QPaintDevice* target = painter_->device();
  if (!target || target->devType() != QInternal::Image) return nullptr;
  auto* image = static_cast<QImage*>(target);
  const QImage::Format format = image->format();
  if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
      format != QImage::Format_ARGB32_Premultiplied)
    return nullptr;
  if (image->devicePixelRatio() != 1.0 || painter_->hasClipping() ||
      painter_->deviceTransform().type() != QTransform::TxNone ||
      painter_->compositionMode() != QPainter::CompositionMode_SourceOver || painter_->opacity() != 1.0)
    return nullptr;
  return image;
}

bool KQtDevice::FillDirectly(QRect rect, KColorRef colour) {
  QImage* image = DirectImage();
  if (!image) return false;
  rect = rect.normalized() & image->rect();
  // An opaque colour is the same word in all three formats.
  const QRgb word = qRgb(KRedOf(colour), KGreenOf(colour), KBlueOf(colour));
  // The painter holds the image, so it is not shared: writing through the
  // constant bits changes no other copy.
  uchar* bits = const_cast<uchar*>(image->constBits());
  const qsizetype stride = image->bytesPerLine();
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride) + rect.left();
    std::fill_n(row, rect.width(), word);
  }
  return true;
}

void KQtDevice::FillSolidRect(int left, int top, int width, int height, KColorRef colour) {
  Flush();
  if (!Active()) return;
  const QRect rect = QRect(left, top, width, height).normalized();
  if (!FillDirectly(rect, colour)) painter_->fillRect(rect, ToQColor(colour));
}

void KQtDevice::SetPixel(int x, int y, KColorRef colour) {
  Flush();
  // A pixel at the end of the int range lies outside any device, and its
  // one-pixel rectangle would overflow.
  if (!Active() || x == std::numeric_limits<int>::max() || y == std::numeric_limits<int>::max()) return;
  // Large x, y, z lists draw a pixel a point: written straight into an
  // image, as painting one rectangle each costs far more.
  if (QImage* image = DirectImage()) {
    if (x >= 0 && y >= 0 && x < image->width() && y < image->height()) {
      // An opaque colour is the same word in all three formats; the painter
      // holds the image, so writing through the constant bits changes no
      // other copy.
      uchar* row = const_cast<uchar*>(image->constBits()) + static_cast<qsizetype>(y) * image->bytesPerLine();
      reinterpret_cast<QRgb*>(row)[x] = qRgb(KRedOf(colour), KGreenOf(colour), KBlueOf(colour));
    }
    return;
  }
  painter_->fillRect(QRect(x, y, 1, 1), ToQColor(colour));
}

void KQtDevice::DrawImage(const KImage& image, int left, int top, int width, int height, double srcX,
                          double srcY, double srcWidth, double srcHeight) {
  Flush();
  if (!Active() || image.empty() || width == 0 || height == 0) return;
  if (image.pixels.size() < static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) return;
  // The pixels are 0xAARRGGBB words, which is Qt's ARGB32 layout.
  const QImage view(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                    image.width * 4, image.hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  painter_->save();
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
  // PDF would otherwise store pictures as JPEG, blurring samples and cells.
  painter_->setRenderHint(QPainter::LosslessImageRendering, true);
  painter_->translate(left, top);
  painter_->scale(width < 0 ? -1 : 1, height < 0 ? -1 : 1);
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_->drawImage(QRectF(0, 0, std::abs(width), std::abs(height)), view,
                      QRectF(srcX, srcY, srcWidth, srcHeight));
  painter_->restore();
}

QPen KQtDevice::ShapePen() const {
  if (penIsNull_) return Qt::NoPen;
  QPen pen = pen_;
  if (!widePen_) pen.setWidth(0);
  return pen;
}

void KQtDevice::Ellipse(int left, int top, int right, int bottom, KColorRef fill) {
  Flush();
  if (!Active()) return;
  painter_->save();
  painter_->setRenderHint(QPainter::Antialiasing, true);
  painter_->setPen(ShapePen());
  painter_->setBrush(ToQColor(fill));
  painter_->drawEllipse(QRectF(left, top, right - left - 1, bottom - top - 1));
  painter_->restore();
}

void KQtDevice::Pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2,
                    KColorRef fill) {
  Flush();
  if (!Active()) return;
  const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
  const double start = ScreenAngle(cx, cy, x1, y1);
  double span = ScreenAngle(cx, cy, x2, y2) - start;
  while (span <= 0) span += 360;
  painter_->save();
  painter_->setRenderHint(QPainter::Antialiasing, true);
  painter_->setPen(ShapePen());
  painter_->setBrush(ToQColor(fill));
  painter_->drawPie(QRectF(left, top, right - left - 1, bottom - top - 1), static_cast<int>(std::lround(start * 16)),
                    static_cast<int>(std::lround(span * 16)));
  painter_->restore();
}
